#!/usr/bin/env bash
# Presses and keys as a player makes them: every press judged once, the second of a quick pair
# as a double click (also on the idle field); Alt, F10 and Alt+letter never arm a key but open
# the menus; Ctrl+Q does nothing.
#   usage: input.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1024x768
settings Race=df Options=11011
start_program

# The accuracy gauge as a player reads it, once the next statistics slot has closed.
gauge() { sleep 0.5; snap gauge; accuracy_red gauge; }

step "a quick pair on the idle field: the first press starts a game, the second is an empty click"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click --repeat 2 --delay 120 1
within 10 field_moves || fail "no game started"
hit_circle
red=$(gauge)
echo "one hit, one miss: $red red pixels"
[ "$red" -gt 60 ] && [ "$red" -lt 250 ] || fail "the gauge shows not 50 % but $red red pixels"

step "a hit and a second press at the same spot, 120 ms and then 700 ms later: each press judged"
hit_circle 120
red=$(gauge)
echo "two hits, two misses: $red red pixels"
[ "$red" -gt 60 ] && [ "$red" -lt 250 ] || fail "the second press of a quick pair was not judged ($red)"
hit_circle 700
red=$(gauge)
echo "three hits, three misses: $red red pixels"
[ "$red" -gt 60 ] && [ "$red" -lt 250 ] || fail "the second of two slow presses was not judged ($red)"

step "the game stopped through the keyboard: Alt+F, then S"
sleep 4  # the game can be stopped after its first rate sample
menu_keys alt+f s
within 8 eval 'snap r && shows_result r' || fail "Alt+F, S did not stop the game"

step "Custom Keys on after the game, then a new game: Alt+O K, Alt+F N"
menu_keys alt+o k
menu_keys alt+f n
within 10 field_moves || fail "no new game"

# The key cap at the field's bottom left: its green pixels, and the pixels that differ
# between two of its screenshots.
cap() { snap "cap$1"; field_count "cap$1" 90 $((FH - 50)) 52 46 0 255 0; }
cap_diff() { "$shot" diff "$work/cap$1.xwd" "$work/cap$2.xwd" $((fx + 90)) $((fy + FH - 50)) 52 46; }
step "Q arms a key; Alt, F10 and Alt+letters do not, and open the menus instead"
xdotool key q
sleep 0.3
[ "$(cap 0)" -gt 20 ] || fail "Q shows in no key cap"
xdotool key alt
sleep 0.3
cap 1 >/dev/null
[ "$(cap_diff 0 1)" -eq 0 ] || fail "Alt changed the key cap"
for keys in F10 alt+f alt+o alt+h; do
  xdotool key "$keys"
  within 3 popup_open || fail "$keys opened no menu"
  xdotool key Escape  # closes the menu; a second one would reach the game and disarm
  within 3 popup_closed || fail "the menu of $keys did not close"
  cap 2 >/dev/null
  [ "$(cap_diff 0 2)" -eq 0 ] || fail "$keys changed the key cap"
done

step "Ctrl+Q does nothing; W still arms"
xdotool key ctrl+q
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Ctrl+Q ended the program"
xdotool key w
sleep 0.3
cap 3 >/dev/null
[ "$(cap_diff 0 3)" -gt 0 ] || fail "W did not arm"

step "exit through the keyboard: Alt+F, X"
menu_keys alt+f x
program_ends 5
echo "PASS"
