#!/usr/bin/env bash
# Sets up, builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release --target vesk-edit
exec build/linux-release/src/platform/qt/vesk-edit "$@"
