#!/usr/bin/env bash
# Runs a Windows program under Wine: wine-run.sh WINE_DIR PROGRAM [ARGS...]
#
# WINE_DIR holds the Wine prefix (created on first use, without any prompt, with a
# Japanese font standing in for the dialog fonts) and a lock for its creation. The
# program gets the X display in DISPLAY, or a private virtual one when there is none.
# Carriage returns are dropped from its standard output, so that text read by the build
# (the test lists) looks like Unix text.
#
# The program writes into files that are passed on once it has ended, never straight into
# the caller's pipes: the Wine server and Wine's own background programs (services.exe,
# explorer.exe for the desktop, ...) that a program starts keep its output open until they
# end, which with other programs keeping the server busy can be long after the program has
# ended, and CTest would wait for them as for the test.
set -euo pipefail

wine_dir=$1
shift
mkdir -p "$wine_dir"
wine_dir=$(cd "$wine_dir" && pwd)

export WINEPREFIX="$wine_dir/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompt, and no menu entries or file associations of the host's desktop
# made from what a program (an installer) puts in the prefix's Start menu.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# Wine takes command-line text in the locale's character set.
export LC_ALL=C.UTF-8

wine_bin=$(command -v wine64 || true)
[ -n "$wine_bin" ] || { [ -x /usr/lib/wine/wine64 ] && wine_bin=/usr/lib/wine/wine64; } || true
[ -n "$wine_bin" ] || wine_bin=$(command -v wine)
wineserver_bin=$(command -v wineserver || true)
[ -n "$wineserver_bin" ] || wineserver_bin=/usr/lib/wine/wineserver64

# Raise when the settings below change: existing prefixes then get them on next use.
settings_version=3

run_with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" "$@"
  fi
}

wine_reg() {
  "$wine_bin" reg add "$@" /f </dev/null >/dev/null 2>&1
}

# A font of the system for `wanted`, else `fallback`.
font_or() {
  if fc-list -q "$1" 2>/dev/null; then echo "$1"; else echo "$2"; fi
}

prepare_prefix() {
  [ -d "$WINEPREFIX" ] || run_with_display "$wine_bin" wineboot --init </dev/null >/dev/null 2>&1 || true
  # The dialog fonts drawn with fonts of the system: IPA P Gothic has the metrics of the
  # window's font; Noto Sans CJK covers the rest, Japanese included.
  local cjk='Noto Sans CJK JP' face
  local pgothic gothic
  pgothic=$(font_or IPAPGothic "$cjk")
  gothic=$(font_or IPAGothic "$cjk")
  local replacements=(
    'ＭＳ Ｐゴシック' "$pgothic" 'MS PGothic' "$pgothic"
    'ＭＳ ゴシック' "$gothic" 'MS Gothic' "$gothic"
    'MS UI Gothic' "$cjk" 'MS Shell Dlg' "$cjk" 'MS Shell Dlg 2' "$cjk"
    'Tahoma' "$cjk" 'MS Sans Serif' "$cjk"
  )
  for ((i = 0; i < ${#replacements[@]}; i += 2)); do
    wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "${replacements[i]}" /t REG_SZ \
      /d "${replacements[i + 1]}"
  done
  # The caption buttons are drawn with Wine's Marlett, which this Wine looks for among
  # the Windows fonts only.
  for face in /usr/share/wine/fonts/marlett.ttf; do
    [ -f "$face" ] && cp "$face" "$WINEPREFIX/drive_c/windows/Fonts/"
  done
  # Wine draws the window frames itself instead of leaving them to a window manager, so
  # windows look as on Windows and come and go without waiting for one.
  wine_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
  "$wineserver_bin" -w
  echo "$settings_version" >"$wine_dir/prefix.ready"
}

(
  flock 9
  [ "$(cat "$wine_dir/prefix.ready" 2>/dev/null)" = "$settings_version" ] || prepare_prefix
) 9>"$wine_dir/prefix.lock"

output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
set +e
run_with_display "$wine_bin" "$@" </dev/null >"$output" 2>"$errors"
status=$?
set -e
tr -d '\r' <"$output"
cat "$errors" >&2
exit "$status"
