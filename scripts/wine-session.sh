# Sourced by the scripts that run Windows programs under Wine on a private virtual display
# (bash, with set -euo pipefail):
#
#   source scripts/wine-session.sh
#   wine_session_start WINE_DIR WIDTHxHEIGHT
#
# starts Xvfb on whatever display is free and exports DISPLAY. When the script exits, the
# Wine server of WINE_DIR's prefix and the display are ended, after the script's own
# wine_session_on_exit function if it defines one.

wine_session_start() {
  mkdir -p "$1"
  _wine_session_prefix="$(cd "$1" && pwd)/prefix"
  _wine_session_display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$2x24" -nolisten tcp 3>"$_wine_session_display_file" \
    >/dev/null 2>&1 &
  _wine_session_xvfb_pid=$!
  trap _wine_session_end EXIT
  for _ in $(seq 100); do [ -s "$_wine_session_display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$_wine_session_display_file")"
}

_wine_session_end() {
  if declare -F wine_session_on_exit >/dev/null; then wine_session_on_exit || true; fi
  WINEPREFIX="$_wine_session_prefix" wineserver -k >/dev/null 2>&1 || true
  kill "$_wine_session_xvfb_pid" 2>/dev/null || true
  rm -f "$_wine_session_display_file"
}
