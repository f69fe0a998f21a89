#!/usr/bin/env bash
# End-to-end test of the desktop program: the real `orbicle` on a virtual X display (Xvfb),
# driven by real X input (xdotool) and checked on screenshots (xwd, read by orbicle-shot).
# It starts the program with an empty home, clicks the idle field, answers the race dialog,
# sees a game run, stops it through the menu after the first sample, sees the result graph,
# exits through the menu and finds the settings written.
#   usage: e2e.sh PATH/TO/orbicle PATH/TO/orbicle-shot   (run from the repository root)
set -euo pipefail

program=$(realpath "$1")
shot=$(realpath "$2")
if [ -z "${ORBICLE_E2E_ON_XVFB:-}" ]; then
  # A display of its own, 1024 pixels wide: a 704 x 528 field.
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" env ORBICLE_E2E_ON_XVFB=1 "$0" "$@"
fi

readonly SCREEN_W=1024 FIELD_W=$((1024 * 22 / 32)) FIELD_H=$((1024 * 22 / 32 * 3 / 4))
work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}
step() { echo "== $*"; }

# A screenshot of the whole screen into $work/$1.xwd.
snap() { xwd -root -silent -out "$work/$1.xwd"; }
# x y width height of a window, outer corner in screen coordinates.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
                          /^ *Width:/{w=$2} /^ *Height:/{h=$2} END{print x, y, w, h}'
}
# Waits up to $2 seconds for a window titled exactly $1 and prints its id.
wait_window() {
  local name=$1 deadline=$((SECONDS + $2)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
window_open() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_closed() { ! window_open "$1"; }
# Runs a check again and again for up to $1 seconds, until it succeeds.
within() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
# Pixels of the field that differ between two screenshots.
field_diff() { "$shot" diff "$work/$1.xwd" "$work/$2.xwd" "$fx" "$fy" "$FIELD_W" "$FIELD_H"; }
# Pixels of the field's class gray in a screenshot.
field_gray() { "$shot" count "$work/$1.xwd" "$fx" "$fy" "$FIELD_W" "$FIELD_H" 128 128 128; }
# Whether a screenshot shows the result graph: its vertical axis, 5 pixels of gray at W/8,
# from below the arrowhead down to the horizontal axis at 7H/8.
shows_result() {
  local x0=$((FIELD_W / 8)) y0=$((FIELD_H / 8)) y1=$((FIELD_H * 7 / 8))
  local height=$((y1 - y0 - 40))
  local gray
  gray=$("$shot" count "$work/$1.xwd" $((fx + x0 - 1)) $((fy + y0 + 30)) 3 "$height" 128 128 128)
  [ "$gray" -eq $((3 * height)) ]
}
# Opens the File menu with a click on its title and clicks its first or last item.
file_menu() {
  xdotool mousemove $((wx + 20)) $((wy + menu_h / 2)) click 1
  local popup="" _
  for _ in $(seq 25); do
    # The popup: a window of its own whose corner lies just below the File title.
    popup=$(xwininfo -root -children | awk -v x="$wx" -v y="$fy" '
      match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+/) {
        split(substr($0, RSTART, RLENGTH), g, /[x+]/)
        if (g[3] >= x && g[3] < x + 60 && g[4] >= y - 4 && g[4] <= y + 4 && g[2] > 30) print g[1], g[2], g[3], g[4]
      }' | head -n1)
    [ -n "$popup" ] && break
    sleep 0.2
  done
  [ -n "$popup" ] || fail "the File menu did not open"
  read -r pw ph px py <<<"$popup"
  sleep 0.3
  if [ "$1" = first ]; then
    xdotool mousemove $((px + pw / 3)) $((py + 12)) click 1
  else
    xdotool mousemove $((px + pw / 3)) $((py + ph - 12)) click 1
  fi
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"

step "start with an empty profile"
"$program" >"$work/program.log" 2>&1 &
pid=$!
frame=$(wait_window Orbicle 20) || fail "no frame window titled Orbicle"
xdotool windowfocus --sync "$frame"
sleep 1
read -r wx wy ww wh < <(geometry "$frame")
menu_h=$((wh - FIELD_H))
fx=$wx
fy=$((wy + menu_h))
echo "frame at $wx,$wy, $ww x $wh; field at $fx,$fy"
[ "$ww" -eq "$FIELD_W" ] || fail "client width $ww, not the field's $FIELD_W"
[ "$menu_h" -gt 10 ] && [ "$menu_h" -lt 80 ] || fail "no menu bar above the field (height $wh)"
[ "$wx" -eq 120 ] && [ "$wy" -eq 90 ] || fail "a first run opens at 120,90, not $wx,$wy"
idle_gray() { snap idle && [ "$(field_gray idle)" -eq $((FIELD_W * FIELD_H)) ]; }
within 10 idle_gray || fail "the idle field is not plain gray"

step "click the idle field: the race dialog asks, Cancel disabled"
xdotool mousemove $((fx + FIELD_W / 2)) $((fy + FIELD_H / 2)) click 1
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

step "a game runs: the field changes"
xdotool mousemove $((fx + FIELD_W / 2)) $((fy + FIELD_H / 2))
deadline=$((SECONDS + 15))
while :; do
  snap running1
  [ "$(field_gray running1)" -lt $((FIELD_W * FIELD_H / 2)) ] && break
  [ $SECONDS -lt $deadline ] || fail "the field still shows no game"
  sleep 0.3
done
started=$SECONDS
sleep 0.7
snap running2
changed=$(field_diff running1 running2)
echo "pixels changed in 0.7 s: $changed"
[ "$changed" -gt 100 ] || fail "the field does not change while a game runs"

step "stop the game through the menu after the first sample"
sleep 6  # the first rate sample comes after 96 ticks, 4.8 s of play
stopped=""
for attempt in 1 2 3; do
  file_menu first
  deadline=$((SECONDS + 12))  # the applause plays before the results are painted
  while [ $SECONDS -lt $deadline ]; do
    snap result
    if shows_result result; then stopped=$SECONDS; break 2; fi
    sleep 0.3
  done
  xdotool key Escape  # a menu left open, if the item was not yet enabled
done
[ -n "$stopped" ] || fail "no result graph after File, Stop Game"
echo "result graph after $((stopped - started)) s of play"
# The end rule alone would have ended this game after more than 20 s.
[ $((stopped - started)) -lt 20 ] || fail "the game ended by itself, not by the menu"
sleep 0.5
snap result2
[ "$(field_diff result result2)" -eq 0 ] || fail "the field still changes after the stop"

step "exit through the menu"
file_menu last
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then fail "the program did not end after File, Exit"; fi
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

step "the settings are kept"
settings="$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"
[ -f "$settings" ] || fail "no settings file $settings"
sed 's/^/  /' "$settings"
grep -qx 'Race=df' "$settings" || fail "Race is not df"
grep -qx 'Options=11011' "$settings" || fail "Options are not the defaults 11011"
grep -qx 'Left=120' "$settings" || fail "Left is not 120"
grep -qx 'Top=90' "$settings" || fail "Top is not 90"
echo "PASS"
