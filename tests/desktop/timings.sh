#!/usr/bin/env bash
# Measures the desktop program's start (to its first painted frame) and exit (from the close
# to the end of the process) on a display of its own, from its milestone trace. Not a test:
# it prints what it measured.
#   usage: timings.sh PATH/TO/orbicle PATH/TO/orbicle-shot [RUNS]   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1920x1080
settings Race=df Options=11011
export ORBICLE_TRACE=1
# The trace's milliseconds for a milestone of the last run.
at() { awk -v what="$1" '$1 == "orbicle-trace" && substr($0, index($0, $3)) == what {print $2}' "$work/program.log"; }
for run in $(seq "${3:-5}"); do
  launched=$(now_ms)
  start_program
  within 10 eval '[ -n "$(at "first frame")" ]' || fail "no first frame traced"
  xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1  # a game runs while the window closes
  sleep 1
  close_window "$frame"
  program_ends 10
  echo "run $run: first frame after $(($(at "first frame") - launched)) ms;" \
    "exit: settings written $(($(at "settings written") - $(at "window closes"))) ms and the process ended" \
    "$(($(at ended) - $(at "window closes"))) ms after the close"
done
