#!/usr/bin/env bash
# Builds the editor and exchange benchmarks with the release preset and prints their medians.
#   tools/run_benchmarks.sh [BUILD_DIR]     (default: build/linux-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux-release}
[ -f "$build/CMakeCache.txt" ] || cmake --preset linux-release -B "$build" >/dev/null
cmake --build "$build" -j2 --target editor_bench exchange_bench >/dev/null
"$build/tests/bench/editor_bench" --benchmark_repetitions="${REPETITIONS:-15}" \
  --benchmark_report_aggregates_only=true | grep -E 'Benchmark|---|_median'
"$build/tests/bench/exchange_bench" --benchmark_repetitions="${REPETITIONS:-15}" \
  --benchmark_report_aggregates_only=true | grep -E '_median'
