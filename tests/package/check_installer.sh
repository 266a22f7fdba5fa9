#!/usr/bin/env bash
# Checks the Windows installer under Wine, as one user without administrator rights:
#   bash tests/package/check_installer.sh vesk-edit-VERSION-setup-x86_64.exe WORK_DIR
# WORK_DIR (in the build folder) keeps the Wine prefix between runs; what an earlier run
# left of VeskEdit in it is removed first. In order:
#  - the installer asks for no elevation, and "/S" installs into %LOCALAPPDATA%\Programs\
#    VeskEdit: the programs, the Start menu link, the uninstall entry and "Open with" for
#    .gb, leaving the default program of .gb (here another program's) as it was, and
#    writing nothing for all users;
#  - the editor started from the Start menu link runs from there, and, that folder being
#    the user's own, keeps data.ini beside itself; while it runs, neither the installer nor
#    the uninstaller changes anything;
#  - "uninstall.exe /S" removes all of it but data.ini, and .gb keeps its default program;
#  - nothing reached the host's menus (winemenubuilder is off in scripts/wine-run.sh).
set -euo pipefail
setup=$(realpath "$1")
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
wine_dir=$work/wine
app_id=io.github.veskedit.VeskEdit
caption='GB版Vesk1 敵キャラステータスエディタ'
uninstall_key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"
classes='HKCU\Software\Classes'
progid=$app_id.gb
other_program=Other.Program.gb

fail() {
  echo "check_installer: $*" >&2
  exit 1
}

# The desktop folders a host menu entry would go to, inside the work folder.
export XDG_DATA_HOME=$work/xdg/data XDG_CONFIG_HOME=$work/xdg/config
rm -rf "$work/xdg"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"

source "$root/scripts/wine-session.sh"
editor_pid=
wine_session_on_exit() { [ -z "$editor_pid" ] || kill "$editor_pid" 2>/dev/null || true; }
wine_session_start "$wine_dir" 1024x768

wine() { timeout 120 bash "$root/scripts/wine-run.sh" "$wine_dir" "$@"; }
# A folder of the user's profile, as a Unix path.
profile_folder() { wine winepath -u "$(wine cmd /c echo "%$1%")"; }
reg_has() { wine reg query "$@" >/dev/null 2>&1; }
reg_value() { wine reg query "$@" 2>/dev/null | grep -m1 REG_ || true; }
wait_for() {  # wait_for SECONDS WHAT COMMAND...
  local deadline=$((SECONDS + $1)) what=$2
  shift 2
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
    sleep 0.2
  done
}

wine cmd /c exit
local_appdata=$(profile_folder LOCALAPPDATA)
appdata=$(profile_folder APPDATA)
install_dir=$local_appdata/Programs/VeskEdit
link="$appdata/Microsoft/Windows/Start Menu/Programs/VeskEdit.lnk"
program_files=$(wine winepath -u 'C:\Program Files')
[ -n "$local_appdata" ] && [ -n "$appdata" ] || fail "no profile folders in the Wine prefix"

# A clean start: no earlier VeskEdit; .gb opens with another program by default.
rm -rf "$install_dir" "$link" "$appdata/$app_id"
wine reg delete "$uninstall_key" /f >/dev/null 2>&1 || true
wine reg delete "$classes\\$progid" /f >/dev/null 2>&1 || true
wine reg delete "$classes\\.gb" /f >/dev/null 2>&1 || true
wine reg add "$classes\\.gb" /ve /d "$other_program" /f >/dev/null

grep -aq 'requestedExecutionLevel level="asInvoker"' "$setup" ||
  fail "the installer does not run as the user who starts it (asInvoker)"

# Silent install.
wine "$setup" /S || fail "the silent install exited $?"
for file in vesk-edit.exe vesk.exe README.md LICENSE uninstall.exe; do
  [ -f "$install_dir/$file" ] || fail "no $file in $install_dir"
