#!/usr/bin/env bash
# orbicle-sim.exe's historydb through the system's SQLite (under Wine the tests' stand-in for
# winsqlite3.dll): the same two games played by the Linux orbicle-sim and by orbicle-sim.exe are
# kept with the same numbers, and the files the two wrote hold the same games and the same
# actions when Linux's sqlite3 reads them. Without SQLite (the stand-in disabled, as on a Windows older than 10)
# orbicle-sim.exe keeps the games in memory and its history command says why.
#   usage: history-sim.sh SESSION LINUX_SIM WINDOWS_SIM   (from the repository root)
set -euo pipefail
here=$(dirname "$0")
. "$here/wine-lib.sh"
wine_session_load "$1"
linux_sim=$2 windows_sim=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wwork=$(wine_run winepath -w "$work" | tr -d '\r')
play=$(grep -v '^#' "$here/frames/play.sim")

# script FILE: two games kept in the history file FILE (a game of about 32 s, stopped, a new one
# with the same clicks on other circles, stopped), then the history.
script() {
  printf 'historydb %s\nprofile Race df\nprofile Options 11111\nstart\n%s\ncommand 32784\ntick\n' "$1" "$play"
  printf 'command 32784\ntick 3\n%s\ncommand 32784\ntick\nhistory\nexit\n' "$play"
}

echo "== the same games on Linux and on Windows"
script "$work/linux.sqlite3" | "$linux_sim" >"$work/linux.txt"
script "$wwork\\windows.sqlite3" | wine_run "$windows_sim" | tr -d '\r' >"$work/windows.txt"
grep '^{"id"' "$work/windows.txt" | sed 's/^/  /'
[ "$(grep -c '^{"id":[12],' "$work/windows.txt")" -eq 2 ] || fail "orbicle-sim.exe did not keep two games in the file"
diff "$work/linux.txt" "$work/windows.txt" || fail "the two sims answer differently"

echo "== the two files, read by Linux's sqlite3"
rows() { sqlite3 -separator , "$1" 'SELECT * FROM games ORDER BY id'; }
[ "$(rows "$work/windows.sqlite3" | wc -l)" -eq 2 ] || fail "the Windows file does not hold two games"
diff <(rows "$work/linux.sqlite3") <(rows "$work/windows.sqlite3") || fail "the files hold different games"
actions() { sqlite3 -separator , "$1" 'SELECT game,count,lines FROM actions ORDER BY game'; }
[ "$(actions "$work/windows.sqlite3" | grep -c '^[12],[1-9]')" -eq 2 ] || fail "the Windows file holds no actions of two games"
diff <(actions "$work/linux.sqlite3") <(actions "$work/windows.sqlite3") || fail "the files hold different actions"
[ "$(sqlite3 "$work/windows.sqlite3" 'PRAGMA user_version')" = 3 ] || fail "the schema is not version 3"

echo "== without SQLite"
status=0
script "$wwork\\none.sqlite3" | WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winsqlite3=d" wine_run "$windows_sim" |
  tr -d '\r' >"$work/none.txt" || status=$?
grep -v '^{"id"' "$work/none.txt" | sed 's/^/  /'
[ "$status" -eq 1 ] || fail "orbicle-sim.exe ended with status $status, not 1 for its error line"
grep -q '^error: history: The training history needs Windows 10 or later' "$work/none.txt" ||
  fail "the history command does not say that SQLite is missing"
[ "$(grep -c '^{"id":-[12],' "$work/none.txt")" -eq 2 ] || fail "the two games are not kept in memory"
[ ! -e "$work/none.sqlite3" ] || fail "a history file was made without SQLite"
echo "PASS"
