#!/usr/bin/env bash
# Replays cross between the systems: the same game (the race dialog, hits and misses with their
# keys, a pause and the frame away, stopped through File) recorded by the Linux orbicle-sim and by
# orbicle-sim.exe under Wine; each replay verifies in both, and every replay ends in the state the
# game was in when it was kept. A game recorded by the desktop program with real input
# (tests/replay/data) verifies in both as well.
#   usage: replay-cross.sh SESSION LINUX_SIM WINDOWS_SIM   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
wine_session_load "$1"
linux_sim=$2 windows_sim=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for side in linux windows; do
  {
    printf 'record %s\nscreen 1024\nprofile Options 11111\nstart\ndialog df\n' "$work/$side.orbicle-replay"
    grep -v '^#' "$here/frames/play.sim"
    printf 'command 32788\ntick 3\ncommand 32788\ndeactivate\ntick 2\nactivate\ntick 60\ncommand 32784\nstate\n'
  } >"$work/$side.sim"
done
"$linux_sim" <"$work/linux.sim" >"$work/linux.txt"
wine_run "$windows_sim" <"$work/windows.sim" >"$work/windows.txt"
cmp -s "$work/linux.txt" "$work/windows.txt" || { echo "FAIL: the two sims played the game differently"; exit 1; }
grep -q '"m_bShowResult":1' "$work/linux.txt" || { echo "FAIL: the game did not end with its result"; exit 1; }

# replay_on PLAYER FILE: the sim of that system replays FILE into $work/out.
replay_on() {
  if [ "$1" = linux ]; then
    "$linux_sim" <<<"replay $2" >"$work/out"
  else
    wine_run "$windows_sim" <<<"replay $2" >"$work/out"
  fi
}

status=0
for file in linux windows; do
  for player in linux windows; do
    replay_on "$player" "$work/$file.orbicle-replay"
    verdict=$(head -n1 "$work/out")
    echo "recorded on $file, replayed on $player: $verdict"
    [ "$verdict" = "replay verified 1" ] || status=1
    # The replay's state is the recorded game's state when it was kept.
    cmp -s <(sed -n 2p "$work/out") <(tail -n1 "$work/linux.txt") ||
      { echo "FAIL: the replayed game's state differs from the recorded one's"; status=1; }
  done
done
desktop=tests/replay/data/desktop-game.orbicle-replay
for player in linux windows; do
  replay_on "$player" "$desktop"
  verdict=$(head -n1 "$work/out")
  echo "recorded by the desktop program, replayed on $player: $verdict"
  [ "$verdict" = "replay verified 1" ] || status=1
done
[ "$status" -eq 0 ] && echo PASS || echo FAIL
exit "$status"
