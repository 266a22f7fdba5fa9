#!/usr/bin/env bash
# Sets up, checks the formatting, builds and runs every test: the browser page
# (WebAssembly), the Linux suites under the address and undefined-behaviour sanitizers and
# again in the release build users get (the end-to-end and browser tests once, under the
# sanitizers), then the packages with their checks, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
bash scripts/check-format.sh

# The browser page first: the browser tests of the Linux suites open what it builds.
cmake --preset web
cmake --build --preset web

cmake --preset linux-debug
cmake --build --preset linux-debug
ctest --preset linux-debug

cmake --preset linux-release
cmake --build --preset linux-release
ctest --preset linux-release --label-exclude e2e

bash scripts/package.sh

if [ -f cmake/mingw-w64.cmake ]; then
  bash scripts/test-windows.sh
fi
