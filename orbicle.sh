#!/usr/bin/env bash
# One entry point for newcomers and CI:
#   ./orbicle.sh run    installs what is missing, builds, and plays Orbicle
#   ./orbicle.sh test   installs what is missing, builds, and runs every test
set -euo pipefail
cd "$(dirname "$0")"

# Debian packages the build, the tests and the game need.
PACKAGES=(
  build-essential cmake pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation2
  libwxgtk3.2-dev libsdl2-mixer-dev
  xvfb xauth xdotool x11-apps x11-utils openbox
  clang libclang-rt-14-dev
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs() { nproc 2>/dev/null || echo 2; }

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(jobs)"
}

case "${1:-}" in
  run)
    install_missing
    build build -DORBICLE_DESKTOP=ON -DORBICLE_SANITIZE=OFF
    exec build/app/desktop/orbicle
    ;;
  test)
    install_missing
    build build -DORBICLE_DESKTOP=ON -DORBICLE_BENCH=ON -DORBICLE_SANITIZE=OFF
    (cd build && ctest --output-on-failure -j "$(jobs)")
    # The game logic once more under AddressSanitizer and UndefinedBehaviorSanitizer.
    build build-sanitize -DORBICLE_SANITIZE=ON -DORBICLE_DESKTOP=OFF -DORBICLE_BENCH=OFF
    (cd build-sanitize && ctest --output-on-failure -j "$(jobs)" -LE desktop)
    # Each fuzz target a few seconds over its corpus (clang, libFuzzer, the same sanitizers).
    tools/fuzz.sh --brief
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
