#!/usr/bin/env bash
# Sets up, checks the formatting, builds and runs every test: the browser page
# (WebAssembly), the Linux suites under the address and undefined-behaviour sanitizers and
# again in the release build users get (the end-to-end and browser tests once, under the
# sanitizers), then the packages with their checks, then the Windows build under Wine.
#
# Every stage runs even when an earlier one failed, so one failure does not hide the
# state of the rest; a stage whose input an earlier stage failed to build is skipped and
# says so. The end prints one line per stage and exits non-zero if any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh test || { echo "test: setup failed; nothing was run" >&2; exit 1; }

names=()
results=()
failed=0

# stage NAME COMMAND...: runs the command, records how it ended and how long it took.
# Each command is a script or a function whose steps are joined with &&.
stage() {
  local name=$1 start rc
  shift
  echo "==== test stage: $name"
  start=$SECONDS
  "$@"
  rc=$?
  names+=("$name")
  if [ "$rc" -eq 0 ]; then
    results+=("passed ($((SECONDS - start)) s)")
  else
    results+=("FAILED, exit $rc ($((SECONDS - start)) s)")
    failed=1
  fi
  return "$rc"
}

skip() {
  names+=("$1")
  results+=("skipped: $2")
  failed=1
}

web() { cmake --preset web && cmake --build --preset web; }
build_debug() { cmake --preset linux-debug && cmake --build --preset linux-debug; }
test_debug() { ctest --preset linux-debug; }
build_release() { cmake --preset linux-release && cmake --build --preset linux-release; }
test_release() { ctest --preset linux-release --label-exclude e2e; }

stage format bash scripts/check-format.sh
# The browser page first: the browser tests of the Linux suites open what it builds.
stage web-page web
if stage linux-debug-build build_debug; then
  stage linux-debug-tests test_debug
else
  skip linux-debug-tests "its build failed"
fi
if stage linux-release-build build_release; then
  stage linux-release-tests test_release
else
  skip linux-release-tests "its build failed"
fi
# A minute of fuzzing the table reader (CSV and JSON) with libFuzzer under the sanitizers.
table_fuzz() {
  cmake --preset linux-fuzz && cmake --build --preset linux-fuzz --target vesk-table-fuzz &&
    build/linux-fuzz/tools/table_fuzz/vesk-table-fuzz -max_total_time=60 -rss_limit_mb=2048 \
      -max_len=20000 -print_final_stats=1
}
stage table-fuzz table_fuzz
stage packages bash scripts/package.sh
if [ -f cmake/mingw-w64.cmake ]; then
  stage windows bash scripts/test-windows.sh
fi

echo "==== test summary"
for i in "${!names[@]}"; do
  printf 'test stage %-20s %s\n' "${names[$i]}" "${results[$i]}"
done
exit "$failed"
