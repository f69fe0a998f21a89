#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that a desktop finds everything:
# the program, its res/ files, the menu entry and the icons.
#   usage: install-check.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

missing=0
expect() {
  if [ ! -e "$prefix/$1" ]; then
    echo "missing: $1" >&2
    missing=1
  fi
}
expect bin/orbicle
expect share/applications/orbicle.desktop
for size in 16 32 48; do expect "share/icons/hicolor/${size}x${size}/apps/orbicle.png"; done
for race in df hu ne or ud; do
  expect "share/orbicle/res/keys_$race.txt"
  expect "share/orbicle/res/cursors/$race.png"
done
for sound in welcome applause hit1 hit2 hit3 miss goaway; do expect "share/orbicle/res/$sound.wav"; done
expect share/orbicle/res/icon/orbicle_32.png
[ ! -e "$prefix/share/orbicle/res/Resource.h" ] || { echo "a source header was installed" >&2; missing=1; }

desktop="$prefix/share/applications/orbicle.desktop"
grep -qx 'Exec=orbicle' "$desktop" || { echo "the desktop entry does not run orbicle" >&2; missing=1; }
grep -qx 'Icon=orbicle' "$desktop" || { echo "the desktop entry names no orbicle icon" >&2; missing=1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

[ "$missing" -eq 0 ] && echo "installed layout complete under $prefix"
exit "$missing"
