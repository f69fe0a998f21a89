#!/usr/bin/env bash
# The training history of Orbicle.exe under Wine, as a player meets it, with real X input from
# xdotool: a game with a few hits stopped through File, File > History... with the game in its
# table, chart and result graph, Export CSV... through the file dialog (the games and, beside
# them, the actions), and then
#   with the system's SQLite (the tests' stand-in for winsqlite3.dll): the game read back from
#     %APPDATA%\Orbicle\history.sqlite3 with Linux's sqlite3, the same as the CSV file, and found
#     again after a new start;
#   --without-sqlite (the stand-in disabled, as on a Windows older than 10): the window says that
#     the history needs Windows 10, the game is still listed for the run, and no file is made.
# The texts, list rows and places of the History window's controls come from orbicle-wintext,
# pixels from xwd shots read by orbicle-shot.
#   usage: history.sh SESSION Orbicle.exe orbicle-wintext.exe orbicle-shot.exe [--without-sqlite]
#   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
. "$here/../desktop/xwindows.sh"
wine_session_load "$1"
PROGRAM=$2 wintext=$3 SHOT=$4 mode=${5:-}
. "$here/program-lib.sh"
[ "$mode" != --without-sqlite ] || export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winsqlite3=d"
readonly KEY='HKCU\Software\Local AppWizard-Generated Applications\Orbicle'

appdata=$(wine_run cmd /c echo %APPDATA% | tr -d '\r')
folder=$(wine_run winepath -u "$appdata\\Orbicle" | tr -d '\r')
history="$folder/history.sqlite3"
rm -rf "$folder"
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true

# The field in the frame's own pixels: below the menu bar, inside the game window's 2-pixel edge.
field_place() {
  FW=$((ww - 4)) FH=$(((ww - 4) * 3 / 4))
  fx=2 fy=$((wh - 2 - FH))
}
# File > Exit with the keys.
exit_program() {
  menu_keys alt+f x
  program_ends 30
}
field_moves() {
  snap "$frame" a
  sleep 0.7
  snap "$frame" b
  [ "$(ask_shot diff a "$wwork\\b.xwd" "$fx" "$fy" "$FW" "$FH")" -gt 0 ]
}
# Clicks the middle of a circle big enough to hit, with its button; false when there is none.
hit_circle() {
  snap "$frame" circle
  local colour box x0 y0 x1 y1
  for colour in "240 255 240 1" "240 240 255 3"; do
    set -- $colour
    box=$(ask_shot box circle "$fx" "$fy" "$FW" $((FH - 60)) "$1" "$2" "$3")
    [ -n "$box" ] || continue
    read -r x0 y0 x1 y1 <<<"$box"
    [ $((x1 - x0)) -ge 20 ] || return 1
    xdotool mousemove $((wx + (x0 + x1) / 2)) $((wy + (y0 + y1) / 2)) click "$4"
    return 0
  done
  return 1
}
# The result graph's vertical axis: gray at W/8 from below its arrowhead to the axis at 7H/8.
shows_result() {
  snap "$frame" result
  local height=$((FH * 3 / 4 - 40))
  [ "$(ask_shot count result $((fx + FW / 8 - 1)) $((fy + FH / 8 + 30)) 3 "$height" 128 128 128)" -eq $((3 * height)) ]
}
# File > Stop Game does nothing before the first rate sample (4.8 s of play): pressed again while
# the game still runs, never once it has stopped (it would start a new game).
stop_game() {
  menu_keys alt+f s
  within 5 shows_result && return 0
  field_moves && return 1
  within 20 shows_result
}
# The History window's controls as orbicle-wintext lists them, into $work/controls.
controls() { wine_run "$wintext" "$1" | tr -d '\r' >"$work/controls"; }
control() { awk -v id="$1" '$1 == id' "$work/controls"; }

step "a game with a few hits, stopped through File after its first sample"
if [ "$mode" = --without-sqlite ]; then
  start_program
  field_place
  # No race yet: the click asks for one, and the dialog's Default button chooses it.
  xdotool mousemove $((wx + fx + FW / 2)) $((wy + fy + FH / 2)) click 1
  dialog=$(wait_window "Select Race" 20) || fail "no race dialog"
  within 10 has_focus "$dialog" || fail "the race dialog does not get the keys"
  read -r dx dy dw dh < <(geometry "$dialog")
  xdotool mousemove $((dx + 37 * dw / 172)) $((dy + 31 * dh / 108)) click 1  # Default: 12, 24, 50 x 14
  within 10 window_closed "Select Race" || fail "the Default button did not close the dialog"
else
  "$WINE" reg add "$KEY\\Settings" /v Race /d df /f >/dev/null
  start_program
  field_place
  xdotool mousemove $((wx + fx + FW / 2)) $((wy + fy + FH / 2)) click 1
fi
within 20 field_moves || fail "the field shows no running game"
hits=0
for _ in $(seq 40); do
  hit_circle && hits=$((hits + 1))
  [ "$hits" -lt 4 ] || break
done
# And one click beside them, judged as a hit or a miss.
xdotool mousemove $((wx + fx + 8)) $((wy + fy + 8)) click 1
echo "clicked $hits circles"
within 60 stop_game || fail "no result graph after File > Stop Game"

