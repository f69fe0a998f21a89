#!/usr/bin/env bash
# A new player on a Wayland desktop: the program runs as a native Wayland client, its window
# fits the screen, the race dialog answers the virtual pointer, a game is played with presses
# of both buttons (each judged, also the second of a quick pair), the menus open with Alt and
# a letter, a custom key arms, and the program ends through the keyboard leaving the stored
# corner as it was (a Wayland compositor places windows itself).
#   usage: wayland-play.sh PATH/TO/orbicle PATH/TO/orbicle-shot PATH/TO/orbicle-wlinput
set -euo pipefail
. "$(dirname "$0")/wayland-lib.sh"
wayland_setup "$1" "$2" "$3" 1024x768
# No race yet; a corner off the screen, which X11 would move back to 120, 90.
wayland_settings Left=3000 Top=-2000 Options=11011
start_program

step "a Wayland window, inside the screen, its field from the screen width"
app_id=$(wl_window Orbicle app_id)
[ "$app_id" = orbicle ] || fail "the window is no native Wayland client (app_id '$app_id')"
read -r ox oy ow oh <<<"$(wl_window Orbicle outer)"
echo "field $FW x $FH at $fx,$fy; window $ow x $oh at $ox,$oy"
[ "$FW" -eq 704 ] || fail "field width $FW, not 704 on a 1024 screen"
[ "$ox" -ge 0 ] && [ "$oy" -ge 0 ] && [ $((ox + ow)) -le 1024 ] && [ $((oy + oh)) -le 768 ] ||
  fail "the window is not inside the screen"
idle_gray() { snap idle && [ "$(field_gray idle)" -eq $((FW * FH)) ]; }
within 10 idle_gray || fail "the idle field is not plain gray"

step "a click on the idle field: the race dialog; Default with the pointer"
click_at $((fx + FW / 2)) $((fy + FH / 2)) 1
within 10 wl_window_open "Select Race" || fail "no race dialog"
sleep 0.5
read -r dx dy dw dh <<<"$(wl_window "Select Race" area)"
# A control's centre from its dialog-unit box: the client area is 172 x 108 units.
at() { echo $((dx + ($1 + $3 / 2) * dw / 172)) $((dy + ($2 + $4 / 2) * dh / 108)); }
read -r bx by < <(at 12 24 50 14)
click_at "$bx" "$by" 1
within 5 eval '! wl_window_open "Select Race"' || fail "the Default button did not close the dialog"
within 5 wl_focused Orbicle || fail "the frame is not focused after the dialog"

step "a game runs; presses of both buttons, each judged"
wlinput move $((fx + FW / 2)) $((fy + FH / 2))
within 15 field_moves || fail "the field shows no running game"
gauge() { sleep 0.5; snap gauge; accuracy_red gauge; }
# The centre of a circle for button $1 (1 left: green rim, 3 right: blue), big enough to hit.
circle_for() {
  local colour="240 255 240" box top x0 y0 x1 y1
  [ "$1" = 3 ] && colour="240 240 255"
  snap circle
  # The topmost such circle alone: its first pixel, then the box of its colour just around it
  # (a box round every circle of the button could centre between two of them).
  # shellcheck disable=SC2086
  top=$("$shot" find "$work/circle.ppm" "$fx" "$fy" "$FW" $((FH - 60)) $colour) || return 1
  [ -n "$top" ] || return 1
  read -r x0 y0 <<<"$top"
  local left=$((x0 - 80 < fx ? fx : x0 - 80))
  # shellcheck disable=SC2086
  box=$("$shot" box "$work/circle.ppm" "$left" "$y0" 160 160 $colour)
  [ -n "$box" ] || return 1
  read -r x0 y0 x1 y1 <<<"$box"
  [ $((x1 - x0)) -ge 20 ] || return 1
  echo $(((x0 + x1) / 2)) $(((y0 + y1) / 2))
}
# A circle of each button hit with it, and pressed again at the same spot 120 ms later: a
# quick pair whose second press is judged too (a miss), so the accuracy is one half.
for button in 1 3; do
  at=""
  for _ in $(seq 150); do at=$(circle_for "$button") && break; sleep 0.1; done
  [ -n "$at" ] || fail "no circle for button $button came"
  read -r cx cy <<<"$at"
  click_at "$cx" "$cy" "$button" 120
done
red=$(gauge)
echo "two hits, two second presses: $red red pixels"
[ "$red" -gt 60 ] && [ "$red" -lt 250 ] || fail "the gauge shows not 50 % but $red red pixels"

step "the game stopped through the keyboard: Alt+F, then S"
sleep 5  # the game can be stopped after its first rate sample
result_shown() { snap r && shows_result r; }
menu_keys alt+f s
within 8 result_shown || fail "Alt+F, S did not stop the game"

step "Custom Keys on (Alt+O, K), a new game (Alt+F, N): Q arms a key, Alt does not"
menu_keys alt+o k
menu_keys alt+f n
within 10 field_moves || fail "no new game"
cap() { snap "cap$1"; field_count "cap$1" 90 $((FH - 50)) 52 46 0 255 0; }
cap_diff() { "$shot" diff "$work/cap$1.ppm" "$work/cap$2.ppm" $((fx + 90)) $((fy + FH - 50)) 52 46; }
keys q
sleep 0.3
[ "$(cap 0)" -gt 20 ] || fail "Q shows in no key cap"
keys Alt
sleep 0.3
cap 1 >/dev/null
[ "$(cap_diff 0 1)" -eq 0 ] || fail "Alt changed the key cap"
keys w
sleep 0.3
cap 2 >/dev/null
[ "$(cap_diff 0 2)" -gt 0 ] || fail "W did not arm"

step "exit through the keyboard: Alt+F, X; the stored corner left as it was"
menu_keys alt+f x
program_ends 5
conf="$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"
sed 's/^/  /' "$conf"
grep -qx 'Race=df' "$conf" || fail "Race is not df"
grep -qx 'Left=3000' "$conf" && grep -qx 'Top=-2000' "$conf" || fail "the stored corner was changed"
echo "PASS"
