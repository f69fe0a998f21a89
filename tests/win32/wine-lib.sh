# The Windows tests' Wine session: a throw-away prefix, a display of its own (Xvfb with openbox,
# tests/desktop/xsession.sh) and a wineserver that stays for the whole run, so that Wine's slow
# first start is paid once. Source it, then:
#   wine_session_start DIR     makes DIR (removed first), starts the display and Wine, writes DIR/env
#   wine_session_stop DIR      stops what the start started, by its ids, and removes DIR
#   wine_session_load DIR      takes the session's DISPLAY, WINEPREFIX ... into the environment
#   wine_run PROGRAM [ARGS]    runs a Windows program in the loaded session
. "$(dirname "${BASH_SOURCE[0]}")/../desktop/xsession.sh"

# The 64-bit loader: Debian keeps it out of PATH.
wine_loader() {
  command -v wine64 2>/dev/null && return
  [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64 && return
  command -v wine
}

wine_session_start() {
  local dir=$1
  wine_session_stop "$dir"  # one left over from a run that did not end
  mkdir -p "$dir"
  WINE=$(wine_loader) || { echo "wine-lib: Wine is not installed (Debian packages wine, wine64)" >&2; return 1; }
  xsession_start 1024x768 || return 1
  export WINE WINEPREFIX="$dir/prefix" WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko (nothing here needs them, and their installers would ask), and no sound
  # device: PlaySound then returns at once, with or without a sound card.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d"
  wineserver -p >"$dir/wineserver.log" 2>&1
  {
    local name
    for name in DISPLAY WINE WINEPREFIX WINEDEBUG WINEDLLOVERRIDES; do printf 'export %s=%q\n' "$name" "${!name}"; done
    printf 'WINE_XVFB_PID=%q WINE_WM_PID=%q WINE_XDIR=%q\n' "$XSESSION_XVFB_PID" "$XSESSION_WM_PID" "$XSESSION_DIR"
  } >"$dir/env"
  if ! "$WINE" wineboot -i >"$dir/wineboot.log" 2>&1; then
    cat "$dir/wineboot.log" >&2
    wine_session_stop "$dir"
    return 1
  fi
}

wine_session_load() {
  [ -f "$1/env" ] || { echo "wine-lib: no Wine session in $1 (the test wine_session_start makes it)" >&2; return 1; }
  # shellcheck disable=SC1091
  . "$1/env"
}

wine_session_stop() {
  local dir=$1
  if wine_session_load "$dir" 2>/dev/null; then
    # Every Windows process of the prefix ends with its server.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    # Not children of this shell: stopped by their ids, without waiting for them.
    local pid
    for pid in $WINE_WM_PID $WINE_XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    [ -n "$WINE_XDIR" ] && rm -rf "$WINE_XDIR"
  fi
  rm -rf "$dir"
}

# Its output goes through files, so that no helper process Wine starts on the way holds the
# caller's pipes open after the program has ended.
wine_run() {
  local out err status=0
  out=$(mktemp)
  err=$(mktemp)
  "$WINE" "$@" >"$out" 2>"$err" || status=$?
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
  return "$status"
}
