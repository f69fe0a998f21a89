#!/usr/bin/env bash
# Line and branch coverage of the product code by the tests that need no display: configures
# build-coverage/ (ORBICLE_COVERAGE: gcc --coverage, -O0), builds it, runs those tests and
# prints the coverage per folder of the toolkit-free code and of the desktop helpers (the
# product folders of tools/mutate/mutate.conf), with gcovr's line by line report in
# build-coverage/coverage.json and its per-file table in build-coverage/coverage.txt.
#   usage: tools/coverage.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-coverage}
command -v gcovr >/dev/null || { echo "gcovr is missing (Debian package gcovr)" >&2; exit 1; }

generator=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
  generator=(-G Ninja)
fi
# The build's targets (CMake's file API) tell which sources are product code.
mkdir -p "$dir/.cmake/api/v1/query" && touch "$dir/.cmake/api/v1/query/codemodel-v2"
cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DORBICLE_COVERAGE=ON -DORBICLE_DESKTOP=ON \
  -DBUILD_TESTING=ON -DORBICLE_BENCH=OFF -DORBICLE_SANITIZE=OFF -DORBICLE_FUZZ=OFF >"$dir/configure.log"
nice -n 10 cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)"

# Counters from this run only.
find "$dir" -name '*.gcda' -delete
(cd "$dir" && ctest -LE desktop -j "$(nproc 2>/dev/null || echo 2)" --output-on-failure)

# Branches that only exceptions take, and those the compiler proves unreachable, are not the
# program's decisions: left out, as are the tests, benchmarks, the asset generator and
# everything generated in build folders.
gcovr --root . --object-directory "$dir" -j 2 \
  --exclude 'tests/' --exclude 'bench/' --exclude 'tools/assetgen/' --exclude 'build[^/]*/' \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json "$dir/coverage.json" --txt "$dir/coverage.txt"
python3 tools/coverage.py "$dir" "$dir/coverage.json"
