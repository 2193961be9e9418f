#!/usr/bin/env bash
# Builds the fuzz targets of the three data-file readers with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from the corpus kept in
# fuzz/corpus/. New inputs go to a scratch folder; a crash leaves its input in the current folder
# (crash-*) and fails the script: keep it under fuzz/corpus/<target>/ once it is fixed.
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET]      (default 60)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

bash "$root/scripts/install-deps.sh"
CXX=clang++ cmake -S "$root" -B "$build" -DKALVOR_FUZZ=ON -DKALVOR_TESTS=OFF -DKALVOR_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target settings_fuzz marks_fuzz favourites_fuzz

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# Inputs may grow past the largest file the program writes: a 20-month mark.log is 17,360 bytes.
max_len=24576
largest() { local size; size=$(find "$@" -type f -printf '%s\n' | sort -n | tail -1); echo "${size:-0}"; }
for target in settings marks favourites; do
  mkdir -p "$scratch/$target"
  echo "== fuzzing the $target reader for $seconds s"
  status=0
  QT_QPA_PLATFORM=offscreen "$build/fuzz/${target}_fuzz" "$scratch/$target" "$root/fuzz/corpus/$target" \
    -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    >"$scratch/$target.log" 2>&1 || status=$?
  grep -E '^(Done|==[0-9]+==ERROR|SUMMARY)|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' \
    "$scratch/$target.log" || true
  echo "largest input kept: $(largest "$scratch/$target" "$root/fuzz/corpus/$target") bytes," \
    "largest new one: $(largest "$scratch/$target") bytes"
  if [ "$status" -ne 0 ]; then
    tail -40 "$scratch/$target.log" >&2
    echo "fuzzing the $target reader found a failure" >&2
    exit 1
  fi
done
