#!/usr/bin/env bash
# Holds on a Wayland desktop: the race cursor over the field; a game runs exactly while its
# window has the focus: a click on another window holds it, a click on the game's title bar
# frees it; hidden in sway's scratchpad (its way of minimising) right after its start, no play
# time passes; a pause shows in the title.
#   usage: wayland-holds.sh PATH/TO/orbicle PATH/TO/orbicle-shot PATH/TO/orbicle-wlinput
set -euo pipefail
. "$(dirname "$0")/wayland-lib.sh"
wayland_setup "$1" "$2" "$3" 1024x768
wayland_settings Race=df Options=11011
start_program

other_pid=""
stop_other() { [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null; wayland_cleanup; }
trap stop_other EXIT
# Another program to switch to, in the screen's top left corner, beside the field.
"${AS_USER[@]}" foot --title other --window-size-pixels 150x70 sleep 600 >/dev/null 2>&1 &
other_pid=$!
within 10 wl_window_open other || fail "no other window to switch to"
other=$(wl_window other id)
as_user swaymsg "[con_id=$other] move position 0 0" >/dev/null
wl_focus "$frame"
read -r ox oy ow _ <<<"$(wl_window Orbicle outer)"
title_bar() { echo $((ox + ow / 2)) $((oy + 8)); }
title() { wl_windows | jq -r "select(.id == $frame) | .name"; }

step "the race's cursor over the field"
wlinput move $((fx + FW / 2)) $((fy + FH / 2))
sleep 0.3
snap cursor
# The Default race's arrow: a red head with a yellow core, its hot spot at the pointer.
arrow_red=$("$shot" count "$work/cursor.ppm" $((fx + FW / 2)) $((fy + FH / 2)) 32 32 204 0 0)
arrow_yellow=$("$shot" count "$work/cursor.ppm" $((fx + FW / 2)) $((fy + FH / 2)) 32 32 255 204 0)
echo "cursor: $arrow_red red, $arrow_yellow yellow pixels"
[ "$arrow_red" -gt 10 ] && [ "$arrow_yellow" -gt 5 ] || fail "the pointer is not the race's cursor"

step "a game runs while its window has the focus"
click_at $((fx + FW / 2)) $((fy + FH / 2)) 1
within 10 field_moves || fail "the game does not run"
step "a click on the other window: the game stands still; on its own title bar: it runs"
read -r tx ty _ _ <<<"$(wl_window other area)"
wlinput click $((tx + 20)) $((ty + 20)) left
within 3 wl_focused other || fail "the other window did not take the focus"
field_still 1.5 || fail "the game runs while another window has the focus"
read -r bx by < <(title_bar)
wlinput click "$bx" "$by" left
within 3 wl_focused Orbicle || fail "a click on the title bar did not focus the game"
within 5 field_moves || fail "the game does not run once its window has the focus again"

step "paused: the title says so and the field stands still"
sleep 5  # past the first rate sample, so that the game can be stopped
menu_keys alt+f p
within 3 eval '[ "$(title)" = "Orbicle (paused)" ]' || fail "the title reads '$(title)' while paused"
field_still 1.5 || fail "the paused game runs"
step "stopped while paused, then a new game: it runs"
menu_keys alt+f s
within 8 eval 'snap r && shows_result r' || fail "the paused game did not stop"
within 3 eval '[ "$(title)" = "Orbicle" ]' || fail "the title reads '$(title)' after the stop"
menu_keys alt+f n
within 8 field_moves || fail "the game after a paused stop does not run"

step "hidden in the scratchpad for 6 s right after the start: no play time passes"
as_user swaymsg "[con_id=$frame] move scratchpad" >/dev/null
sleep 0.5
[ "$(wl_window Orbicle visible)" = false ] || fail "the window did not leave the screen"
sleep 6
as_user swaymsg "[con_id=$frame] scratchpad show" >/dev/null
within 3 wl_focused Orbicle || fail "the window came back without the focus"
set_field $(wl_window Orbicle area)  # where the compositor shows it now
menu_keys alt+f s  # disabled before the first rate sample, 4.8 s into the game
sleep 1
if snap r && shows_result r; then fail "the game ran while hidden: it could be stopped at once"; fi
keys Escape
sleep 5
menu_keys alt+f s
within 8 eval 'snap r && shows_result r' || fail "the game could not be stopped after 5 s of play"

menu_keys alt+f x
program_ends 5
echo "PASS"
