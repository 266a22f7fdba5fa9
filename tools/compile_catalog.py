"""Compiles the catalog's .po files into C++: one sorted table of every text, in Japanese
and English, so that the programs and the page carry their words inside them.

    compile_catalog.py JA_PO EN_PO OUTPUT_CPP [FOLDER...]

With FOLDERs (such as src/web), only the texts used by sources under them: the page
carries none of the command's words.

Both files are gettext catalogs of the same template; an entry missing from one, left
empty or marked fuzzy compiles as its English source text, and the catalog test says so.
"""
import pathlib
import re
import sys

QUOTED = re.compile(r'"((?:[^"\\]|\\.)*)"')
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}


def unescape(text):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(1)), text)


def read_po(path, folders=()):
    """{msgid: msgstr} of the entries that are neither fuzzy nor obsolete; with `folders`,
    only those a source file under one of them uses."""
    entries, fuzzy, key, parts, places = {}, False, None, {}, []

    def finish():
        nonlocal fuzzy, key, parts, places
        used = not folders or any(p.startswith(f.rstrip("/") + "/") for p in places for f in folders)
        if "msgid" in parts and parts["msgid"] and not fuzzy and used:
            entries[parts["msgid"]] = parts.get("msgstr", "")
        fuzzy, key, parts, places = False, None, {}, []

    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        line = line.strip()
        if not line:
            finish()
        elif line.startswith("#,"):
            fuzzy = "fuzzy" in line
        elif line.startswith("#:"):
            places += line[2:].split()
        elif line.startswith("#"):
            continue
        elif line.startswith('"'):
            parts[key] += unescape(QUOTED.match(line).group(1))
        else:
            key, _, rest = line.partition(" ")
            if key == "msgid" and "msgid" in parts:
                finish()
                key = "msgid"
            parts[key] = unescape(QUOTED.match(rest).group(1))
    finish()
    return entries


def cpp_string(text):
    # Bytes as octal escapes where C++ could misread them; UTF-8 passes through as is.
    out = []
    for ch in text:
        if ch == "\\" or ch == '"':
            out.append("\\" + ch)
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\t":
            out.append("\\t")
        elif ch == "?":
            out.append("\\?")  # no trigraphs
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def main(ja_po, en_po, output, *folders):
    japanese, english = read_po(ja_po, folders), read_po(en_po, folders)
    ids = sorted(set(japanese) | set(english), key=lambda s: s.encode("utf-8"))
    # An English text the same as its msgid is left empty and looked up as the msgid: the
    # page downloads each such text once.
    rows = "\n".join(
        f"    {{{cpp_string(i)}, {cpp_string(japanese.get(i, ''))}, "
        f"{cpp_string('' if english.get(i) == i else english.get(i, ''))}}},"
        for i in ids)
    text = f"""// Generated from {pathlib.Path(ja_po).name} and {pathlib.Path(en_po).name} by compile_catalog.py.
#include <array>

#include "text/catalog_entries.h"

namespace vesk::text {{
namespace {{

constexpr std::array<CatalogEntry, {len(ids)}> kEntries{{{{
{rows}
}}}};

}}  // namespace

std::span<const CatalogEntry> catalogEntries() {{ return kEntries; }}

}}  // namespace vesk::text
"""
    out = pathlib.Path(output)
    if not out.exists() or out.read_text(encoding="utf-8") != text:
        out.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
