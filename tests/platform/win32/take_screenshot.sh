#!/usr/bin/env bash
# take_screenshot.sh BUILD_DIR OUTPUT.png: starts the Windows build's vesk-edit.exe under
# Wine on a private virtual display, opens a sample image in it, and saves a picture of
# the window.
set -euo pipefail
build=$(cd "$1" && pwd)
output=$2
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../../scripts/wine-run.sh"
wine_dir="$build/wine"

work=$(mktemp -d)
editor_pid=
wine_session_on_exit() {
  [ -z "$editor_pid" ] || kill "$editor_pid" 2>/dev/null || true
  rm -rf "$work"
}
source "$here/../../../scripts/wine-session.sh"
wine_session_start "$wine_dir" 800x600

# The program runs from a copy so that its data.ini stays out of the build.
cp "$build/src/platform/win32/vesk-edit.exe" "$work/"
"$wine_run" "$wine_dir" "$build/tools/vesk-sample-image.exe" "$work/sample.gb" 7
mv "$work/sample.gb" "$work/サンプル.gb"
"$wine_run" "$wine_dir" "$work/vesk-edit.exe" &
editor_pid=$!
# Typed into the chooser the way a Windows user would: drive Z: is the Unix root.
image="Z:$(printf '%s' "$work/サンプル.gb" | tr / '\\')"
geometry=$("$wine_run" "$wine_dir" "$build/tests/platform/win32/vesk-drive.exe" "$image" 12)
import -window root -crop "$geometry" +repage "$output"
echo "take_screenshot: wrote $output ($geometry)"
