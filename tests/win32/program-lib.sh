# What the tests that drive Orbicle.exe with real X input share (source it after wine-lib.sh and
# tests/desktop/xwindows.sh, with the session loaded and PROGRAM set to Orbicle.exe's path; SHOT
# to orbicle-shot.exe's for the shots):
#   work, a folder of the test's own, removed at its end with the program if it still runs, and
#     wwork, its Windows name
#   fail MESSAGE, step TITLE, window_open TITLE, window_closed TITLE, has_focus ID,
#   keys_to ID KEY... (the keys once the window has the keyboard), menu_keys KEY... (to the frame)
#   start_program   starts PROGRAM and waits for its frame: frame, and its place wx wy ww wh
#   program_ends S  waits up to S seconds for the program's end (recorded), which must be status 0
#   snap ID NAME, ask_shot VERB NAME ARGS...: a shot of a window into $work/NAME.xwd, and what
#     orbicle-shot says of it (in the window's pixels)
#   open_history TITLE: File > History..., the window (history_window) titled TITLE;
#   in_history NAME R G B: the pixels of that colour in the History window's shot NAME
work=$(mktemp -d)
wwork=$(wine_run winepath -w "$work" | tr -d '\r')
pid=""
program_cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap program_cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  sed 's/^/  program: /' "$work/program.log" >&2 2>/dev/null || true
  exit 1
}
step() { echo "== $*"; }
window_open() { [ -n "$(windows_titled "$1")" ]; }
window_closed() { ! window_open "$1"; }
# Whether the window has the keyboard: keys typed before it has go elsewhere.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# keys_to WINDOW KEY...: the keys, once the window has the keyboard.
keys_to() {
  local window=$1
  shift
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  within 10 has_focus "$window" || fail "the window $window does not get the keys"
  xdotool key --delay 150 "$@"
}

# A start that Wine ends at once without a word (see wine_run) is tried again.
start_program() {
  local attempt status
  frame=""
  for attempt in 1 2 3; do
    "$WINE" "$PROGRAM" >"$work/program.log" 2>&1 &
    pid=$!
    program_started=$(date +%s%N)
    within 60 frame_or_end || break
    [ -n "$frame" ] && break
    status=0
    wait "$pid" || status=$?
    wine_record "$status" "$program_started" "$PROGRAM"
    pid=""
    wine_never_ran "$status" "$work/program.log" /dev/null || fail "the program ended with status $status before its frame"
    wine_record "-" "$program_started" "(that start said nothing: Wine did not run it; started again)"
  done
  [ -n "$frame" ] || fail "no frame window titled Orbicle"
  xdotool windowactivate --sync "$frame" 2>/dev/null || true
  within 10 has_focus "$frame" || fail "the frame does not get the keys"
  read -r wx wy ww wh < <(geometry "$frame")
}
# The program's frame is there (frame set), or the program has ended.
frame_or_end() {
  frame=$(windows_titled Orbicle | head -n1)
  [ -n "$frame" ] || ! kill -0 "$pid" 2>/dev/null
}

program_ends() {
  local status=0
  wait_exit "$pid" "$1" || status=$?
  wine_record "$status" "$program_started" "$PROGRAM"
  [ "$status" -ne 124 ] || fail "the program did not end"
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

menu_keys() { keys_to "$frame" "$@"; }
snap() { xwd -id "$1" -silent -out "$work/$2.xwd"; }
ask_shot() {
  local verb=$1 name=$2
  shift 2
  wine_run "$SHOT" "$verb" "$wwork\\$name.xwd" "$@" | tr -d '\r'
}
open_history() {
  menu_keys alt+f h
  history_window=$(wait_window "$1" 20) || fail "File > History... shows no window titled '$1'"
}
in_history() {
  local name=$1 w h
  shift
  read -r _ _ w h < <(geometry "$history_window")
  ask_shot count "$name" 0 0 "$w" "$h" "$@"
}
