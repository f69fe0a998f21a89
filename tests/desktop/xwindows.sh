# Finding and waiting for the program's windows in the desktop tests (source it after
# xsession.sh, with DISPLAY set).

# The visible windows titled exactly $1, one id a line.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; }

# Waits up to $2 seconds for a window titled exactly $1 other than those in $3 (ids separated
# by spaces) and prints its id.
wait_window() {
  local name=$1 deadline=$((SECONDS + $2)) except=" ${3:-} " id
  while [ $SECONDS -lt $deadline ]; do
    for id in $(windows_titled "$name"); do
      [[ $except == *" $id "* ]] || { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# x y width height of a window's client area, in screen coordinates.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                          /^ *Width:/{w=$2} /^ *Height:/{h=$2} END{print x, y, w, h}'
}

# Runs a check again and again for up to $1 seconds, until it succeeds.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# Milliseconds since the epoch, for the timings the tests report.
now_ms() { date +%s%3N; }

# Closes a window as a player does, with the window manager's Alt+F4.
close_window() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
}

# Waits up to $2 seconds for process $1 to end; its exit status, or 124 if it is still running.
wait_exit() {
  local pid=$1 deadline=$((SECONDS + $2))
  while kill -0 "$pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || return 124
    sleep 0.1
  done
  local status=0
  wait "$pid" || status=$?
  return "$status"
}
