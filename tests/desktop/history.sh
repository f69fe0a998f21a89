#!/usr/bin/env bash
# The training history as a player meets it: a game stopped through File after its first sample,
# then File > History... shows it (title, chart, result graph), Export CSV writes it (and its
# actions beside it) through the file dialog, and a new start of the program finds it again in
# the history file.
#   usage: history.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1280x1024
export XDG_DATA_HOME="$work/home/.local/share"
settings Race=df Options=11011
start_program

# Pixels of an exact colour in a shot of the History window alone.
in_history() { window_count "$history" "$@"; }
open_history() {
  menu_keys alt+f h
  history=$(wait_window "Orbicle History - $1" 10) || fail "File > History... shows no window titled 'Orbicle History - $1'"
  sleep 1
}

step "a game with a few hits, stopped through File after its first sample"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 15 field_moves || fail "the game does not run"
for _ in 1 2 3; do hit_circle; sleep 0.3; done
sleep 5  # past the first rate sample, 4.8 s of play
menu_keys alt+f s
result_shown() { snap result && shows_result result; }
within 12 result_shown || fail "no result graph after File, Stop Game"

step "File > History... shows the game"
open_history "1 game"
xwd -id "$history" -silent -out "$work/history.xwd"
[ "$(in_history history 215 45 35)" -gt 0 ] || fail "the chart shows no best rate"
[ "$(in_history history 240 165 0)" -gt 0 ] || fail "the chart marks no personal best"
[ "$(in_history history 35 145 60)" -gt 0 ] || fail "the chart shows no accuracy"
[ "$(in_history history 255 0 0)" -gt 0 ] || fail "no result graph (its red curve) for the selected game"

step "Export CSV... through the file dialog"
csv="$work/exported.csv"
xdotool key alt+e
save=$(wait_window "Export CSV" 10) || fail "Export CSV... opens no file dialog"
sleep 1
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "$csv"
xdotool key Return
within 10 test -s "$csv" || fail "no CSV file written"
within 5 window_closed "Export CSV" || fail "the file dialog stays open"
sed 's/^/  /' "$csv"
[ "$(wc -l <"$csv")" -eq 2 ] || fail "the CSV is not a header and one game"
head -n1 "$csv" | grep -q '^id,started,ended,play_seconds,' || fail "the CSV header is not the kept fields"
IFS=, read -r -a row < <(tail -n1 "$csv" | tr -d '\r')
[ "${#row[@]}" -eq 20 ] || fail "a CSV row of ${#row[@]} fields, not 20"
[ "${row[18]}" = df ] || fail "race ${row[18]}, not df"
[ "${row[3]}" -ge 5 ] && [ "${row[3]}" -le 30 ] || fail "${row[3]} s in play, not the game's 5 to 30"
[ "${row[16]}" -ge 1 ] || fail "no useful action kept, after hits"
[ -n "${row[19]}" ] || fail "no rate samples kept"
actions="$work/exported-actions.csv"
[ -s "$actions" ] || fail "no actions file beside the CSV"
head -n1 "$actions" | grep -q '^game,started,number,kind,button,key,x,y,play_ms,reaction_ms,key_ms' ||
  fail "the actions CSV header is not the kept fields"
[ "$(grep -c ',hit,left,\|,hit,right,' "$actions")" -ge 1 ] || fail "no hit among the kept actions"

step "Close, exit, start again: the game is still there"
xdotool key Escape
within 5 window_closed "Orbicle History - 1 game" || fail "Escape does not close the History window"
menu_keys alt+f x
program_ends 10
[ -f "$XDG_DATA_HOME/Orbicle/history.sqlite3" ] || fail "no history file in $XDG_DATA_HOME/Orbicle"
start_program
open_history "1 game"
xdotool key Escape
echo "PASS"
