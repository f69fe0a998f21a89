#!/usr/bin/env bash
# The installer under Wine: a silent install puts Orbicle.exe, its run-time files, the README
# and the uninstaller under Program Files with a Start-menu shortcut and an entry in Programs
# and Features; the uninstaller removes all of it and leaves the player's settings.
#   usage: installer.sh SESSION PATH/TO/Orbicle-VERSION-setup.exe
set -euo pipefail
trap 'status=$?; echo "FAIL: status $status from line $LINENO: $(sed -n "${LINENO}s/^ *//p" "$0")" >&2' ERR
. "$(dirname "$0")/wine-lib.sh"
. "$(dirname "$0")/../desktop/xwindows.sh"
wine_session_load "$1"
setup=$2
[ -f "$setup" ] || { echo "FAIL: no installer $setup (cmake --build BUILD --target packages)"; exit 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }
readonly SETTINGS='HKCU\Software\Local AppWizard-Generated Applications\Orbicle\Settings'
readonly ENTRY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbicle'
folder="$WINEPREFIX/drive_c/Program Files/Orbicle"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbicle.lnk"

echo "== install silently"
wine_run "$setup" /S
for file in Orbicle.exe README.md Uninstall.exe res/keys_df.txt res/welcome.wav; do
  [ -f "$folder/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
wine_run reg query "$ENTRY" /reg:64 | grep -q 'DisplayName *REG_SZ *Orbicle' || fail "no entry in Programs and Features"
echo "installed: $(cd "$folder" && find . -type f | sort | tr '\n' ' ')"

echo "== uninstall silently, with settings of a player in the registry"
wine_run reg add "$SETTINGS" /v Race /d hu /f
# The uninstaller runs on from a copy of itself, so its end is waited for by what it removes;
# the launcher's own status says only whether the copy started, and is reported, not judged.
wine_run "$folder/Uninstall.exe" /S || echo "(the uninstaller's launcher exited $?)"
gone() { [ ! -e "$folder" ] && [ ! -e "$shortcut" ]; }
within 30 gone || fail "left behind: $(find "$folder" "$shortcut" 2>/dev/null | tr '\n' ' ')"
! wine_run reg query "$ENTRY" /reg:64 >/dev/null 2>&1 || fail "the entry in Programs and Features stayed"
wine_run reg query "$SETTINGS" | grep -q 'Race *REG_SZ *hu' || fail "the player's settings went with the program"
wine_run reg delete "${SETTINGS%\\Settings}" /f >/dev/null
echo "PASS"
