#!/usr/bin/env bash
# Fuzzing with libFuzzer: builds the fuzz targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs them.
#   tools/fuzz.sh [SECONDS [TARGET...]]  each target (default: all) for SECONDS (default 600),
#                                        one after the other; a crash is written into
#                                        tests/fuzz/corpus/TARGET/ as a regression case
#   tools/fuzz.sh --brief                each target a few seconds over its corpus (a test step)
# New inputs of the long runs collect in build-fuzz/long-corpus/TARGET, the full output of
# each run in build-fuzz/fuzz-TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-fuzz
jobs=$(nproc 2>/dev/null || echo 2)
log=$(mktemp)
if ! CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBICLE_SANITIZE=ON \
  -DORBICLE_FUZZ=ON -DORBICLE_DESKTOP=ON -DORBICLE_BENCH=OFF >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$log"
  echo "fuzz.sh: configuring $dir failed" >&2
  exit 1
fi
rm -f "$log"
cmake --build "$dir" -j "$jobs" --target fuzz

if [ "${1:-}" = --brief ]; then
  cd "$dir"
  exec ctest --output-on-failure -j "$jobs" -L fuzz
fi

seconds=${1:-600}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_sim fuzz_hotkeys fuzz_profile_entries fuzz_bmp fuzz_settings_file fuzz_replay)

failed=()
for target in "${targets[@]}"; do
  seeds=tests/fuzz/corpus/$target
  corpus=$dir/long-corpus/$target
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$seeds/")
  [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
  echo "== $target, $seconds s"
  status=0
  "$dir/tests/fuzz/$target" "${options[@]}" "$corpus" "$seeds" >"$dir/fuzz-$target.log" 2>&1 || status=$?
  grep -E '^#[0-9]+\s+DONE|^Done|^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)|^broken|ERROR|SUMMARY' \
    "$dir/fuzz-$target.log" || true
  [ $status -eq 0 ] || failed+=("$target")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "found something: ${failed[*]} (see $dir/fuzz-TARGET.log; the input is in tests/fuzz/corpus/TARGET/)" >&2
  exit 1
fi
