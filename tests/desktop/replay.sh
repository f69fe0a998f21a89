#!/usr/bin/env bash
# A game played on the desktop replays in orbicle-sim: a new player's game (the race dialog
# open over the field, hits and a miss, a double press, a pause, the About box), stopped through
# File after its first sample, is written by ORBICLE_RECORD and verifies with orbicle-sim's
# replay, which gives the numbers the program kept in its history.
#   usage: replay.sh PATH/TO/orbicle PATH/TO/orbicle-shot PATH/TO/orbicle-sim   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1024x768
sim=$(realpath "$3")
export ORBICLE_RECORD="$work/game.orbicle-replay" XDG_DATA_HOME="$work/home/.local/share"
settings Options=11011
start_program
result_shown() { snap result && shows_result result; }

step "a click on the idle field; the race dialog answers Default"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
dialog=$(wait_window "Select Race" 10) || fail "no race dialog"
sleep 0.5
read -r dx dy dw dh < <(geometry "$dialog")
xdotool mousemove $((dx + 37 * dw / 172)) $((dy + 31 * dh / 108)) click 1
within 5 window_closed "Select Race" || fail "the Default button did not close the dialog"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2))
within 15 field_moves || fail "the game does not run"

step "hits, a miss, a double press, a pause and the About box"
for _ in 1 2 3; do hit_circle; sleep 0.2; done
xdotool mousemove $((fx + 5)) $((fy + 5)) click 1
hit_circle 120
menu_keys alt+f p
sleep 1
menu_keys alt+f p
menu_keys alt+h a
about=$(wait_window "About Orbicle" 10) || fail "no About box"
sleep 0.5
xdotool key Escape
within 5 window_closed "About Orbicle" || fail "Escape does not close the About box"
for _ in 1 2; do hit_circle; sleep 0.2; done
sleep 5  # past the first rate sample, 4.8 s of play
menu_keys alt+f s
within 12 result_shown || fail "no result graph after File, Stop Game"

step "the recording verifies in orbicle-sim"
within 5 test -s "$ORBICLE_RECORD" || fail "ORBICLE_RECORD wrote no replay"
echo "  replay: $(stat -c %s "$ORBICLE_RECORD") bytes"
out=$("$sim" <<<"replay $ORBICLE_RECORD")
verdict=$(head -n1 <<<"$out")
[ "$verdict" = "replay verified 1" ] || fail "orbicle-sim says '$verdict'"
state=$(sed -n 2p <<<"$out")
grep -q '"m_bShowResult":1' <<<"$state" || fail "the replayed game shows no result"
grep -q '"m_strRace":"df"' <<<"$state" || fail "the replayed game has no race df"
# The numbers of the replayed game are those the program kept in its history.
field() { grep -o "\"$1\":-\?[0-9]*" <<<"$2" | head -n1 | cut -d: -f2; }
kept=$("$sim" <<<"historydb $XDG_DATA_HOME/Orbicle/history.sqlite3
history")
echo "  kept: $kept"
[ "$(wc -l <<<"$kept")" -eq 1 ] || fail "the history holds not one game"
for pair in score:m_nScore misses:m_nMisses useful:m_nUsefulTotal accuracy:m_nAccuracy best:m_nApmMax; do
  [ "$(field "${pair%%:*}" "$kept")" = "$(field "${pair##*:}" "$state")" ] ||
    fail "the history kept ${pair%%:*} $(field "${pair%%:*}" "$kept"), the replay gives $(field "${pair##*:}" "$state")"
done
[ "$(field m_nMisses "$state")" -ge 1 ] || fail "the replayed game has no miss, after a press on the empty corner"
menu_keys alt+f x
program_ends 10
echo "PASS"
