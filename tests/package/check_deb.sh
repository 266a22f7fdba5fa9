#!/usr/bin/env bash
# Checks a built Debian package: lintian reports no error, the desktop entry and the
# AppStream metadata it installs validate, and the unpacked program run by a user who
# cannot write its folder keeps its setting in that user's configuration folder.
#   bash tests/package/check_deb.sh vesk-edit_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
here=$(dirname "$(realpath "$0")")

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

# lintian prefers not to run as root; it works the same.
report=$(lintian --allow-root --tag-display-limit 0 "$deb" 2>&1 || true)
[ -z "$report" ] || printf '%s\n' "$report"
if grep -q '^E:' <<<"$report"; then
  echo "check_deb: lintian reports errors" >&2
  exit 1
fi
compgen -G "$unpacked/usr/share/*/vesk-web.html" >/dev/null || {
  echo "check_deb: the browser page vesk-web.html is not under /usr/share/<application id>/" >&2
  exit 1
}
for page in man1/vesk.1.gz ja/man1/vesk.1.gz; do
  [ -f "$unpacked/usr/share/man/$page" ] || { echo "check_deb: no manual page $page" >&2; exit 1; }
done
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
python3 -B "$here/installed_program.py" "$deb"
echo "check_deb: $(basename "$deb") passes"
