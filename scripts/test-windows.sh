#!/usr/bin/env bash
# Cross-compiles the Windows build (build/windows) with MinGW-w64, runs its tests under
# Wine on a private virtual display, and checks that the Windows build writes the same
# bytes as the Linux build for the same editing session.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/windows
wine_dir=$build/wine
host=$build/host

cmake --preset windows-cross
cmake --build --preset windows-cross

# One virtual display and one Wine server for the whole run.
source cmake/wine-session.sh
wine_session_start "$wine_dir" 1024x768

# Creates the prefix on first use (it is kept in the build folder), then keeps the
# server up between the test programs.
cmake/wine-run.sh "$wine_dir" cmd /c exit
WINEPREFIX="$PWD/$wine_dir/prefix" wineserver -p 2>/dev/null || true

ctest --preset windows-cross

# The same editing session through both builds, on the same sample image; the Linux
# side is built with the Linux test settings in a folder of its own.
cmake --preset linux-debug -B "$host" >/dev/null
cmake --build "$host" --target vesk-story
story=$(mktemp -d)
wine_session_on_exit() { rm -rf "$story"; }
mkdir -p "$story/linux" "$story/windows"
"$host/tests/support/vesk-story" "$story/linux"
cmake/wine-run.sh "$wine_dir" "$build/tests/support/vesk-story.exe" "$story/windows"
for file in 元データ.gb 元データ.gb.bak コピー.gb; do
  cmp "$story/linux/$file" "$story/windows/$file"
done
grep -q '^backup=1' "$story/linux/data.ini"
grep -q '^backup=1' "$story/windows/data.ini"
echo "test-windows: the Windows build wrote the same image, backup and copy as the Linux build"
