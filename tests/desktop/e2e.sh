#!/usr/bin/env bash
# End to end, as a new player meets the program: an empty profile, a click on the idle field,
# the race dialog (its Cancel disabled), a game that runs, File > Stop Game with the mouse
# after the first sample, the result graph, File > Exit, and the settings written.
#   usage: e2e.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (run from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1024x768

step "start with an empty profile"
start_program
read -r wx wy _ _ < <(geometry "$frame")
echo "field $FW x $FH at $fx,$fy"
[ "$FW" -eq 704 ] || fail "field width $FW, not 704 on a 1024 screen"
idle_gray() { snap idle && [ "$(field_gray idle)" -eq $((FW * FH)) ]; }
within 10 idle_gray || fail "the idle field is not plain gray"

step "click the idle field: the race dialog asks, Cancel disabled"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
dialog=$(wait_window "Select Race" 10) || fail "no race dialog"
sleep 0.5
read -r dx dy dw dh < <(geometry "$dialog")
# A control's centre from its dialog-unit box: the client area is 172 x 108 units.
at() { echo $((dx + ($1 + $3 / 2) * dw / 172)) $((dy + ($2 + $4 / 2) * dh / 108)); }
read -r cx cy < <(at 108 78 50 14)
xdotool mousemove "$cx" "$cy" click 1
sleep 1
window_open "Select Race" || fail "the disabled Cancel button closed the dialog"
read -r bx by < <(at 12 24 50 14)
xdotool mousemove "$bx" "$by" click 1
within 5 window_closed "Select Race" || fail "the Default button did not close the dialog"

step "a game runs"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2))
within 15 field_moves || fail "the field shows no running game"
started=$SECONDS

# Opens the File menu with a click on its title and clicks its first or last item.
file_menu() {
  xdotool mousemove $((wx + 20)) $((wy + menu_h / 2)) click 1
  within 5 popup_open || fail "the File menu did not open"
  local px py pw ph
  read -r px py pw ph < <(geometry "$(popups | head -n1)")
  sleep 0.3
  if [ "$1" = first ]; then
    xdotool mousemove $((px + pw / 3)) $((py + 12)) click 1
  else
    xdotool mousemove $((px + pw / 3)) $((py + ph - 12)) click 1
  fi
}

step "stop the game with the mouse through File after the first sample"
sleep 6  # the first rate sample comes after 96 ticks, 4.8 s of play
result_shown() { snap result && shows_result result; }
file_menu first
within 12 result_shown || fail "no result graph after File, Stop Game"  # after the applause
echo "result graph after $((SECONDS - started)) s of play"
[ $((SECONDS - started)) -lt 20 ] || fail "the game ended by itself, not by the menu"
field_still 0.5 || fail "the field still changes after the stop"

step "exit with the mouse through File"
file_menu last
program_ends 10

step "the settings are kept"
settings_file="$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"
[ -f "$settings_file" ] || fail "no settings file $settings_file"
sed 's/^/  /' "$settings_file"
grep -qx 'Race=df' "$settings_file" || fail "Race is not df"
grep -qx 'Options=11011' "$settings_file" || fail "Options are not the defaults 11011"
grep -qx 'Left=120' "$settings_file" || fail "Left is not 120"
grep -qx 'Top=90' "$settings_file" || fail "Top is not 90"
echo "PASS"
