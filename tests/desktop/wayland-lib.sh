# Shared steps of the Wayland tests: the real program as a Wayland client of a headless sway
# (wlsession.sh), driven by real input through the compositor's virtual pointer
# and keyboard (orbicle-wlinput), checked on grim's screenshots with the
# helpers of lib.sh. Source it, then call wayland_setup PROGRAM SHOT POINTER WIDTHxHEIGHT.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/wlsession.sh"

wayland_setup() {
  program=$(realpath "$1")
  shot=$(realpath "$2")
  WLSESSION_INPUT=$(realpath "$3")
  work=$(mktemp -d)
  trap wayland_cleanup EXIT
  for tool in sway swaymsg grim jq; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (./orbicle.sh installs it)" >&2; exit 1; }
  done
  wlsession_start "$4" || exit 1
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" SDL_AUDIODRIVER=dummy
  mkdir -p "$XDG_CONFIG_HOME/Orbicle"
  # The program and grim run as the session's user and write here.
  [ "$(id -u)" -ne 0 ] || chown -R 65534:65534 "$work"
}

wayland_cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  wlsession_stop
  [ -n "$work" ] && rm -rf "$work"
}

# The settings file, one line per argument, under [Settings], the session user's.
wayland_settings() {
  settings "$@"
  [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"
}

# Screenshots through the compositor (the pointer included), as PPM files.
shot_ext=ppm
snap() { as_user grim -t ppm "$work/$1.ppm"; }
# The virtual pointer's presses; buttons as X numbers them (1 left, 3 right).
click_at() {
  local button=left
  [ "$3" = 3 ] && button=right
  if [ -n "${4:-}" ]; then
    wlinput click "$1" "$2" "$button" 2 "$4"
  else
    wlinput click "$1" "$2" "$button"
  fi
}

# Keys through the virtual keyboard, 150 ms apart: each argument a key, "alt+f" with Alt held.
keys() {
  local key
  for key in "$@"; do
    wlinput key "$key"
    sleep 0.15
  done
}
menu_keys() { keys "$@"; sleep 0.3; }

# The compositor's windows as JSON objects, one a line: id, name (the title), app_id, focused,
# visible, and "x y w h" of the client area on the screen.
wl_windows() {
  as_user swaymsg -t get_tree | jq -c '.. | objects | select(.type? == "con" or .type? == "floating_con")
    | select(.pid? != null) | {id, name, app_id, focused, visible,
      area: "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)",
      outer: "\(.rect.x) \(.deco_rect.y) \(.rect.width) \(.rect.height + .deco_rect.height)"}'
}
# A field of the first window titled exactly $1.
wl_window() { wl_windows | jq -r --arg title "$1" "select(.name == \$title) | .$2" | head -n1; }
wl_window_open() { [ -n "$(wl_window "$1" id)" ]; }
wl_focused() { [ "$(wl_window "$1" focused)" = true ]; }
# Focuses the window with id $1, as a click on its title would.
wl_focus() { as_user swaymsg "[con_id=$1] focus" >/dev/null; sleep 0.5; }

# Starts the program as the session's user and waits for its frame; sets the field's place
# and size on the screen as start_program does: fx fy, FW FH, menu_h; frame (its id).
start_program() {
  "${AS_USER[@]}" "$program" "$@" >"$work/program.log" 2>&1 &
  pid=$!
  within 20 wl_window_open Orbicle || fail "no window titled Orbicle"
  frame=$(wl_window Orbicle id)
  sleep 0.5
  set_field $(wl_window Orbicle area)
}
