#!/usr/bin/env bash
# The keys report in Orbicle.exe's History window under Wine, as a player meets it: two games
# with their actions, kept by orbicle-sim.exe (frames/keys.sim) in %APPDATA%\Orbicle's history
# through the system's SQLite (the tests' stand-in), then File > History... with real X keys:
# Rates shows the chart and no keyboard; Alt+K the newest game's keys (a keyboard of dim keys,
# the set's keys never shown in their own gray, the fastest and the slowest median's faces);
# Alt+L both games' report, another picture; Alt+R the chart again. Pixels from xwd shots of the
# window, read by orbicle-shot.
#   usage: keys-report.sh SESSION Orbicle.exe orbicle-sim.exe orbicle-shot.exe   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
. "$here/../desktop/xwindows.sh"
wine_session_load "$1"
PROGRAM=$2 windows_sim=$3 SHOT=$4
. "$here/program-lib.sh"
readonly KEY='HKCU\Software\Local AppWizard-Generated Applications\Orbicle'

appdata=$(wine_run cmd /c echo %APPDATA% | tr -d '\r')
folder=$(wine_run winepath -u "$appdata\\Orbicle" | tr -d '\r')
rm -rf "$folder"
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
cleanup_history() {
  "$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
  rm -rf "$folder"
}

step "two games with their actions kept by orbicle-sim.exe"
{
  printf 'historydb %s\nprofile Race df\nprofile Options 11111\nstart\n' "$appdata\\Orbicle\\history.sqlite3"
  grep -v '^#' "$here/frames/keys.sim"
  printf 'history\nexit\n'
} | wine_run "$windows_sim" | tr -d '\r' >"$work/sim.txt"
[ "$(grep -c '^{"id":[12],' "$work/sim.txt")" -eq 2 ] || fail "orbicle-sim.exe kept no two games: $(cat "$work/sim.txt")"
actions=$(sqlite3 "$folder/history.sqlite3" 'SELECT group_concat(count) FROM (SELECT count FROM actions ORDER BY game)')
echo "  actions kept per game: $actions"
[[ $actions =~ ^[0-9]{2,},[0-9]{2,}$ ]] || fail "the games were kept without their actions: '$actions'"

step "File > History...: the chart"
"$WINE" reg add "$KEY\\Settings" /v Race /d df /f >/dev/null
start_program
open_history "Orbicle History - 2 games"
# The colours of keys_report (render/KeysReport.h) and of the chart's best rates.
readonly DIM="242 242 242" UNSEEN="222 222 222" FAST="110 200 110" SLOW="240 100 90" BEST="215 45 35"
# shows NAME COLOUR...: a shot of the History window into NAME until it has every colour given.
shows() {
  local name=$1 colour
  shift
  snap "$history_window" "$name"
  for colour in "$@"; do
    [ "$(in_history "$name" $colour)" -gt 0 ] 2>/dev/null || return 1
  done
}
within 15 shows rates "$BEST" || fail "the History window shows no chart"
[ "$(in_history rates $DIM)" -eq 0 ] || fail "the chart shows keys"

step "Alt+K: the keys of the selected game, the newest"
keys_to "$history_window" alt+k
within 10 shows selected "$DIM" "$FAST" "$SLOW" || fail "no keys report with its fastest and slowest faces"
dim=$(in_history selected $DIM) unseen=$(in_history selected $UNSEEN)
fast=$(in_history selected $FAST) slow=$(in_history selected $SLOW)
echo "  dim keys $dim px, keys of the set never shown $unseen px, fastest face $fast px, slowest face $slow px"
[ "$dim" -gt 10000 ] || fail "no keyboard of dim keys"
[ "$unseen" -gt 1000 ] || fail "no key of the set in the gray of keys never shown"
[ "$fast" -gt 300 ] && [ "$slow" -gt 300 ] || fail "the fastest and the slowest faces are too small"
[ "$(in_history selected $BEST)" -eq 0 ] || fail "the chart is still drawn"

step "Alt+L: the keys of the last games"
keys_to "$history_window" alt+l
changed() {
  shows recent "$DIM" "$FAST" "$SLOW" || return 1
  read -r _ _ w h < <(geometry "$history_window")
  [ "$(ask_shot diff selected "$wwork\\recent.xwd" 0 0 "$w" "$h" | cut -d' ' -f1)" -gt 300 ]
}
within 10 changed || fail "Keys: last 10 games shows the selected game's report"
echo "  dim keys $(in_history recent $DIM) px, fastest $(in_history recent $FAST) px, slowest $(in_history recent $SLOW) px"

step "Alt+R: the chart again"
keys_to "$history_window" alt+r
chart_again() { shows again "$BEST" && [ "$(in_history again $DIM)" -eq 0 ]; }
within 10 chart_again || fail "Rates does not bring the chart back"
keys_to "$history_window" Escape
within 10 window_closed "Orbicle History - 2 games" || fail "Escape does not close the History window"
menu_keys alt+f x
program_ends 30
cleanup_history
echo "PASS"
