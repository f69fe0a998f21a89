# What the tests that drive Orbicle.exe with real X input share (source it after wine-lib.sh and
# tests/desktop/xwindows.sh, with the session loaded and PROGRAM set to Orbicle.exe's path):
#   work, a folder of the test's own, removed at its end with the program if it still runs
#   fail MESSAGE, step TITLE, window_open TITLE, window_closed TITLE, has_focus ID,
#   keys_to ID KEY... (the keys once the window has the keyboard)
#   start_program   starts PROGRAM and waits for its frame: frame, and its place wx wy ww wh
#   program_ends S  waits up to S seconds for the program's end (recorded), which must be status 0
work=$(mktemp -d)
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
