#!/usr/bin/env bash
# Runs the Windows tests again and again as the test command runs them (ctest -j2 in the Windows
# build folder, in its order), to find what fails only now and then. Keeps each run's full log
# and sums up each run: its status, its time, the machine's load, the tests that failed, how the
# wineserver ended, how every installer and uninstaller process ended, and how many registry reads
# the tests that wait for the registry made (four when every first read found what it wanted).
#   usage: repeat.sh BUILD_WIN RUNS LOGDIR
set -uo pipefail
build=$1 runs=$2 logs=$3
mkdir -p "$logs"
summary="$logs/summary.txt"
for run in $(seq "$runs"); do
  started=$(date +%s)
  load=$(cut -d' ' -f1 /proc/loadavg)
  (cd "$build" && ctest --output-on-failure -j2 >"$logs/run$run.out" 2>&1)
  status=$?
  cp "$build/Testing/Temporary/LastTest.log" "$logs/run$run.log"
  failed=$(grep -E '^[[:space:]]*[0-9]+ - ' "$logs/run$run.out" | awk '{print $3}' | tr '\n' ' ')
  server=$(grep -m1 'the wineserver' "$logs/run$run.log" || echo "the wineserver's end not recorded")
  jobs=$(grep -E '^  ended [0-9]+ ' "$logs/run$run.log" | awk '{print $5 "=" $3 "(" $4 "s)"}' | tr '\n' ' ')
  reads=$(grep -c 'status [0-9]* after .*: reg query' "$logs/run$run.log")
  printf 'run %d: status %d, %d s, load %s at the start; failed: %s; %s; installer: %s; registry reads: %d\n' "$run" \
    "$status" $(($(date +%s) - started)) "$load" "${failed:-none}" "$server" "$jobs" "$reads" | tee -a "$summary"
done
