#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./orbicle.sh run    installs what is missing, builds the game, and plays Orbicle
#   ./orbicle.sh test   installs what is missing, builds everything, and runs every test
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

case "${1:-}" in
  run)
    install_missing "${PLAY_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=OFF -DORBICLE_BENCH=OFF
    cmake --build build -j "$(cpu_count)" --target orbicle
    exec build/app/desktop/orbicle
    ;;
  test)
    install_missing "${PLAY_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=ON
    cmake --build build -j "$(cpu_count)"
    (cd build && ctest --output-on-failure -j "$(cpu_count)")
    # The game logic once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    configure build-sanitize -DORBICLE_SANITIZE=ON -DORBICLE_DESKTOP=OFF -DBUILD_TESTING=ON -DORBICLE_BENCH=OFF
    cmake --build build-sanitize -j "$(cpu_count)"
    (cd build-sanitize && ctest --output-on-failure -j "$(cpu_count)" -LE desktop)
    # Each fuzz target a few seconds over its corpus (clang, libFuzzer, the same sanitizers).
    tools/fuzz.sh --brief
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
