# Shared helpers of the desktop tests: the real program on a display of its own with a window
# manager, driven by real X input (xdotool) and checked on screenshots (xwd, read by
# orbicle-shot). Source it, then call desktop_setup PROGRAM SHOT WIDTHxHEIGHT. The Wayland
# tests (wayland-lib.sh) use the same helpers with their own snap, click_at and start_program.
. "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"
. "$(dirname "${BASH_SOURCE[0]}")/xwindows.sh"

pid=""       # the program's process, once started
frame=""     # its frame window
work=""      # a folder of the test's own, removed at the end

desktop_setup() {
  program=$(realpath "$1")
  shot=$(realpath "$2")
  work=$(mktemp -d)
  trap desktop_cleanup EXIT
  xsession_start "$3" || exit 1
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy
  mkdir -p "$XDG_CONFIG_HOME/Orbicle"
}

desktop_cleanup() {
  # A kill that fails (the program has ended) must not end the cleanup here.
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  xsession_stop
  [ -n "$work" ] && rm -rf "$work"
}

fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}
step() { echo "== $*"; }

# The settings file, one line per argument, under [Settings].
settings() { printf '[Settings]\n' >"$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"; printf '%s\n' "$@" >>"$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"; }

# The id of the shown window titled exactly $1 (a regular expression), if any.
window_id() { windows_titled "$1" | head -n1; }
window_open() { [ -n "$(window_id "$1")" ]; }
window_closed() { ! window_open "$1"; }

# Starts the program and waits for its frame; sets the field's place and size on the screen:
# fx fy (its corner), FW FH (its size), menu_h (the menu bar above it).
start_program() {
  "$program" "$@" >"$work/program.log" 2>&1 &
  pid=$!
  within 20 window_open 'Orbicle' || fail "no frame window titled Orbicle"
  frame=$(window_id 'Orbicle')
  xdotool windowactivate --sync "$frame" 2>/dev/null || true
  sleep 0.5
  set_field $(geometry "$frame")
}

# The field's place and size from the frame's client area X Y W H (the menu bar above a 4:3
# field): fx fy (its corner), FW FH (its size), menu_h (the menu bar).
set_field() {
  FW=$3
  FH=$(($3 * 3 / 4))
  menu_h=$(($4 - FH))
  fx=$1
  fy=$(($2 + menu_h))
  [ "$menu_h" -gt 10 ] && [ "$menu_h" -lt 80 ] || fail "no menu bar above a 4:3 field ($3 x $4)"
}

# Waits up to $1 seconds for the program to end, which it must do with status 0.
program_ends() {
  local status=0
  wait_exit "$pid" "$1" || status=$?
  [ "$status" -ne 124 ] || fail "the program did not end"
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Pixels of an exact colour (R G B) in a shot $work/NAME.xwd of one window alone: window_count
# WINDOW NAME R G B. (A shot of the whole screen shows a dialog's inside black under Xvfb.)
window_count() {
  local w h
  read -r _ _ w h < <(geometry "$1")
  "$shot" count "$work/$2.xwd" 0 0 "$w" "$h" "$3" "$4" "$5"
}

# A screenshot of the whole screen into $work/$1.$shot_ext.
shot_ext=xwd
snap() { xwd -root -silent -out "$work/$1.xwd"; }
# In a screenshot, in field coordinates: pixels of a colour, or that differ from another shot.
field_count() { "$shot" count "$work/$1.$shot_ext" $((fx + $2)) $((fy + $3)) "$4" "$5" "$6" "$7" "$8"; }
field_diff() { "$shot" diff "$work/$1.$shot_ext" "$work/$2.$shot_ext" "$fx" "$fy" "$FW" "$FH"; }
# A press of button $3 (1 left, 3 right) at screen point ($1, $2), or with $4 two presses
# $4 ms apart.
click_at() {
  xdotool mousemove "$1" "$2"
  if [ -n "${4:-}" ]; then
    xdotool click --repeat 2 --delay "$4" "$3"
  else
    xdotool click "$3"
  fi
}
field_gray() { field_count "$1" 0 0 "$FW" "$FH" 128 128 128; }

# Whether the field changes within a second: a game that runs and is not held.
field_moves() {
  snap moves1
  sleep 0.8
  snap moves2
  [ "$(field_diff moves1 moves2)" -gt 0 ]
}
# Whether the field stays exactly as it is for a while: nothing runs.
field_still() {
  snap still1
  sleep "${1:-1}"
  snap still2
  [ "$(field_diff still1 still2)" -eq 0 ]
}

# Whether a screenshot shows the result graph: its vertical axis, 5 pixels of gray at W/8,
# from below the arrowhead down to the horizontal axis at 7H/8.
shows_result() {
  local x0=$((FW / 8)) y0=$((FH / 8)) y1=$((FH * 7 / 8))
  local height=$((y1 - y0 - 40))
  [ "$(field_count "$1" $((x0 - 1)) $((y0 + 30)) 3 "$height" 128 128 128)" -eq $((3 * height)) ]
}

# Whether a screenshot shows the display at the field's corners: the score plate at the top
# right and the key cap at the bottom left, in the figures' colour.
shows_display() {
  local plate keycap
  plate=$(field_count "$1" $((FW - 100)) 10 80 20 96 96 128)
  keycap=$(field_count "$1" 95 $((FH - 45)) 40 35 96 96 128)
  echo "score plate $plate, key cap $keycap pixels of the figures' colour"
  [ "$plate" -gt 1000 ] || fail "no score plate at the field's top right"
  [ "$keycap" -gt 900 ] || fail "no key cap at the field's bottom left"
}

# Red pixels of the accuracy gauge: its top line alone (10 to 54 %) is about 120.
accuracy_red() { field_count "$1" $((FW - 60)) 35 52 72 255 0 0; }

# The mapped popup menus of the program, one id per line.
popups() {
  local w
  for w in $(xwininfo -root -children | awk '/"orbicle"/ && !/ 10x10\+/ {print $1}'); do
    xwininfo -id "$w" | grep -q 'Map State: IsViewable' && echo "$w"
  done
  return 0
}
popup_open() { [ -n "$(popups)" ]; }
popup_closed() { [ -z "$(popups)" ]; }

# Keys to the frame: a menu through its mnemonic, then an item through its own.
menu_keys() {
  xdotool windowactivate --sync "$frame" 2>/dev/null || true
  xdotool key --delay 150 "$@"
  sleep 0.3
}

# The centre of the one circle on the field, as "X Y" on the screen, and its button (1 or 3).
circle() {
  local box
  snap circle
  for colour in "240 255 240 1" "240 240 255 3"; do
    set -- $colour
    box=$("$shot" box "$work/circle.$shot_ext" "$fx" "$fy" "$FW" "$((FH - 60))" "$1" "$2" "$3")
    if [ -n "$box" ]; then
      read -r x0 y0 x1 y1 <<<"$box"
      # Big enough to hit before it changes much.
      [ $((x1 - x0)) -ge 20 ] || return 1
      echo $(((x0 + x1) / 2)) $(((y0 + y1) / 2)) "$4"
      return 0
    fi
  done
  return 1
}

# Hits the circle on the field (waiting for one), then presses the same button again at the
# same spot after $1 ms (none without an argument).
hit_circle() {
  local at=""
  for _ in $(seq 40); do at=$(circle) && break; sleep 0.1; done
  [ -n "$at" ] || fail "no circle to hit"
  read -r cx cy button <<<"$at"
  click_at "$cx" "$cy" "$button" "${1:-}"
}
