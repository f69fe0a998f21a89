#!/usr/bin/env bash
# The drawing, side by side: the same frames played by orbicle-sim on Linux (the software device
# context) and by orbicle-sim.exe under Wine (GDI). Their outputs must be the same line for line
# (text boxes aside), and their pictures the same outside the boxes where text was written:
# orbicle-framecompare prints each frame's share of identical pixels and fails below GOAL percent.
#   usage: gdi-compare.sh SESSION LINUX_SIM WINDOWS_SIM FRAMECOMPARE GOAL   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
wine_session_load "$1"
linux_sim=$2 windows_sim=$3 compare=$4 goal=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
play=$(grep -v '^#' "$here/frames/play.sim")

# frame NAME SCREEN OPTIONS BODY [SHOT]: the program started with race df and these options on a
# screen this wide, BODY played, then the snapshot (or SHOT: snapshot-keys, the keys report),
# the text boxes, the state and the menu.
frames=()
frame() {
  local dir="$work/$1"
  mkdir -p "$dir"
  frames+=("$dir")
  for side in linux windows; do
    printf 'screen %s\nprofile Race df\nprofile Options %s\nstart\n%s\n%s %s\ntextboxes\nstate\nmenu\nexit\n' \
      "$2" "$3" "$4" "${5:-snapshot}" "$dir/$side.png" >"$dir/$side.sim"
  done
  "$linux_sim" <"$dir/linux.sim" >"$dir/linux.txt"
  wine_run "$windows_sim" <"$dir/windows.sim" >"$dir/windows.txt"
  if ! diff <(grep -v '^textbox ' "$dir/linux.txt") <(grep -v '^textbox ' "$dir/windows.txt") >"$dir/diff"; then
    echo "FAIL: frame $1: the two sims answer differently:"
    head -n 20 "$dir/diff"
    exit 1
  fi
}

frame idle 1024 11011 paint
frame idle-plain 1024 11001 paint
frame idle-800 800 11011 paint      # the picture pixel for pixel
frame idle-1280 1280 11011 paint    # the picture enlarged by 1.6
frame idle-1200 1200 11011 paint    # 550 -> 825: a third of the centres on a border
frame idle-640 640 11011 paint      # the picture shrunk
frame game 1024 11111 "$play"
frame game-plain 1024 11101 "$play"
frame result 1024 11111 "$play"$'\ncommand 32784\ntick'
frame result-plain 1024 11101 "$play"$'\ncommand 32784\ntick'
frame keys 1024 11111 "$play"$'\ncommand 32784\ntick\nkeystats\nactions' snapshot-keys   # the keys report
frame keys-none 1024 11011 paint snapshot-keys                                         # before any game
wine_run "$compare" "$goal" "${frames[@]}"
