#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./orbicle.sh run      installs what is missing, builds the game, and plays Orbicle
#   ./orbicle.sh test     installs what is missing, builds everything, and runs every test
#                         (the Windows tests under Wine too)
#   ./orbicle.sh windows  installs what is missing, cross-builds the Windows program into
#                         build-win/, runs the Windows tests under Wine, and writes the packages
#                         dist/Orbicle-VERSION-win64.zip and dist/Orbicle-VERSION-setup.exe
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the game needs to build and play.
PLAY_PACKAGES=(
  build-essential cmake pkg-config
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2
  libwxgtk3.2-dev libcairo2-dev libsdl2-mixer-dev libasound2-dev libx11-dev libsqlite3-dev
)
# And what the tests and benchmarks need besides.
TEST_PACKAGES=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang-format
  xvfb xauth xdotool x11-apps x11-utils openbox
  appstream desktop-file-utils librsvg2-bin
  clang libclang-rt-14-dev
)
# What the Windows build, its tests and packages need besides: mingw-w64 (x86-64, posix threads)
# with windres and zlib, GoogleTest's sources, Wine (64-bit, with its fonts, and wine64-tools,
# whose wineg++ builds the tests' stand-in for winsqlite3.dll on Debian's SQLite), the sqlite3
# shell that reads the history back, NSIS, and the display and X tools of the tests. The
# comparison of drawings builds the Linux orbicle-sim, so the Linux compiler and the packages of
# the game's core come with them.
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

case "${1:-}" in
  run)
    install_missing "${PLAY_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=OFF -DORBICLE_BENCH=OFF
    cmake --build build -j "$(cpu_count)" --target orbicle
    exec build/app/desktop/orbicle
    ;;
  test)
    install_missing "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=ON
    cmake --build build -j "$(cpu_count)"
    (cd build && ctest --output-on-failure -j "$(cpu_count)")
    # The game logic once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    configure build-sanitize -DORBICLE_SANITIZE=ON -DORBICLE_DESKTOP=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=OFF
    cmake --build build-sanitize -j "$(cpu_count)"
    (cd build-sanitize && ctest --output-on-failure -j "$(cpu_count)" -LE desktop)
    # Each fuzz target a few seconds over its corpus (clang, libFuzzer, the same sanitizers).
    tools/fuzz.sh --brief
    # The Windows program, its tests under Wine and its packages.
    windows "$PWD/build/tools/sim/orbicle-sim"
    ;;
  windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    # The Linux orbicle-sim, which draws the frames the Windows one is compared with.
    configure build-win/linux-sim -DORBICLE_DESKTOP=OFF -DBUILD_TESTING=OFF -DORBICLE_BENCH=OFF
    cmake --build build-win/linux-sim -j "$(cpu_count)" --target orbicle-sim
    windows "$PWD/build-win/linux-sim/tools/sim/orbicle-sim"
    ;;
  *)
    echo "usage: $0 run|test|windows" >&2
    exit 2
    ;;
esac
