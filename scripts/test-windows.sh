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
source scripts/wine-session.sh
wine_session_start "$wine_dir" 1024x768

# Creates the prefix on first use (it is kept in the build folder) and waits for the
# server that did it to end. Then one persistent server, and Wine's background programs
# started by a first program, for the whole run: started by the test programs instead,
# they would come and go between them and hold the output of whichever test started them.
scripts/wine-run.sh "$wine_dir" cmd /c exit
export WINEPREFIX="$PWD/$wine_dir/prefix"
timeout 60 wineserver -w
wineserver -p </dev/null >/dev/null 2>&1
scripts/wine-run.sh "$wine_dir" cmd /c exit

ctest --preset windows-cross

# The same editing session through both builds, on the same sample image; the Linux
# side is built with the Linux test settings in a folder of its own.
cmake --preset linux-debug -B "$host" >/dev/null
cmake --build "$host" --target vesk-story vesk vesk-sample-image
story=$(mktemp -d)
wine_session_on_exit() { rm -rf "$story"; }
mkdir -p "$story/linux" "$story/windows"
"$host/tests/support/vesk-story" "$story/linux"
scripts/wine-run.sh "$wine_dir" "$build/tests/support/vesk-story.exe" "$story/windows"
for file in 元データ.gb 元データ.gb.bak コピー.gb; do
  cmp "$story/linux/$file" "$story/windows/$file"
done
grep -q '^backup=1' "$story/linux/data.ini"
grep -q '^backup=1' "$story/windows/data.ini"
echo "test-windows: the Windows build wrote the same image, backup and copy as the Linux build"

# The vesk command on both builds: the same export of the same image, a Japanese path
# passed as a wide argument, and a BPS patch from Linux applied by vesk.exe.
"$host/tools/vesk-sample-image" "$story/linux/元.gb" 7
cp "$story/linux/元.gb" "$story/windows/元.gb"
"$host/src/cli/vesk" export "$story/linux/元.gb" -o "$story/linux/表.csv"
scripts/wine-run.sh "$wine_dir" "$build/src/cli/vesk.exe" export "$story/windows/元.gb" \
  -o "$story/windows/表.csv"
cmp "$story/linux/表.csv" "$story/windows/表.csv"
"$host/src/cli/vesk" set "$story/linux/元.gb" 39 attack=200 --no-backup >/dev/null
"$host/src/cli/vesk" patch create "$story/windows/元.gb" "$story/linux/元.gb" -o "$story/p.bps"
scripts/wine-run.sh "$wine_dir" "$build/src/cli/vesk.exe" patch apply "$story/windows/元.gb" \
  "$story/p.bps" -o "$story/windows/済.gb" >/dev/null
cmp "$story/linux/元.gb" "$story/windows/済.gb"
echo "test-windows: vesk.exe exported the same table and applied the Linux build's patch"
