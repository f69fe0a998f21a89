# The Windows tests' Wine session: a throw-away prefix, a display of its own (Xvfb with openbox,
# tests/desktop/xsession.sh) and a wineserver that stays for the whole run, so that Wine's slow
# first start is paid once. Source it, then:
#   wine_session_start DIR [STANDIN]  makes DIR (removed first), starts the display, makes the
#                              prefix and waits until Wine has finished setting it up, puts the
#                              stand-in for winsqlite3.dll (if given) into its system folder,
#                              starts the session's wineserver and writes DIR/env
#   wine_session_stop DIR      stops what the start started, by its ids, says how every Windows
#                              program of the session and the wineserver ended, and removes DIR
#   wine_session_load DIR      takes the session's DISPLAY, WINEPREFIX ... into the environment
#   wine_run PROGRAM [ARGS]    runs a Windows program in the loaded session (its end is recorded)
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
  export WINE WINE_SESSION="$dir" WINEPREFIX="$dir/prefix" WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko (nothing here needs them, and their installers would ask), and no sound
  # device: PlaySound then returns at once, with or without a sound card.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d"
  {
    local name
    for name in DISPLAY WINE WINE_SESSION WINEPREFIX WINEDEBUG WINEDLLOVERRIDES; do printf 'export %s=%q\n' "$name" "${!name}"; done
    printf 'WINE_XVFB_PID=%q WINE_WM_PID=%q WINE_XDIR=%q\n' "$XSESSION_XVFB_PID" "$XSESSION_WM_PID" "$XSESSION_DIR"
  } >"$dir/env"
  # A new prefix goes on starting services and setting itself up for a good while after wineboot
  # returns (a second services.exe, drivers): the setup's own wineserver ends only when all of
  # that is over, so the tests start on a prefix that is done, not on one still being made.
  if ! "$WINE" wineboot -i >"$dir/wineboot.log" 2>&1; then
    cat "$dir/wineboot.log" >&2
    wine_session_stop "$dir"
    return 1
  fi
  wineserver -w
  # Where Windows 10 keeps its SQLite; Wine loads a built-in DLL only from a file there.
  [ -z "${2:-}" ] || cp "$2" "$WINEPREFIX/drive_c/windows/system32/winsqlite3.dll"
  # The session's wineserver, a child of a shell of its own that records how it ends (no pipe of
  # the caller stays open in either).
  setsid bash -c 'wineserver -f -p & echo $! >"$1/wineserver.pid"; wait $!
                  echo "the wineserver ended with status $? at $(date +%T)" >"$1/wineserver.end"' _ "$dir" \
    </dev/null >"$dir/wineserver.log" 2>&1 &
  # Ready once it listens in its folder: a program started before would start a server of its own.
  local _
  for _ in $(seq 300); do
    [ -S "/proc/$(cat "$dir/wineserver.pid" 2>/dev/null)/cwd/socket" ] && return 0
    [ -e "$dir/wineserver.end" ] && break
    sleep 0.1
  done
  echo "wine-lib: the wineserver did not start: $(cat "$dir/wineserver.end" "$dir/wineserver.log" 2>/dev/null)" >&2
  return 1
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
    local _
    for _ in $(seq 100); do [ -e "$dir/wineserver.end" ] && break; sleep 0.1; done
    if [ -f "$dir/runs.log" ]; then
      echo "Windows programs of the session, as they ended:"
      sed 's/^/  /' "$dir/runs.log"
    fi
    cat "$dir/wineserver.end" 2>/dev/null || echo "the wineserver's end was not recorded"
    # Not children of this shell: stopped by their ids, without waiting for them.
    local pid
    for pid in $WINE_WM_PID $WINE_XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    [ -n "$WINE_XDIR" ] && rm -rf "$WINE_XDIR"
  fi
  rm -rf "$dir"
}

# Its output goes through files, so that no helper process Wine starts on the way holds the
# caller's pipes open after the program has ended. Its end goes into the session's log.
#
# Now and then (twice in some 4,000 starts under load) Wine ends a program it was asked to start
# within milliseconds, with status 1 and without a word. Every program the tests run says
# something when it fails, so one that failed in silence never ran: it is started again (at most
# twice), and the session's log says so.
wine_run() {
  local out err status started attempt
  out=$(mktemp)
  err=$(mktemp)
  for attempt in 1 2 3; do
    status=0
    started=$(date +%s%N)
    "$WINE" "$@" >"$out" 2>"$err" || status=$?
    wine_record "$status" "$started" "$*"
    wine_never_ran "$status" "$out" "$err" || break
    wine_record "-" "$started" "(that start said nothing: Wine did not run it; started again)"
  done
  cat "$out"
  cat "$err" >&2
  rm -f "$out" "$err"
  return "$status"
}

# wine_never_ran STATUS OUT ERR: a failure without a word on either output.
wine_never_ran() { [ "$1" -ne 0 ] && [ ! -s "$2" ] && [ ! -s "$3" ]; }

# wine_record STATUS STARTED_NS WHAT: one line of the session's log of ended programs.
wine_record() {
  local ms=$((($(date +%s%N) - $2) / 1000000))
  printf '%s status %s after %d.%03d s: %s\n' "$(date +%T)" "$1" $((ms / 1000)) $((ms % 1000)) "${3:0:160}" \
    >>"$WINE_SESSION/runs.log"
}
