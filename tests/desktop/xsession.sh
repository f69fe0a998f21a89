# A desktop of its own for the desktop tests: Xvfb on a display number it picks itself
# (-displayfd, so a display another program holds is never touched) and the openbox window
# manager. Source this file, then:
#   xsession_start 1920x1080    starts both and exports DISPLAY
#   xsession_stop               stops both (the trap in the sourcing script should call it)
# Only the processes started here are stopped, by their ids.

XSESSION_XVFB_PID=""
XSESSION_WM_PID=""
XSESSION_DIR=""

xsession_start() {
  local geometry=${1:-1024x768}
  XSESSION_DIR=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 "${geometry}x24" -nolisten tcp -noreset 3>"$XSESSION_DIR/display" \
    >"$XSESSION_DIR/xvfb.log" 2>&1 &
  XSESSION_XVFB_PID=$!
  local n="" _
  for _ in $(seq 100); do
    n=$(head -n1 "$XSESSION_DIR/display" 2>/dev/null || true)
    [ -n "$n" ] && break
    kill -0 "$XSESSION_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$n" ]; then
    echo "xsession: Xvfb did not start" >&2
    cat "$XSESSION_DIR/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$n"
  openbox --sm-disable >"$XSESSION_DIR/openbox.log" 2>&1 &
  XSESSION_WM_PID=$!
  # Ready once the window manager announces itself on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "xsession: openbox did not start" >&2
  cat "$XSESSION_DIR/openbox.log" >&2
  return 1
}

xsession_stop() {
  [ -n "$XSESSION_WM_PID" ] && kill "$XSESSION_WM_PID" 2>/dev/null && wait "$XSESSION_WM_PID" 2>/dev/null
  [ -n "$XSESSION_XVFB_PID" ] && kill "$XSESSION_XVFB_PID" 2>/dev/null && wait "$XSESSION_XVFB_PID" 2>/dev/null
  [ -n "$XSESSION_DIR" ] && rm -rf "$XSESSION_DIR"
  XSESSION_WM_PID="" XSESSION_XVFB_PID="" XSESSION_DIR=""
  return 0
}
