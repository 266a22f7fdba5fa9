#!/usr/bin/env bash
# Sets up, checks the formatting, builds and runs every test: the Linux suites under the
# address and undefined-behaviour sanitizers, then the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check-format.sh

cmake --preset linux-debug
cmake --build --preset linux-debug
ctest --preset linux-debug

if [ -f cmake/mingw-w64.cmake ]; then
  bash scripts/test-windows.sh
fi