done
[ -f "$link" ] || fail "no Start menu link $link"
reg_value "$uninstall_key" /v DisplayName | grep -q VeskEdit || fail "no uninstall entry"
reg_value "$uninstall_key" /v QuietUninstallString | grep -q 'uninstall.exe" /S' ||
  fail "the uninstall entry has no silent uninstall command"
reg_has "$classes\\.gb\\OpenWithProgids" /v "$progid" || fail "no \"Open with\" entry for .gb"
reg_value "$classes\\$progid\\shell\\open\\command" /ve | grep -q 'vesk-edit.exe' ||
  fail "the ProgID $progid does not start vesk-edit.exe"
reg_value "$classes\\.gb" /ve | grep -q "$other_program" ||
  fail "the default program of .gb was changed"
! reg_has "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id" ||
  fail "an uninstall entry for all users"
[ ! -e "$program_files/VeskEdit" ] || fail "files in Program Files"
echo "check_installer: installed into $(wine cmd /c echo "%LOCALAPPDATA%")\\Programs\\VeskEdit"

# The editor from its Start menu link: it keeps data.ini beside itself.
wine start /wait "$(wine winepath -w "$link")" &
editor_pid=$!
editor_window() { xdotool search --name "^$caption\$" >/dev/null 2>&1; }
wait_for 60 "the editor's window" editor_window
# While it runs, neither another install nor the uninstaller (here run in place, to see
# its exit code) changes anything: both stop with code 3.
status=0
wine "$setup" /S || status=$?
[ "$status" = 3 ] || fail "an install over the running editor exited $status, not 3"
status=0
wine "$install_dir/uninstall.exe" /S "_?=$(wine winepath -w "$install_dir")" || status=$?
[ "$status" = 3 ] || fail "the uninstall of the running editor exited $status, not 3"
[ -f "$install_dir/vesk-edit.exe" ] && [ -f "$link" ] && reg_has "$uninstall_key" ||
  fail "the uninstall of the running editor removed something"
wine taskkill /IM vesk-edit.exe >/dev/null # a close request, as from the title bar
wait_for 30 "the editor to end" bash -c "! kill -0 $editor_pid 2>/dev/null"
editor_pid=
grep -q '^backup=' "$install_dir/data.ini" 2>/dev/null ||
  fail "the editor kept no data.ini beside itself in $install_dir"
[ ! -e "$appdata/$app_id/data.ini" ] || fail "data.ini went to %APPDATA%, not beside the program"
cp "$install_dir/data.ini" "$work/data.ini.kept"
echo "check_installer: the editor started from the Start menu and kept data.ini beside itself"

# Silent uninstall. The uninstaller runs on from a copy of itself in %TEMP%, so the run
# is over when the prefix's last program has ended.
wine "$install_dir/uninstall.exe" /S || fail "the silent uninstall exited $?"
wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
WINEPREFIX="$wine_dir/prefix" timeout 120 "$wineserver_bin" -w ||
  fail "the uninstaller did not end"
wine cmd /c exit
left=$(cd "$install_dir" && ls -A)
[ "$left" = data.ini ] || fail "the uninstall left $(echo $left) in $install_dir (only data.ini may stay)"
cmp -s "$install_dir/data.ini" "$work/data.ini.kept" || fail "the uninstall changed data.ini"
[ ! -e "$link" ] || fail "the Start menu link is still there"
! reg_has "$uninstall_key" || fail "the uninstall entry is still there"
! reg_has "$classes\\$progid" || fail "the ProgID $progid is still there"
! reg_has "$classes\\.gb\\OpenWithProgids" || fail "the \"Open with\" list of .gb is still there"
reg_value "$classes\\.gb" /ve | grep -q "$other_program" ||
  fail "the uninstall took the default program of .gb"
if find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" -type f | grep -q .; then
  fail "Wine wrote to the host's menus: $(find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" -type f)"
fi
echo "check_installer: $(basename "$setup") installed, started and uninstalled silently;" \
  "only data.ini stays"
