#!/usr/bin/env bash
# Holds as a player meets them under a window manager: the frame at its stored corner (X11 lets
# the program place it); the game runs exactly while its window is the active one and not
# minimised, a click on the inactive window starts a game that runs, a pause shows in the
# title, and a game stopped while paused leaves the next one free.
#   usage: holds.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (from the repository root)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1024x768
settings Race=df Options=11011 Left=40 Top=30
start_program

step "the frame opens at the stored corner: X11 lets the program place it"
read -r left _ top _ < <(xprop -id "$frame" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
read -r wx wy _ _ < <(geometry "$frame")
echo "frame corner $((wx - left)),$((wy - top))"
[ $((wx - left)) -eq 40 ] && [ $((wy - top)) -eq 30 ] || fail "the frame is not at the stored corner 40,30"

other_pid=""
stop_other() { [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null; desktop_cleanup; }
trap stop_other EXIT
# Another program to switch to, beside the field.
xlogo -geometry 120x100+880+640 2>/dev/null &
other_pid=$!
within 10 window_open xlogo || fail "no other window to switch to"
other=$(window_id xlogo)
activate() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowactivate "$1"; sleep 0.5; }
title() { xdotool getwindowname "$frame"; }
result_shown() { snap r && shows_result r; }

step "a click on the inactive window's idle field starts a game that runs"
activate "$other"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 10 field_moves || fail "the game started by the click does not run"

step "minimised and restored three times: the game runs while its window is active"
for _ in 1 2 3; do
  xdotool windowminimize --sync "$frame"
  sleep 0.5
  activate "$frame"
done
within 5 field_moves || fail "after minimising and restoring the active window's game is frozen"
step "another window active: the game stands still; back: it runs"
activate "$other"
field_still 1.5 || fail "the game runs while another window is active"
activate "$frame"
within 5 field_moves || fail "the game does not run once its window is active again"

step "paused: the title says so and the field stands still"
sleep 5  # past the first rate sample, so that the game can be stopped
menu_keys alt+f p
[ "$(title)" = "Orbicle (paused)" ] || fail "the title reads '$(title)' while paused"
field_still 1.5 || fail "the paused game runs"
step "stopped while paused, then a new game: it runs"
menu_keys alt+f s
within 8 result_shown || fail "the paused game did not stop"
[ "$(title)" = "Orbicle" ] || fail "the title reads '$(title)' after the stop"
menu_keys alt+f n
within 8 field_moves || fail "the game after a paused stop does not run"

step "minimised for 6 s right after the start: no play time passes"
xdotool windowminimize --sync "$frame"
sleep 6
activate "$frame"
menu_keys alt+f s  # disabled before the first rate sample, 4.8 s into the game
sleep 1
result_shown && fail "the game ran while minimised: it could be stopped at once"
xdotool key Escape
within 3 popup_closed || fail "the File menu stayed open"
sleep 5
menu_keys alt+f s
within 8 result_shown || fail "the game could not be stopped after 5 s of play"

menu_keys alt+f x
program_ends 5
grep -qx 'Left=40' "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf" && grep -qx 'Top=30' "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf" ||
  fail "the corner written back is not 40,30"
echo "PASS"
