#!/usr/bin/env bash
# The keys report as a player meets it: a game with Custom Keys on a one-key hotkey set (so every
# labelled circle wants Q, which a label's black letters show), its labelled circles hit with Q
# first and the rest with their buttons, stopped through File; then File > History..., Alt+K shows
# the selected game's report (Q and the buttons in their medians' colours, the set's other keys
# absent, the rest dim) and Alt+L the last games'.
#   usage: keys-report.sh PATH/TO/orbicle PATH/TO/orbicle-shot [HISTORY [XWD]]   (from the repository root)
# HISTORY: a history file to start from (the game joins its games); XWD: where to keep a shot of
# the History window showing the last games' report.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
desktop_setup "$1" "$2" 1280x1024
export XDG_DATA_HOME="$work/home/.local/share"
if [ -n "${3:-}" ]; then
  mkdir -p "$XDG_DATA_HOME/Orbicle"
  cp "$3" "$XDG_DATA_HOME/Orbicle/history.sqlite3"
fi
keep=${4:-}
# The run-time files of the repository, with a hotkey set of one key.
mkdir -p "$work/run"
cp -r res "$work/run/res"
printf 'Q' >"$work/run/res/keys_df.txt"
cd "$work/run"
settings Race=df Options=11111
start_program

# Pixels of an exact colour in a shot of the History window alone.
in_history() { window_count "$history" "$@"; }

# Hits the circle on the field, pressing Q first when it carries a label. Labelled circles
# live twice as long, so most of them are hit.
hit_with_key() {
  local at box
  for _ in $(seq 40); do at=$(circle) && break; sleep 0.1; done
  [ -n "$at" ] || return 1
  read -r cx cy button <<<"$at"
  # The label's letters are black on the circle's greenish face.
  if [ "$("$shot" count "$work/circle.xwd" $((cx - 12)) $((cy - 12)) 24 24 0 0 0)" -gt 5 ]; then
    xdotool key q
  fi
  xdotool mousemove "$cx" "$cy" click "$button"
}

step "a game with Custom Keys on: labelled circles hit with Q, the others with their buttons"
xdotool mousemove $((fx + FW / 2)) $((fy + FH / 2)) click 1
within 15 field_moves || fail "the game does not run"
end=$((SECONDS + 25))
hits=0
while [ $SECONDS -lt $end ]; do
  hit_with_key && hits=$((hits + 1))
  sleep 0.2
done
echo "  $hits presses"
menu_keys alt+f s
result_shown() { snap result && shows_result result; }
within 12 result_shown || fail "no result graph after File, Stop Game"

step "File > History..., Keys: selected game"
menu_keys alt+f h
history=$(wait_window "Orbicle History - [0-9]+ games?" 10) || fail "File > History... shows no window"
sleep 1
xwd -id "$history" -silent -out "$work/rates.xwd"
xdotool key alt+k
sleep 1
xwd -id "$history" -silent -out "$work/keys.xwd"
# The colours of keys_report in render/KeysReport.h: the scale's ends, a key of the set never
# shown, and the dim keys.
fast=$(in_history keys 110 200 110)
slow=$(in_history keys 240 100 90)
dim=$(in_history keys 242 242 242)
echo "  fastest face $fast px, slowest face $slow px, dim keys $dim px"
[ "$dim" -gt "$(($(in_history rates 242 242 242) + 20000))" ] || fail "no dim keyboard in the report"
[ "$fast" -gt 500 ] || fail "no face in the fastest median's colour"
[ "$slow" -gt 500 ] || fail "no face in the slowest median's colour (Q, a button and another button: three medians)"

step "Keys: last 10 games"
xdotool key alt+l
sleep 1
xwd -id "$history" -silent -out "$work/recent.xwd"
[ "$(in_history recent 242 242 242)" -gt 20000 ] || fail "no report of the last games"
if [ -n "$keep" ]; then cp "$work/recent.xwd" "$keep"; fi
xdotool key Escape
within 5 window_closed "Orbicle History.*" || fail "Escape does not close the History window"
menu_keys alt+f x
program_ends 10
echo "PASS"
