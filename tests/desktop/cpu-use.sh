#!/usr/bin/env bash
# Measures the CPU time of the desktop program while a game runs for 30 s on a virtual
# display at the standard 50 ms tick. A small bot clicks the circles it sees, so that the
# game is not ended by its end rule. Not a test: it prints what it measured.
#   usage: cpu-use.sh PATH/TO/orbicle PATH/TO/orbicle-shot [SECONDS]   (from the repository root)
set -euo pipefail

program=$(realpath "$1")
shot=$(realpath "$2")
seconds=${3:-30}
if [ -z "${ORBICLE_CPU_ON_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env ORBICLE_CPU_ON_XVFB=1 "$0" "$@"
fi

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/Orbicle"
printf '[Settings]\nRace=df\nOptions=11011\n' >"$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"

"$program" >"$work/program.log" 2>&1 &
pid=$!
frame=""
for _ in $(seq 100); do
  frame=$(xdotool search --onlyvisible --name '^Orbicle$' 2>/dev/null | head -n1 || true)
  [ -n "$frame" ] && break
  sleep 0.2
done
[ -n "$frame" ] || { echo "no frame window" >&2; exit 1; }
xdotool windowfocus --sync "$frame"
read -r wx wy wh < <(xwininfo -id "$frame" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                                                  /^ *Height:/{h=$2} END{print x, y, h}')
field_w=$((1024 * 22 / 32))
field_h=$((field_w * 3 / 4))
fx=$wx
fy=$((wy + wh - field_h))
xdotool mousemove $((fx + field_w / 2)) $((fy + field_h / 2)) click 1
sleep 3  # the welcome sound, then the game

cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
start=$(cpu)
now_ms() { echo $(($(date +%s%N) / 1000000)); }
t0=$(now_ms)
hits=0
while [ $(($(now_ms) - t0)) -lt $((seconds * 1000)) ]; do
  xwd -root -silent -out "$work/s.xwd"
  # The playing area above the panel; left circles are filled greenish white, right ones bluish.
  if at=$("$shot" find "$work/s.xwd" "$fx" $((fy + 40)) "$field_w" $((field_h * 3 / 4)) 240 255 240) && [ -n "$at" ]; then
    read -r x y <<<"$at"; xdotool mousemove "$x" $((y + 3)) click 1; hits=$((hits + 1))
  elif at=$("$shot" find "$work/s.xwd" "$fx" $((fy + 40)) "$field_w" $((field_h * 3 / 4)) 240 240 255) && [ -n "$at" ]; then
    read -r x y <<<"$at"; xdotool mousemove "$x" $((y + 3)) click 3; hits=$((hits + 1))
  fi
  sleep 0.25
done
end=$(cpu)
elapsed_ms=$(($(now_ms) - t0))
xwd -root -silent -out "$work/end.xwd"
running=$("$shot" diff "$work/s.xwd" "$work/end.xwd" "$fx" "$fy" "$field_w" "$field_h")
echo "clicks: $hits; field pixels changed in the last moment: $running (0 would mean the game ended)"
used_ms=$(((end - start) * 1000 / hz))
echo "CPU: $used_ms ms in $elapsed_ms ms = $((used_ms * 1000 / elapsed_ms / 10)).$((used_ms * 1000 / elapsed_ms % 10)) % of one core"
