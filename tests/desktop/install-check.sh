#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a player gets: the program and
# nothing of the build's tools, its res/ files, the menu entry, the icons and the software
# centre's entry, both valid; the command line; and the installed program started from
# another folder on a desktop of its own, finding its files there, quiet on standard error
# without a sound device, and closing normally.
#   usage: install-check.sh CMAKE BUILD_DIR PATH/TO/orbicle-shot VERSION
set -euo pipefail
cmake=$1
build=$2
shot=$(realpath "$3")
version=$4
here=$(dirname "$(realpath "$0")")
source "$here/xsession.sh"
source "$here/xwindows.sh"

readonly APP_ID=io.github.orbicle.Orbicle
work=$(mktemp -d)
prefix="$work/prefix"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  xsession_stop
  rm -rf "$work"
}
trap cleanup EXIT
problems=0
problem() {
  echo "FAIL: $*" >&2
  problems=1
}
require() { command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (./orbicle.sh installs it)" >&2; exit 1; }; }
require desktop-file-validate
require appstreamcli

step() { echo "== $*"; }

step "install into $prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
expect() { [ -e "$prefix/$1" ] || problem "missing: $1"; }
expect bin/orbicle
expect "share/applications/$APP_ID.desktop"
expect "share/metainfo/$APP_ID.metainfo.xml"
for size in 16 24 32 48 64 128 256; do expect "share/icons/hicolor/${size}x${size}/apps/orbicle.png"; done
expect share/icons/hicolor/scalable/apps/orbicle.svg
for race in df hu ne or ud; do
  expect "share/orbicle/res/keys_$race.txt"
  expect "share/orbicle/res/cursors/$race.png"
done
for sound in welcome applause hit1 hit2 hit3 miss goaway; do expect "share/orbicle/res/$sound.wav"; done
expect share/orbicle/res/icon/orbicle_32.png
[ ! -e "$prefix/share/orbicle/res/Resource.h" ] || problem "a source header was installed"
installed_programs=$(ls "$prefix/bin")
[ "$installed_programs" = orbicle ] || problem "bin/ holds more than the game: $installed_programs"

step "the build's tools install only as the component \"tools\""
"$cmake" --install "$build" --prefix "$work/tools" --component tools >/dev/null
[ -x "$work/tools/bin/orbicle-sim" ] || problem "the tools component has no bin/orbicle-sim"
[ ! -e "$work/tools/bin/orbicle" ] || problem "the tools component installs the game"

step "the menu entry and the software centre's entry are valid"
desktop="$prefix/share/applications/$APP_ID.desktop"
grep -qx 'Exec=orbicle' "$desktop" || problem "the desktop entry does not run orbicle"
grep -qx 'Icon=orbicle' "$desktop" || problem "the desktop entry names no orbicle icon"
desktop-file-validate "$desktop" || problem "desktop-file-validate found faults"
metainfo="$prefix/share/metainfo/$APP_ID.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" || problem "the metainfo names no release $version"
# appstreamcli fails on errors and warnings; only pedantic remarks may remain.
for check in "validate --no-net $metainfo" "validate-tree --no-net $prefix"; do
  # shellcheck disable=SC2086
  if ! said=$(appstreamcli $check 2>&1) || grep -q '^[EWI]:' <<<"$said"; then
    problem "appstreamcli $check:"$'\n'"$said"
  fi
done

step "the command line"
program="$prefix/bin/orbicle"
out=$(env -u DISPLAY "$program" --version) || problem "--version failed"
[ "$out" = "Orbicle $version" ] || problem "--version printed '$out'"
out=$(env -u DISPLAY "$program" --help) || problem "--help failed"
[[ $out == "Usage: orbicle "* ]] || problem "--help printed no usage: $out"
status=0
env -u DISPLAY "$program" --no-such-option >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || problem "an unknown option ended with status $status, not 2"
[ ! -s "$work/out" ] || problem "an unknown option printed on standard output"
grep -q '^Usage: orbicle ' "$work/err" || problem "an unknown option printed no usage on standard error"

step "the installed program, started from another folder, plays with its installed files"
xsession_start 1024x768
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
settings="$XDG_CONFIG_HOME/Orbicle/Orbicle.conf"
mkdir -p "$(dirname "$settings")"
printf '[Settings]\nRace=hu\n' >"$settings"  # a stored race: no race dialog, the set is read
started=$(now_ms)
# Without SDL_AUDIODRIVER, as a player starts it: on a machine without a sound device the
# program says so in one line at most.
(cd "$elsewhere" && exec env -u SDL_AUDIODRIVER "$program" >"$work/program.out" 2>"$work/program.err") &
pid=$!
frame=$(wait_window Orbicle 20) || { cat "$work/program.err" >&2; echo "FAIL: no window titled Orbicle" >&2; exit 1; }
echo "window after $(($(now_ms) - started)) ms"
sleep 0.5
read -r fx fy fw fh < <(geometry "$frame")
# The field fills the window below the menu bar; its lower half is field in any case.
field=("$fx" $((fy + fh / 2)) "$fw" $((fh / 2)))
xwd -root -silent -out "$work/idle.xwd"
xdotool mousemove $((fx + fw / 2)) $((fy + fh * 3 / 4)) click 1
sleep 3  # the welcome fanfare, then a second of play
xwd -root -silent -out "$work/playing.xwd"
if box=$(wait_window Orbicle 1 "$frame"); then
  problem "a message box came up instead of the game (a res/ file not found?)"
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || true
fi
changed=$("$shot" diff "$work/idle.xwd" "$work/playing.xwd" "${field[@]}")
echo "field pixels changed by the game: $changed"
[ "$changed" -gt 1000 ] || problem "no game on the field"
close_window "$frame"
status=0
wait_exit "$pid" 15 || status=$?
pid=""
[ "$status" -eq 0 ] || problem "the program ended with status $status"
grep -qx 'Race=hu' "$settings" || problem "the settings were not written back"
lines=$(wc -l <"$work/program.err")
echo "standard error: $lines line(s)"
sed 's/^/  /' "$work/program.err"
[ "$lines" -le 1 ] || problem "more than one line on standard error"
! grep -q 'ALSA lib' "$work/program.err" || problem "the sound library's own messages came through"

[ "$problems" -eq 0 ] && echo "PASS: installed layout complete and the installed program plays"
exit "$problems"
