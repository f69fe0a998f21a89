#!/usr/bin/env bash
# The window fits a Wayland screen: Wayland tells a client neither its decorations nor the
# desktop's panels, so the field keeps its size from the screen width when the window fits
# with the frame allowance (platform/desktop/FrameExtents.h) around it, and otherwise takes
# the largest 4:3 size that does; the compositor's whole window, title bar included, lies on
# the screen.
#   usage: wayland-fit.sh PATH/TO/orbicle PATH/TO/orbicle-shot PATH/TO/orbicle-wlinput WIDTHxHEIGHT
set -euo pipefail
. "$(dirname "$0")/wayland-lib.sh"
wayland_setup "$1" "$2" "$3" "$4"
screen_w=${4%x*}
screen_h=${4#*x}
readonly ALLOWANCE_W=16 ALLOWANCE_H=80  # WaylandFrameAllowance: left + right, top + bottom
wayland_settings Race=df Options=11011
start_program

step "the field and the window on a $4 screen"
read -r ox oy ow oh <<<"$(wl_window Orbicle outer)"
echo "field $FW x $FH at $fx,$fy; window $ow x $oh at $ox,$oy"
[ "$ox" -ge 0 ] && [ "$oy" -ge 0 ] || fail "the window starts off the screen"
[ $((ox + ow)) -le "$screen_w" ] && [ $((oy + oh)) -le "$screen_h" ] || fail "the window ends off the screen"
wanted=$((screen_w * 22 / 32))
room_h=$((screen_h - menu_h - ALLOWANCE_H))
if [ $((wanted * 3 / 4)) -le "$room_h" ] && [ "$wanted" -le $((screen_w - ALLOWANCE_W)) ]; then
  [ "$FW" -eq "$wanted" ] || fail "the field is $FW wide although $wanted fits"
else
  [ "$FW" -lt "$wanted" ] || fail "the field is $FW wide and does not fit"
  [ $(((FW + 1) * 3 / 4)) -gt "$room_h" ] || fail "the field ($FW) could be larger"
fi

step "a game shows the display at the field's corners"
click_at $((fx + FW / 2)) $((fy + FH / 2)) 1
within 10 field_moves || fail "no game started"
snap game
shows_display game
menu_keys alt+f x
program_ends 5
echo "PASS"
