#!/usr/bin/env bash
# Orbicle.exe end to end under Wine, as a new player meets it: no settings in the registry, the
# frame titled "Orbicle" with its menu, a click on the idle field opens "Select Race" (its Cancel
# disabled), Enter picks the race button that has the focus (Human, the first) and starts a game
# that runs, File > Exit with the mouse ends the program, and the registry holds Left, Top, Race
# and Options. Real X input from xdotool on the session's display. Wine draws the menus there
# without their contents, so they are found by their windows and clicked where their items lie.
#   usage: e2e.sh SESSION PATH/TO/Orbicle.exe   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
. "$here/../desktop/xwindows.sh"
wine_session_load "$1"
PROGRAM=$2
. "$here/program-lib.sh"
readonly KEY='HKCU\Software\Local AppWizard-Generated Applications\Orbicle'

# The mapped popup windows of the program (its menus), one id a line.
popups() {
  local w
  for w in $(xwininfo -root -children | awk '/"orbicle.exe"/ && /has no name/ {print $1}'); do
    xwininfo -id "$w" | grep -q 'IsViewable' && echo "$w"
  done
  return 0
}
popup_open() { [ -n "$(popups)" ]; }
popup_closed() { [ -z "$(popups)" ]; }
# Two shots of the frame a moment apart differ: the field moves.
field_moves() {
  xwd -id "$frame" -silent -out "$work/a.xwd"
  sleep 0.7
  xwd -id "$frame" -silent -out "$work/b.xwd"
  ! cmp -s "$work/a.xwd" "$work/b.xwd"
}

step "start with no settings"
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
start_program
# The window holds the menu bar and the game window, whose sunken edge is 2 pixels wide.
FW=$((ww - 4))
FH=$((FW * 3 / 4))
menu_h=$((wh - 4 - FH))
echo "frame $ww x $wh at $wx,$wy: field $FW x $FH below a menu bar of $menu_h"
[ "$FW" -eq 704 ] || fail "field width $FW, not 704 on a 1024 screen"
[ "$menu_h" -gt 10 ] && [ "$menu_h" -lt 60 ] || fail "no menu bar above the field"

step "the menu: File opens its popup"
xdotool mousemove $((wx + 14)) $((wy + menu_h / 2)) click 1
within 5 popup_open || fail "File opens no menu"
keys_to "$frame" Escape
within 5 popup_closed || fail "Escape does not close the menu"

step "a click on the idle field asks for a race, Cancel disabled"
xdotool mousemove $((wx + 2 + FW / 2)) $((wy + menu_h + 2 + FH / 2)) click 1
dialog=$(wait_window "Select Race" 20) || fail "no race dialog"
read -r dx dy dw dh < <(geometry "$dialog")
# A control's centre from its box in dialog units: the client area is 172 x 108 units.
at() { echo $((dx + ($1 + $3 / 2) * dw / 172)) $((dy + ($2 + $4 / 2) * dh / 108)); }
read -r cx cy < <(at 108 78 50 14)
xdotool mousemove "$cx" "$cy" click 1
sleep 1
window_open "Select Race" || fail "the disabled Cancel button closed the dialog"
keys_to "$dialog" Return
within 10 window_closed "Select Race" || fail "Enter on the focused Human button did not close the dialog"

step "a game runs"
xdotool mousemove $((wx + 2)) $((wy + menu_h + FH))  # out of the circles' way
within 20 field_moves || fail "the field shows no running game"

step "File > Exit with the mouse"
xdotool mousemove $((wx + 14)) $((wy + menu_h / 2)) click 1
within 5 popup_open || fail "File opens no menu"
read -r px py pw ph < <(geometry "$(popups | head -n1)")
xdotool mousemove $((px + pw / 3)) $((py + ph - 9)) click 1
program_ends 20

step "the settings are in the registry"
# Read until all four are there: under heavy load a read right after the program's end can miss
# what it wrote. Each read is recorded in the session's log, so a late one shows there; a
# program that wrote nothing still fails.
settings_written() {
  settings=$(wine_run reg query "$KEY\\Settings" 2>/dev/null | tr -d '\r') || return 1
  local entry
  for entry in 'Left *REG_DWORD' 'Top *REG_DWORD' 'Race *REG_SZ *hu' 'Options *REG_SZ *11011'; do
    echo "$settings" | grep -Eq "^ *$entry\$|^ *$entry *0x" || return 1
  done
}
within 20 settings_written || fail "not every setting is in $KEY\\Settings: ${settings:-no key}"
echo "$settings" | sed 's/^/  /'
echo "PASS"
