# A Wayland desktop of its own for the Wayland tests: sway on its headless back end (software
# rendering, no input devices of its own), run as an unprivileged user with a private
# XDG_RUNTIME_DIR, windows floating as on a stacking desktop. Source this file, then:
#   wlsession_start 1920x1080   starts sway and the virtual input devices (orbicle-wlinput,
#                               whose path is in WLSESSION_INPUT), exports WAYLAND_DISPLAY
#   wlinput COMMAND             one command of orbicle-wlinput's language
#   as_user COMMAND...          runs a command as the session's user, in its environment
#   wlsession_stop              stops both (the trap in the sourcing script should call it)
# The session's user is the caller, or "nobody" when the caller is root (sway refuses to run
# as root). Only the processes started here are stopped, by their ids.

WLSESSION_SWAY_PID=""
WLSESSION_DIR=""
WLSESSION_INPUT=""  # the path of orbicle-wlinput, set by the sourcing script
WLINPUT_PID=""

# The prefix that runs a command as the session's user: nothing for the caller itself,
# setpriv to nobody (65534) for root; the environment is kept. A command started in the
# background as "${AS_USER[@]}" COMMAND & has its own process id in $!.
AS_USER=()
[ "$(id -u)" -ne 0 ] || AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
as_user() { "${AS_USER[@]}" "$@"; }
# Makes a folder the session's user owns.
user_dir() {
  mkdir -p "$@"
  [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$@"
}

wlsession_start() {
  local geometry=${1:-1024x768}
  WLSESSION_DIR=$(mktemp -d)
  chmod 755 "$WLSESSION_DIR"
  user_dir "$WLSESSION_DIR/runtime"
  chmod 700 "$WLSESSION_DIR/runtime"
  cat >"$WLSESSION_DIR/config" <<EOF
output HEADLESS-1 resolution $geometry position 0 0
for_window [title=".*"] floating enable
focus_follows_mouse no
EOF
  export XDG_RUNTIME_DIR="$WLSESSION_DIR/runtime"
  unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${AS_USER[@]}" sway --config "$WLSESSION_DIR/config" >"$WLSESSION_DIR/sway.log" 2>&1 &
  WLSESSION_SWAY_PID=$!
  local _ socket
  for _ in $(seq 100); do
    socket=$(cd "$XDG_RUNTIME_DIR" && ls sway-ipc.*.sock 2>/dev/null || true)
    WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-? 2>/dev/null || true)
    if [ -n "$socket" ] && [ -n "$WAYLAND_DISPLAY" ]; then
      export WAYLAND_DISPLAY SWAYSOCK="$XDG_RUNTIME_DIR/$socket"
      as_user swaymsg -t get_outputs >/dev/null 2>&1 && break
    fi
    kill -0 "$WLSESSION_SWAY_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "${SWAYSOCK:-}" ] || ! as_user swaymsg -t get_outputs >/dev/null 2>&1; then
    echo "wlsession: sway did not start" >&2
    cat "$WLSESSION_DIR/sway.log" >&2
    return 1
  fi
  # Programs take the Wayland display, never an X server.
  export GDK_BACKEND=wayland
  [ -z "$WLSESSION_INPUT" ] && return 0
  coproc WLINPUT { exec "${AS_USER[@]}" "$WLSESSION_INPUT"; }
  local ready=""
  read -r -t 10 ready <&"${WLINPUT[0]}" || true
  [ "$ready" = ready ] || { echo "wlsession: the virtual input devices did not start" >&2; return 1; }
}

# Sends one command to the virtual devices (orbicle-wlinput's language) and waits until the
# compositor has handled it. The seat has a keyboard and a pointer as long as they run: without
# a keyboard no window would get the keyboard focus, which GTK takes for its activation.
wlinput() {
  local answer=""
  echo "$*" >&"${WLINPUT[1]}"
  read -r -t 10 answer <&"${WLINPUT[0]}" || true
  [ "$answer" = ok ] || { echo "wlinput $*: ${answer:-no answer}" >&2; return 1; }
}

wlsession_stop() {
  # The virtual devices end at the end of their input; sway is stopped.
  if [ -n "${WLINPUT_PID:-}" ]; then
    local input=${WLINPUT[1]}
    exec {input}>&-
    wait "$WLINPUT_PID" 2>/dev/null || true
  fi
  local process
  for process in "$WLSESSION_SWAY_PID"; do
    [ -n "$process" ] || continue
    kill "$process" 2>/dev/null || true
    wait "$process" 2>/dev/null || true
  done
  [ -n "$WLSESSION_DIR" ] && rm -rf "$WLSESSION_DIR"
  WLSESSION_SWAY_PID="" WLSESSION_DIR="" WLINPUT_PID=""
  return 0
}
