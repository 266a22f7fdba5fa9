#!/usr/bin/env bash
# Checks the Windows zip under Wine: its vesk-edit.exe, unpacked into a folder the user
# cannot write (as root: run by the user nobody), starts, is closed, and keeps its setting
# in %APPDATA%\io.github.veskedit.VeskEdit\data.ini; nothing is written beside it.
#   bash tests/package/check_zip.sh vesk-edit-VERSION-windows-x86_64.zip
set -euo pipefail
zip=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
app_id=io.github.veskedit.VeskEdit
caption='GB版Vesk1 敵キャラステータスエディタ'

work=$(mktemp -d)
chmod 755 "$work"
display_file="$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
editor_pid=
as_user=()
cleanup() {
  [ -z "$editor_pid" ] || kill "$editor_pid" 2>/dev/null || true
  WINEPREFIX="$work/wine/prefix" "${as_user[@]}" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$display_file")"

python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$work/unpacked"
program=$(ls "$work"/unpacked/*/vesk-edit.exe)
ls "$work"/unpacked/*/vesk-web.html >/dev/null || {
  echo "check_zip: the browser page vesk-web.html is not in the zip" >&2
  exit 1
}
mkdir -p "$work/home" "$work/wine" "$work/bin"
# The unprivileged run reads nothing of the checkout, which may sit in a private folder
# (a home of mode 700): it gets its own copy of the Wine runner and starts in $work.
cp "$root/scripts/wine-run.sh" "$work/bin/"
wine_run="$work/bin/wine-run.sh"
chmod 755 "$work/bin" "$work/unpacked"
cd "$work"
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$work/home" "$work/wine"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
else
  chmod -R a-w "$work/unpacked"
fi
run() { "${as_user[@]}" env HOME="$work/home" "$@"; }

run bash "$wine_run" "$work/wine" cmd /c exit
run bash "$wine_run" "$work/wine" "$program" &
editor_pid=$!
for _ in $(seq 300); do
  xdotool search --name "^$caption\$" >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool search --name "^$caption\$" >/dev/null || { echo "check_zip: no window" >&2; exit 1; }
# A close request as from the title bar: taskkill without /F sends WM_CLOSE.
run bash "$wine_run" "$work/wine" taskkill /IM vesk-edit.exe >/dev/null
for _ in $(seq 300); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$editor_pid" 2>/dev/null; then echo "check_zip: the editor did not end" >&2; exit 1; fi
editor_pid=

ini=$(ls "$work"/wine/prefix/drive_c/users/*/AppData/Roaming/$app_id/data.ini 2>/dev/null || true)
if [ -z "$ini" ] || ! grep -q '^backup=0' "$ini"; then
  echo "check_zip: no data.ini with backup=0 in %APPDATA%\\$app_id" >&2
  exit 1
fi
if [ -e "$(dirname "$program")/data.ini" ]; then
  echo "check_zip: data.ini was written beside the program" >&2
  exit 1
fi
echo "check_zip: $(basename "$zip") keeps its setting in ${ini#"$work"/wine/prefix/}"
