"""Lets groff break Japanese text, which has no spaces: writes a manual page with an
optional break (\\:) after every Japanese character of its text lines, except before the
marks that may not begin a line, and with no space where a line of the source ends in
Japanese (\\c joins it to the next).

    japanese_line_breaks.py PAGE OUTPUT
"""
import re
import sys

JAPANESE = "\u3000-\u30ff\u3400-\u9fff\uff00-\uffef"
NO_LINE_START = "、。，．・ー）」』】〜！？：ぁぃぅぇぉっゃゅょァィゥェォッャュョ"
BREAK = re.compile(f"([{JAPANESE}])(?=[^{re.escape(NO_LINE_START)}\\n])")
ENDS_JAPANESE = re.compile(f"[{JAPANESE}]$")


def main(page, output):
    lines = []
    for line in open(page, encoding="utf-8"):
        if line.startswith((".", "'")):
            lines.append(line)
            continue
        line = BREAK.sub(r"\1\\:", line.rstrip("\n"))
        lines.append(line + ("\\:\\c\n" if ENDS_JAPANESE.search(line) else "\n"))
    with open(output, "w", encoding="utf-8") as out:
        out.writelines(lines)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