step "File > History... shows the game"
open_history "Orbicle History - 1 game"
within 10 controls "Orbicle History - 1 game" || fail "orbicle-wintext finds no History window"
sed 's/^/  /' "$work/controls"
[ "$(control 1011 | awk '{print $8}')" = 1 ] || fail "the table does not list one game"
control 1014 | grep -q ' enabled ' || fail "Export CSV... is disabled"
status=$(control 1013)
if [ "$mode" = --without-sqlite ]; then
  [[ $status == *"needs Windows 10 or later"* ]] || fail "the window does not say that the history needs Windows 10"
  [[ $status == *"memory, for as long as the program runs"* ]] || fail "the window does not say where the games are"
else
  [[ $status == *"Games are kept in $appdata\\Orbicle\\history.sqlite3."* ]] || fail "the window names no history file"
fi
# The pictures are painted after the window opens: shot again until every colour is there.
drawn() {
  snap "$history_window" history
  missing=""
  local colour
  for colour in "215 45 35 best rate" "240 165 0 personal best" "35 145 60 accuracy" "255 0 0 result graph"; do
    set -- $colour
    [ "$(in_history history "$1" "$2" "$3")" -gt 0 ] 2>/dev/null || missing+=" ${*:4};"
  done
  [ -z "$missing" ]
}
within 15 drawn || fail "the History window does not show:$missing"

step "Export CSV... through the file dialog"
csv="$work/exported.csv"
keys_to "$history_window" alt+e
save=$(wait_window "Export CSV" 20) || fail "Export CSV... opens no file dialog"
within 10 has_focus "$save" || fail "the file dialog does not get the keys"
xdotool type --delay 20 "$wwork\\exported.csv"
typed() {
  local shown
  shown=$(wine_run "$wintext" "Export CSV")
  [[ $shown == *"\"$wwork\\exported.csv\""* ]]
}
within 10 typed || fail "the file name did not arrive: $(wine_run "$wintext" "Export CSV")"
keys_to "$save" Return
within 20 test -s "$csv" || fail "no CSV file written"
within 10 window_closed "Export CSV" || fail "the file dialog stays open"
sed 's/^/  /' "$csv"
[ "$(wc -l <"$csv")" -eq 2 ] || fail "the CSV is not a header and one game"
head -n1 "$csv" | grep -q '^id,started,ended,play_seconds,' || fail "the CSV header is not the kept fields"
IFS=, read -r -a row < <(tail -n1 "$csv" | tr -d '\r')
[ "${#row[@]}" -eq 20 ] || fail "a CSV row of ${#row[@]} fields, not 20"
[ "${row[18]}" = df ] || fail "race ${row[18]}, not df"
[ "${row[3]}" -ge 5 ] && [ "${row[3]}" -le 120 ] || fail "${row[3]} s in play, not the game's 5 to 120"
[ $((row[16] + row[17])) -ge 1 ] || fail "no click judged: $((row[16])) useful actions, $((row[17])) misses"
[ -n "${row[19]}" ] || fail "no rate samples kept"
actions_csv="$work/exported-actions.csv"
[ -s "$actions_csv" ] || fail "no actions file beside the CSV file"
head -n1 "$actions_csv" | tr -d '\r' | grep -qx 'game,started,number,kind,button,key,x,y,play_ms,reaction_ms,key_ms' ||
  fail "the actions file's header is not the actions' fields"
[ "$(grep -c "^${row[0]},.*,\(hit\|miss\)," "$actions_csv")" -ge $((row[16] + row[17])) ] ||
  fail "the actions file holds fewer presses than the game judged"

step "Close with Escape and File > Exit"
keys_to "$history_window" Escape
within 10 window_closed "Orbicle History - 1 game" || fail "Escape does not close the History window"
exit_program

if [ "$mode" = --without-sqlite ]; then
  step "no history file"
  [ ! -e "$folder" ] || fail "a history folder was made: $(ls -A "$folder")"
  "$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
  echo "PASS"
  exit 0
fi

step "the file read back with Linux's sqlite3"
[ -f "$history" ] || fail "no history file $history"
[ "$(sqlite3 "$history" 'PRAGMA user_version')" = 3 ] || fail "the schema is not version 3"
[ "$(sqlite3 "$history" 'PRAGMA journal_mode')" = wal ] || fail "the file is not in write-ahead-log mode"
kept=$(sqlite3 -separator , "$history" \
  "SELECT id,play_seconds,score,average,best,last,accuracy,useful,misses,race,samples FROM games")
echo "  $kept"
expected=$(IFS=,; echo "${row[0]},${row[3]},${row[11]},${row[12]},${row[13]},${row[14]},${row[15]},${row[16]},${row[17]},${row[18]},${row[19]}")
[ "$kept" = "$expected" ] || fail "the file holds $kept, the CSV $expected"

step "a new start finds the game again"
start_program
open_history "Orbicle History - 1 game"
keys_to "$history_window" Escape
within 10 window_closed "Orbicle History - 1 game" || fail "Escape does not close the History window"
exit_program
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
rm -rf "$folder"
echo "PASS"
