#!/usr/bin/env bash
# The window fits the screen it opens on: the field keeps its size from the screen width when
# the whole window fits, and otherwise takes the largest 4:3 size that does; the display
# follows the field to its bottom edge.
#   usage: fit.sh PATH/TO/orbicle PATH/TO/orbicle-shot WIDTHxHEIGHT   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" "$3"
screen_w=${3%x*}
screen_h=${3#*x}
settings Race=df Options=11011
start_program

step "the field and the window on a $3 screen"
read -r left right top bottom < <(xprop -id "$frame" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
read -r wx wy ww wh < <(geometry "$frame")
echo "field $FW x $FH at $fx,$fy; window $((ww + left + right)) x $((wh + top + bottom)) at $((wx - left)),$((wy - menu_h - top + menu_h))"
[ $((wx - left)) -ge 0 ] && [ $((wy - top)) -ge 0 ] || fail "the window starts off the screen"
[ $((wx + ww + right)) -le "$screen_w" ] && [ $((wy + wh + bottom)) -le "$screen_h" ] || fail "the window ends off the screen"
wanted=$((screen_w * 22 / 32))
if [ $((wanted * 3 / 4 + menu_h + top + bottom)) -le "$screen_h" ]; then
  [ "$FW" -eq "$wanted" ] || fail "the field is $FW wide although $wanted fits"
else
  [ "$FW" -lt "$wanted" ] || fail "the field is $FW wide and does not fit"
  # As large as fits: one pixel wider would not.
  [ $(((FW + 1) * 3 / 4 + menu_h + top + bottom)) -gt "$screen_h" ] || fail "the field ($FW) could be larger"
fi

step "a game shows the display at the field's corners"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 10 field_moves || fail "no game started"
snap game
shows_display game
echo "PASS"
