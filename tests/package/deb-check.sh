#!/usr/bin/env bash
# The Debian package as a player meets it, on this machine itself: apt-get installs
# dist/orbicle_VERSION_ARCH.deb with what it needs, the menu entry's command started from
# another folder on a desktop of its own draws the field and plays a game, and apt-get purge
# leaves no file of the package behind while the player's settings and history stay. Whatever
# happens, the machine is left as it was: the package and every package the install brought
# are purged again.
# It changes the machine for a minute, so it runs only when asked for (ORBICLE_PACKAGE_TEST=1,
# as ./orbicle.sh test does), as root, and never where orbicle is installed already.
#   usage: deb-check.sh SOURCE_DIR PATH/TO/orbicle-shot
set -euo pipefail
source_dir=$(realpath "$1")
shot=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
source "$here/../desktop/xsession.sh"
source "$here/../desktop/xwindows.sh"

skip() { echo "SKIP: $*"; exit 77; }
[ "${ORBICLE_PACKAGE_TEST:-}" = 1 ] || skip "installs a package on this machine; ./orbicle.sh test runs it (ORBICLE_PACKAGE_TEST=1)"
[ "$(id -u)" -eq 0 ] || skip "apt-get needs root"
package_state() { dpkg-query -W -f='${db:Status-Status}' orbicle 2>/dev/null || true; }
case "$(package_state)" in "" | not-installed) ;; *) skip "orbicle is installed here already; the test leaves it alone" ;; esac
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
deb="$source_dir/dist/orbicle_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: no package $deb (./orbicle.sh deb builds it)" >&2; exit 1; }

work=$(mktemp -d)
pid=""
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"; }
# What the install would bring besides the package, asked before it: only these are purged
# again (never a package something else on the machine installs meanwhile).
apt install -s --no-install-recommends "$deb" 2>/dev/null | awk '$1 == "Inst" && $2 != "orbicle" && $3 !~ /^\[/ {print $2}' >"$work/brings"
restore() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  xsession_stop
  case "$(package_state)" in "" | not-installed) ;; *) apt purge orbicle >/dev/null 2>&1 || true ;; esac
  if [ -s "$work/brings" ]; then
    echo "purging what the install brought: $(tr '\n' ' ' <"$work/brings")"
    # shellcheck disable=SC2046
    apt purge $(cat "$work/brings") >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap restore EXIT
problems=0
problem() {
  echo "FAIL: $*" >&2
  problems=1
}
step() { echo "== $*"; }

step "apt-get install $deb"
apt install --no-install-recommends "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; echo "FAIL: apt-get install failed" >&2; exit 1; }
[ "$(package_state)" = installed ] || { echo "FAIL: orbicle is not installed" >&2; exit 1; }
dpkg -L orbicle >"$work/files"
echo "$(wc -l <"$work/files") paths; brought along: $(tr '\n' ' ' <"$work/brings")"
readonly APP_ID=io.github.orbicle.Orbicle
for path in /usr/games/orbicle "/usr/share/applications/$APP_ID.desktop" "/usr/share/metainfo/$APP_ID.metainfo.xml" \
  /usr/share/icons/hicolor/48x48/apps/orbicle.png /usr/share/icons/hicolor/scalable/apps/orbicle.svg \
  /usr/share/orbicle/res/keys_hu.txt /usr/share/orbicle/res/welcome.wav /usr/share/orbicle/res/cursors/hu.png \
  /usr/share/man/man6/orbicle.6.gz /usr/share/doc/orbicle/copyright; do
  grep -qx "$path" "$work/files" || problem "the package holds no $path"
done
! grep -q 'orbicle-sim\|orbicle-assetgen' "$work/files" || problem "the package holds the developers' tools"

