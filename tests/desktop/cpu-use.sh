#!/usr/bin/env bash
# Measures the CPU time of the desktop program while a game runs for 30 s on a display of its
# own at the standard 50 ms tick. A small bot hits the circles it sees, so that the game is not
# ended by its end rule. Not a test: it prints what it measured.
#   usage: cpu-use.sh PATH/TO/orbicle PATH/TO/orbicle-shot [SECONDS]   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1024x768
seconds=${3:-30}
settings Race=df Options=11011
start_program
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 10 field_moves || fail "no game started"

cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
start=$(cpu)
t0=$(now_ms)
hits=0
while [ $(($(now_ms) - t0)) -lt $((seconds * 1000)) ]; do
  if at=$(circle); then
    read -r x y button <<<"$at"
    xdotool mousemove "$x" "$y" click "$button"
    hits=$((hits + 1))
  fi
  sleep 0.25
done
end=$(cpu)
elapsed_ms=$(($(now_ms) - t0))
field_moves && state="still running" || state="ended"
echo "clicks: $hits; the game $state at the end"
used_ms=$(((end - start) * 1000 / hz))
# Hundredths of a percent, rounded to the nearest.
share=$(((used_ms * 20000 / elapsed_ms + 1) / 2))
echo "CPU: $used_ms ms in $elapsed_ms ms = $((share / 100)).$(printf %02d $((share % 100))) % of one core"
