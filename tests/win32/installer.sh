#!/usr/bin/env bash
# The packages: the zip file holds Orbicle.exe, its run-time files and the player's README.txt;
# under Wine a silent install puts the same and the uninstaller under Program Files with a
# Start-menu shortcut and an entry in Programs and Features; the uninstaller removes all of it
# and leaves the player's settings and training history. Neither package holds the tests'
# stand-in for winsqlite3.dll or the developers' README.md. Installer and uninstaller run under
# orbicle-jobrun, which waits until they and every process they started have ended (the
# uninstaller hands its work to a copy of itself) and tells how each ended.
#   usage: installer.sh SESSION SETUP.exe orbicle-jobrun.exe WIN64.zip CMAKE
set -euo pipefail
trap 'status=$?; echo "FAIL: status $status from line $LINENO: $(sed -n "${LINENO}s/^ *//p" "$0")" >&2' ERR
. "$(dirname "$0")/wine-lib.sh"
. "$(dirname "$0")/../desktop/xwindows.sh"  # within
wine_session_load "$1"
setup=$2 jobrun=$3 zip=$4 cmake=$5
[ -f "$setup" ] || { echo "FAIL: no installer $setup (cmake --build BUILD --target packages)"; exit 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }
# The player's README has Windows line ends.
crlf_only() { ! tr -d '\r' <"$1" | cmp -s - "$1" && [ "$(grep -c $'\r$' "$1")" -eq "$(wc -l <"$1")" ]; }
readonly SETTINGS='HKCU\Software\Local AppWizard-Generated Applications\Orbicle\Settings'
readonly ENTRY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbicle'
folder="$WINEPREFIX/drive_c/Program Files/Orbicle"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbicle.lnk"
appdata=$(wine_run cmd /c echo %APPDATA% | tr -d '\r')
history="$(wine_run winepath -u "$appdata\\Orbicle")/history.sqlite3"

echo "== the zip file"
listing=$("$cmake" -E tar tf "$zip")
echo "$listing" | tr '\n' ' '
echo
for file in Orbicle.exe README.txt res/keys_df.txt res/welcome.wav; do
  echo "$listing" | grep -qx "$file" || fail "not in the zip file: $file"
done
! echo "$listing" | grep -Eq 'README\.md|winsqlite3' || fail "the zip file holds what is not the player's"

echo "== install silently"
wine_run "$jobrun" "$(wine_run winepath -w "$setup" | tr -d '\r')" /S | sed 's/^/  /'
for file in Orbicle.exe README.txt Uninstall.exe res/keys_df.txt res/welcome.wav; do
  [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -z "$(find "$folder" -name README.md -o -name 'winsqlite3*')" ] || fail "installed what is not the player's"
crlf_only "$folder/README.txt" || fail "README.txt has lines without Windows line ends"
grep -q 'history.sqlite3' "$folder/README.txt" || fail "README.txt does not say where the history is kept"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
# The entry is read until it is there (or gone): under heavy load a read right after a program's
# end can miss what it wrote. Each read is recorded in the session's log, so a late one shows
# there; an installer that wrote nothing still fails.
entry_there() { [[ $(wine_run reg query "$ENTRY" /reg:64 2>&1) =~ DisplayName\ *REG_SZ\ *Orbicle ]]; }
entry_gone() { ! wine_run reg query "$ENTRY" /reg:64 >/dev/null 2>&1; }
within 20 entry_there || fail "no entry in Programs and Features"
echo "installed: $(cd "$folder" && find . -type f | sort | tr '\n' ' ')"

echo "== uninstall silently, with settings and a training history of a player"
wine_run reg add "$SETTINGS" /v Race /d hu /f
mkdir -p "$(dirname "$history")"
echo "a player's games" >"$history"
wine_run "$jobrun" 'C:\Program Files\Orbicle\Uninstall.exe' /S | sed 's/^/  /'
[ ! -e "$folder" ] && [ ! -e "$shortcut" ] || fail "left behind: $(find "$folder" "$shortcut" 2>/dev/null | tr '\n' ' ')"
within 20 entry_gone || fail "the entry in Programs and Features stayed"
wine_run reg query "$SETTINGS" | grep -q 'Race *REG_SZ *hu' || fail "the player's settings went with the program"
[ "$(cat "$history")" = "a player's games" ] || fail "the player's training history went with the program"
wine_run reg delete "${SETTINGS%\\Settings}" /f >/dev/null
rm -rf "$(dirname "$history")"
echo "PASS"
