#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./orbicle.sh run      installs what is missing, builds the game, and plays Orbicle
#   ./orbicle.sh test     installs what is missing, builds everything, and runs every test
#                         (the Windows tests under Wine, the Debian package's too)
#   ./orbicle.sh check    installs what is missing, builds the Linux program and tests into
#                         build/ and runs the tests that need no display (the quick loop)
#   ./orbicle.sh windows  installs what is missing, cross-builds the Windows program into
#                         build-win/, runs the Windows tests under Wine, and writes the packages
#                         dist/Orbicle-VERSION-win64.zip and dist/Orbicle-VERSION-setup.exe
#   ./orbicle.sh deb      installs what is missing, builds the Debian package with debhelper in
#                         build-deb/, checks it with lintian, and writes
#                         dist/orbicle_VERSION-REVISION_ARCH.deb
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the game needs to build and play.
PLAY_PACKAGES=(
  build-essential cmake pkg-config
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2
  libwxgtk3.2-dev libcairo2-dev libsdl2-mixer-dev libasound2-dev libx11-dev libsqlite3-dev zlib1g-dev
)
# And what the tests and benchmarks need besides.
TEST_PACKAGES=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang-format
  xvfb xauth xdotool x11-apps x11-utils openbox
  appstream desktop-file-utils librsvg2-bin
  clang libclang-rt-14-dev
  sway grim foot jq libwayland-dev
  python3 gcovr ninja-build
)
# What the Debian package needs besides the game's own: Debian's packaging tools and lintian.
DEB_PACKAGES=(debhelper dpkg-dev lintian)
# What the Windows build, its tests and packages need besides: mingw-w64 (x86-64, posix threads)
# with windres and zlib (the replays), GoogleTest's sources, Wine (64-bit, with its fonts, and
# wine64-tools, whose wineg++ builds the tests' stand-in for winsqlite3.dll on Debian's SQLite),
# the sqlite3 shell that reads the history back, NSIS, and the display and X tools of the tests.
# The comparison of drawings builds the Linux orbicle-sim, so the Linux compiler and the packages
# of the game's core come with them.
WINDOWS_PACKAGES=(
  build-essential cmake pkg-config libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2
  libsqlite3-dev sqlite3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev libz-mingw-w64-dev googletest
  wine wine64 wine64-tools fonts-wine nsis
  xvfb xauth xdotool x11-apps x11-utils openbox
)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

cpu_count() { nproc 2>/dev/null || echo 2; }

configure() {  # configure DIR [cmake options...]: quiet unless it fails
  local dir=$1; shift
  local log
  log=$(mktemp)
  if ! cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "orbicle.sh: configuring $dir failed" >&2
    exit 1
  fi
  rm -f "$log"
}

# windows LINUX_SIM: cross-builds build-win/ with its tests and packages, runs the Windows tests
# under Wine (comparing the drawing with LINUX_SIM's), and copies the packages to dist/.
windows() {
  configure build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBUILD_TESTING=ON -DORBICLE_LINUX_SIM="$1"
  cmake --build build-win -j "$(cpu_count)"
  cmake --build build-win --target packages
  (cd build-win && ctest --output-on-failure -j "$(cpu_count)")
  mkdir -p dist
  cp build-win/dist/Orbicle-*-win64.zip build-win/dist/Orbicle-*-setup.exe dist/
  ls -l dist/Orbicle-*
}

# deb: builds the Debian package from a copy of the sources (dpkg-buildpackage writes its
# packages beside the source folder, so the copy lives in build-deb/), lints it, and copies it
# to dist/. Prints the package's path last.
deb() {
  local version arch stage=build-deb log
  version=$(dpkg-parsechangelog -S Version)
  arch=$(dpkg --print-architecture)
  local src="$stage/orbicle-${version%-*}" package="orbicle_${version}_${arch}.deb"
  rm -rf "$stage"
  mkdir -p "$src"
  # The files of the working tree that git keeps or would keep: no build folders, no dist/.
  git ls-files -z --cached --others --exclude-standard | tar --null --ignore-failed-read -T - -cf - | tar -xf - -C "$src"
  log="$stage/build.log"
  echo "Building $package (log: $log)"
  if ! (cd "$src" && DEB_BUILD_OPTIONS="parallel=$(cpu_count)" dpkg-buildpackage -b -us -uc) >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "orbicle.sh: dpkg-buildpackage failed" >&2
    exit 1
  fi
  # Errors and warnings fail; the tags left on purpose are overridden, with their reasons, in
  # debian/orbicle.lintian-overrides. Lintian runs as nobody when this runs as root.
  local as_user=()
  [ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp)
  "${as_user[@]}" lintian --fail-on error,warning --display-info "$stage/$package"
  mkdir -p dist
  cp "$stage/$package" dist/
  echo "dist/$package"
}

case "${1:-}" in
  run)
    install_missing "${PLAY_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=OFF -DORBICLE_BENCH=OFF
    cmake --build build -j "$(cpu_count)" --target orbicle
    exec build/app/desktop/orbicle
    ;;
  test)
    install_missing "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${DEB_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=ON
    cmake --build build -j "$(cpu_count)"
    (cd build && ctest --output-on-failure -j "$(cpu_count)" -LE package)
    # The Debian package: built, linted, then installed, played and purged on this machine
    # (as root; the test purges whatever it installed, also when it fails).
    deb
    (cd build && ORBICLE_PACKAGE_TEST=1 ctest --output-on-failure -L package)
    # The game logic once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    configure build-sanitize -DORBICLE_SANITIZE=ON -DORBICLE_DESKTOP=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=OFF
    cmake --build build-sanitize -j "$(cpu_count)"
    (cd build-sanitize && ctest --output-on-failure -j "$(cpu_count)" -LE desktop)
    # Each fuzz target a few seconds over its corpus (clang, libFuzzer, the same sanitizers).
    tools/fuzz.sh --brief
    # The Windows program, its tests under Wine and its packages.
    windows "$PWD/build/tools/sim/orbicle-sim"
    ;;
  check)
    install_missing "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=ON
    cmake --build build -j "$(cpu_count)"
    (cd build && ctest --output-on-failure -j "$(cpu_count)" -LE 'desktop|package')
    ;;
  windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    # The Linux orbicle-sim, which draws the frames the Windows one is compared with.
    configure build-win/linux-sim -DORBICLE_DESKTOP=OFF -DBUILD_TESTING=OFF -DORBICLE_BENCH=OFF
    cmake --build build-win/linux-sim -j "$(cpu_count)" --target orbicle-sim
    windows "$PWD/build-win/linux-sim/tools/sim/orbicle-sim"
    ;;
  deb)
    install_missing "${PLAY_PACKAGES[@]}" "${DEB_PACKAGES[@]}"
    deb
    ;;
  *)
    echo "usage: $0 run|test|check|windows|deb" >&2
    exit 2
    ;;
esac
