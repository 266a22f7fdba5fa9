#!/usr/bin/env bash
# The manual page renders as man(1) shows it at 80 columns without a warning, with its
# option names, quotes and indentation as written.
#   vesk_manual_page.sh PAGE                      the English page
#   vesk_manual_page.sh PAGE LINE_BREAKS_SCRIPT   the Japanese page, its break points added
set -euo pipefail
page=$1
text=$(mktemp)
warnings=$(mktemp)
broken=$(mktemp)
trap 'rm -f "$text" "$warnings" "$broken"' EXIT
if [ $# -ge 2 ]; then
  python3 "$2" "$page" "$broken"
  page=$broken
fi
LC_ALL=C.UTF-8 groff -k -Kutf8 -man -Tutf8 -ww -rLL=78n -P-cbou "$page" > "$text" 2> "$warnings"

fail() { echo "vesk manual page: $*" >&2; exit 1; }
[ ! -s "$warnings" ] || fail "groff warns: $(head -3 "$warnings")"
python3 - "$text" <<'PY' || fail "a line is wider than 80 columns"
import sys, unicodedata
for line in open(sys.argv[1], encoding="utf-8"):
    width = sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in line.rstrip("\n"))
    if width > 80:
        print(line, end="", file=sys.stderr)
        sys.exit(1)
PY
if [ $# -ge 2 ]; then
  grep -q 'hp_index、kero_index' "$text" || fail "the Japanese page lost its text"
  echo "vesk manual page: passed"
  exit 0
fi
# The words as one line, with single spaces, whatever the filling and wrapping did.
flat=$(tr '\n' ' ' < "$text" | tr -s ' ')
has() { grep -qF -- "$1" <<< "$flat"; }
if has '--format ,'; then fail "a space before the comma after --format"; fi
has '{"id", "name"}' || fail 'the JSON shape {"id", "name"} lost its quotes'
has "'attack*=1.2'" || fail "the examples do not quote 'attack*=1.2'"
has 'vesk import IMAGE FILE|- ' || fail "the synopsis lacks - for import"
# A paragraph that continues an item is indented as the item's first paragraph.
item=$(grep -m1 '^ *export Writes' "$text" | sed 's/export.*//' | wc -c)
continued=$(grep -E -m1 '^ *hp +and +kero +are' "$text" | sed 's/hp.*//' | wc -c)
[ "$continued" = $((item + 7)) ] || fail "a continued paragraph of export is not indented"
echo "vesk manual page: passed"
