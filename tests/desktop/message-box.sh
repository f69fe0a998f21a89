#!/usr/bin/env bash
# The message box on screen. A 5,000-character race code in the profile makes a new game
# report "Cannot open the file res\keys_....txt": the box must lie within the screen with its
# text and an OK button that closes it; then the program closes normally and keeps the code.
#   usage: message-box.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (run from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
readonly SCREEN_W=1024 SCREEN_H=768 BUTTON_ROW=48
desktop_setup "$1" "$2" "${SCREEN_W}x${SCREEN_H}"
race=$(head -c 5000 /dev/zero | tr '\0' x)
settings "Race=$race"
start_program

# A click on the field starts a game, which reads the hotkey set of the stored race.
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
clicked=$(now_ms)
box=$(wait_window Orbicle 10 "$frame") || fail "no message box after the click"
echo "message box after $(($(now_ms) - clicked)) ms"
sleep 0.5  # painted
read -r bx by bw bh < <(geometry "$box")
echo "box at $bx,$by, $bw x $bh"
[ "$bx" -ge 0 ] && [ "$by" -ge 0 ] && [ $((bx + bw)) -le $SCREEN_W ] && [ $((by + bh)) -le $SCREEN_H ] ||
  fail "the box reaches beyond the ${SCREEN_W} x ${SCREEN_H} screen"
xwd -root -silent -out "$work/box.xwd"

# Its text: lines of dark letters on a light ground above the button row.
text_area=$((bw * (bh - BUTTON_ROW)))
read -r letters _ < <("$shot" dark "$work/box.xwd" "$bx" "$by" "$bw" $((bh - BUTTON_ROW)) 128)
echo "dark text pixels: $letters of $text_area"
[ "$letters" -gt 5000 ] || fail "the box shows hardly any text ($letters dark pixels)"
[ "$letters" -lt $((text_area / 3)) ] || fail "the box is dark, not text on a light ground"

# The OK button's label in the row at the bottom; a click on it closes the box.
read -r label x0 y0 x1 y1 < <("$shot" dark "$work/box.xwd" "$bx" $((by + bh - BUTTON_ROW)) "$bw" $BUTTON_ROW 128)
echo "OK label at $x0,$y0 - $x1,$y1"
[ "$label" -gt 10 ] && [ $((x1 - x0)) -lt 60 ] && [ $((y1 - y0)) -lt 30 ] ||
  fail "no button label at the bottom of the box"
[ $((x0 + x1)) -gt $((2 * bx + bw / 2)) ] && [ $((x0 + x1)) -lt $((2 * bx + 3 * bw / 2)) ] ||
  fail "the button is not in the middle of the row"
xdotool mousemove $(((x0 + x1) / 2)) $(((y0 + y1) / 2)) click 1
box_closed() { ! windows_titled Orbicle | grep -qx "$box"; }
within 5 box_closed || fail "the OK button did not close the box"

# The program then closes as usual and keeps the race code.
close_window "$frame"
program_ends 15
grep -qx "Race=$race" "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf" || fail "the race code was not kept"
echo "PASS"
