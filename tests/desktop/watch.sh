#!/usr/bin/env bash
# Watching a kept game again, as a player does: a game kept before recordings says it has
# none; a game played with real input, then File > History..., Watch: the replay runs in a
# window of its own, stands still while paused, and ends on the very frame the player saw (the
# result panel, pixel for pixel) with "Verified" in its title. Export Replay... writes a file
# that orbicle-sim verifies; Import Replay... refuses a file cut short and changes nothing, and
# watches a good one, which Add to history keeps. A replay of a field larger than the screen is
# watched smaller, in a window that fits.
#   usage: watch.sh PATH/TO/orbicle PATH/TO/orbicle-shot PATH/TO/orbicle-sim   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1280x1024
sim=$(realpath "$3")
export XDG_DATA_HOME="$work/home/.local/share"
settings Race=df Options=11011
result_shown() { snap result && shows_result result; }
open_history() {
  menu_keys alt+f h
  history=$(wait_window "Orbicle History - $1" 10) || fail "File > History... shows no window titled 'Orbicle History - $1'"
  sleep 1
}
# Keys to a window of the program.
keys_to() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  xdotool key --delay 100 "${@:2}"
}
# A path typed into the file dialog titled $1, which must close.
file_dialog() {
  local dialog
  dialog=$(wait_window "$1" 10) || fail "no file dialog '$1'"
  sleep 1
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
  within 10 window_closed "$1" || fail "the file dialog '$1' stays open"
}
# A six-second game played by orbicle-sim and stopped after its first sample, with these
# commands first.
sim_game() {
  printf '%s\n' "$@" 'clock 1000000000' 'profile Race df' start 'click 1 1 left' 'tick 120' 'command 32784' exit |
    "$sim" >/dev/null
}
# Waits for the Watch window's verdict.
verdict() {
  if ! wait_window "Orbicle Replay - Verified" "$1" >/dev/null; then
    window_open "Orbicle Replay - Not verified" && fail "the replay says it is not verified"
    fail "the replay gives no verdict within $1 s"
  fi
}

step "a game kept before recordings says it has none"
mkdir -p "$XDG_DATA_HOME/Orbicle"
sim_game "historydb $XDG_DATA_HOME/Orbicle/history.sqlite3"
start_program
open_history "1 game"
keys_to "$history" alt+w
within 10 window_open "Orbicle History" || fail "Watch of a game without a recording says nothing"
xdotool key Return
within 5 window_closed "Orbicle History" || fail "the message does not close"
window_open "Orbicle Replay" && fail "a game without a recording opens a Watch window"
xdotool key Escape
within 5 window_closed "Orbicle History - 1 game" || fail "Escape does not close the History window"

step "a game with hits and a miss, stopped through File after its first sample"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 15 field_moves || fail "the game does not run"
for _ in 1 2 3 4; do hit_circle; sleep 0.3; done
xdotool mousemove $((fx + 5)) $((fy + 5)) click 1
sleep 5  # past the first rate sample, 4.8 s of play
menu_keys alt+f s
within 12 result_shown || fail "no result graph after File, Stop Game"
sleep 1
snap kept

step "History, Watch: the game plays again, and stands still while paused"
open_history "2 games"
keys_to "$history" alt+w
watch=$(wait_window "Orbicle Replay" 10) || fail "Watch opens no window titled 'Orbicle Replay'"
watch_shot() { xwd -id "$watch" -silent -out "$work/$1.xwd"; }
watch_diff() { "$shot" diff "$work/$1.xwd" "$work/$2.xwd" 0 0 "$FW" "$FH"; }
sleep 2.5
watch_shot playing1
sleep 0.6
watch_shot playing2
[ "$(watch_diff playing1 playing2)" -gt 0 ] || fail "the replay's field does not move"
keys_to "$watch" alt+p
sleep 0.5
watch_shot paused1
sleep 1.5
watch_shot paused2
[ "$(watch_diff paused1 paused2)" -eq 0 ] || fail "the replay moves while paused"
keys_to "$watch" alt+p
verdict 30
watch_shot last
differ=$("$shot" diff "$work/kept.xwd" "$work/last.xwd" "$fx" "$fy" "$FW" "$FH" 0 0)
echo "  the Watch window's last frame and the player's result panel differ in $differ of $((FW * FH)) pixels"
[ "$differ" -eq 0 ] || fail "the replay ends on another frame than the player saw"
keys_to "$watch" Escape
within 5 window_closed "Orbicle Replay - Verified" || fail "Escape does not close the Watch window"

step "Export Replay... writes the game's replay, and orbicle-sim verifies it"
replay="$work/exported.orbicle-replay"
keys_to "$history" alt+p
file_dialog "Export Replay" "$replay"
within 5 test -s "$replay" || fail "no replay written"
out=$("$sim" <<<"replay $replay")
[ "$(head -n1 <<<"$out")" = "replay verified 1" ] || fail "orbicle-sim says '$(head -n1 <<<"$out")' of the exported replay"

step "Import Replay...: a file cut short is refused and changes nothing"
head -c 200 "$replay" >"$work/cut.orbicle-replay"
keys_to "$history" alt+i
file_dialog "Import Replay" "$work/cut.orbicle-replay"
within 10 window_open "Orbicle History" || fail "a file cut short gives no message"
xdotool key Return
within 5 window_closed "Orbicle History" || fail "the message does not close"
window_open "Orbicle Replay" && fail "a file cut short is watched"
window_open "Orbicle History - 2 games" || fail "a refused file changed the history"

step "Import Replay...: a good file is watched, verified and added when the player chooses"
keys_to "$history" alt+i
file_dialog "Import Replay" "$replay"
watch=$(wait_window "Orbicle Replay" 10) || fail "an imported replay is not watched"
keys_to "$watch" alt+4
started=$(now_ms)
verdict 20
echo "  watched at 4x in $(($(now_ms) - started)) ms"
window_open "Orbicle History - 2 games" || fail "the imported game was added before the player chose so"
keys_to "$watch" alt+a
sleep 0.5
keys_to "$watch" Escape
within 10 window_open "Orbicle History - 3 games" || fail "Add to history did not keep the imported game"
keys_to "$(window_id "Orbicle History - 3 games")" Escape
within 5 window_closed "Orbicle History - 3 games" || fail "Escape does not close the History window"

step "a replay of a field larger than this screen is shown smaller, whole, and verifies"
big="$work/big.orbicle-replay"
sim_game "screen 2560" "record $big"
[ -s "$big" ] || fail "orbicle-sim recorded no replay"
open_history "3 games"
keys_to "$history" alt+i
file_dialog "Import Replay" "$big"
watch=$(wait_window "Orbicle Replay" 10) || fail "the larger replay is not watched"
keys_to "$watch" alt+4
verdict 30
eval "$(xdotool getwindowgeometry --shell "$watch")"
echo "  a 1760 x 1320 field watched in a window of $WIDTH x $HEIGHT at $X,$Y"
((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 1024)) || fail "the Watch window does not fit the screen"
keys_to "$watch" Escape
within 5 window_closed "Orbicle Replay - Verified" || fail "Escape does not close the Watch window"
keys_to "$history" Escape
menu_keys alt+f x
program_ends 10
echo "PASS"