step "the menu entry's command, from another folder, on a desktop of its own"
exec_line=$(sed -n 's/^Exec=//p' "/usr/share/applications/$APP_ID.desktop")
[ -n "$exec_line" ] || { echo "FAIL: the menu entry has no Exec line" >&2; exit 1; }
xsession_start 1024x768
player="$work/home"
mkdir -p "$player" "$work/elsewhere"
# A player's environment: Debian's PATH for users (with /usr/games), a home, the display.
(cd "$work/elsewhere" && exec env -i HOME="$player" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy \
  PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games sh -c "exec $exec_line" >"$work/program.log" 2>&1) &
pid=$!
frame=$(wait_window Orbicle 20) || { cat "$work/program.log" >&2; echo "FAIL: no window titled Orbicle" >&2; exit 1; }
sleep 0.5
read -r wx wy ww wh < <(geometry "$frame")
fw=$ww fh=$((ww * 3 / 4))
fx=$wx fy=$((wy + wh - fh))
xwd -root -silent -out "$work/idle.xwd"
gray=$("$shot" count "$work/idle.xwd" "$fx" "$fy" "$fw" "$fh" 128 128 128)
echo "field $fw x $fh at $fx,$fy: $gray of $((fw * fh)) pixels the idle field's gray"
[ "$gray" -eq $((fw * fh)) ] || problem "the idle field is not drawn"
# A new player's first click asks for the race: Default, from its box in dialog units (the
# client area is 172 x 108 units), starts the game with the installed hotkey set.
xdotool mousemove $((fx + fw / 2)) $((fy + fh / 2)) click 1
dialog=$(wait_window "Select Race" 10) || { echo "FAIL: no race dialog" >&2; exit 1; }
sleep 0.5
read -r dx dy dw dh < <(geometry "$dialog")
xdotool mousemove $((dx + 37 * dw / 172)) $((dy + 31 * dh / 108)) click 1
sleep 3
if box=$(wait_window Orbicle 1 "$frame"); then
  problem "a message box came up instead of the game (a res/ file not found?)"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
fi
xwd -root -silent -out "$work/playing.xwd"
changed=$("$shot" diff "$work/idle.xwd" "$work/playing.xwd" "$fx" "$fy" "$fw" "$fh")
echo "field pixels changed by the game: $changed"
[ "$changed" -gt 1000 ] || problem "no game on the field"
sleep 3  # past the first rate sample: the game can be stopped and is kept in the history
xdotool windowactivate --sync "$frame" 2>/dev/null || true
xdotool key --delay 150 alt+f s
sleep 3
close_window "$frame"
status=0
wait_exit "$pid" 15 || status=$?
pid=""
[ "$status" -eq 0 ] || problem "the program ended with status $status"
history="$player/.local/share/Orbicle/history.sqlite3"
[ -f "$history" ] || problem "the stopped game was not kept in $history"
grep -qx 'Race=df' "$player/.config/Orbicle/Orbicle.conf" || problem "the settings were not written"
xsession_stop

step "apt-get purge orbicle"
apt purge orbicle >"$work/purge.log" 2>&1 || { cat "$work/purge.log" >&2; problem "apt-get purge failed"; }
[ -z "$(package_state)" ] || [ "$(package_state)" = not-installed ] || problem "dpkg still knows orbicle: $(package_state)"
left=0
while read -r path; do
  [ "$path" != /. ] || continue
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    # A folder stays only while another package owns it too.
    dpkg -S "$path" >/dev/null 2>&1 || { problem "left behind: $path/"; left=$((left + 1)); }
  elif [ -e "$path" ] || [ -L "$path" ]; then
    problem "left behind: $path"
    left=$((left + 1))
  fi
done <"$work/files"
echo "paths of the package left behind: $left"
[ -f "$player/.config/Orbicle/Orbicle.conf" ] || problem "the purge took the player's settings"
[ -f "$history" ] || problem "the purge took the player's history"

[ "$problems" -eq 0 ] && echo "PASS: installed, played from the menu entry's command, purged without a trace"
exit "$problems"
