#!/usr/bin/env bash
# Builds the release preset and prints the medians of the editor benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release --target editor_bench
build/linux-release/tests/bench/editor_bench --benchmark_repetitions="${REPETITIONS:-15}" \
  --benchmark_report_aggregates_only=true "$@" | grep -E 'Benchmark|---|_median'
