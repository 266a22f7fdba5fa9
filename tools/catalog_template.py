"""Writes the catalog's template: every text the sources hand to the catalog.

    catalog_template.py SOURCE_ROOT OUTPUT_POT

C++ under src/ calls tr("...") and the page's modules text('...'); xgettext finds both,
and marks texts with {placeholders} python-brace-format so that msgfmt --check compares
them between msgid and msgstr. The page's HTML names its texts in data-text attributes
(data-text="..." for the content, data-text-ATTRIBUTE="..." for an attribute), which this
reads itself.
"""
import html
import pathlib
import re
import subprocess
import sys
import tempfile

CPP_FOLDERS = ["src/exchange", "src/cli", "src/web", "src/text", "src/platform"]
PAGE = "src/web/page"
HTML_TEXT = re.compile(r'\bdata-text(?:-[\w-]+)?="([^"]*)"')


def po_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


def xgettext(root, language, keyword, files, output):
    subprocess.run(["xgettext", "--language=" + language, "--from-code=UTF-8",
                    "--keyword=", "--keyword=" + keyword,
                    f"--flag={keyword}:1:python-brace-format", "--sort-by-file",
                    "--add-location=file", "--package-name=VeskEdit", "--force-po",
                    "-o", str(output), *map(str, files)], check=True, cwd=root)


def main(root, output):
    root = pathlib.Path(root)
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        parts = []
        cpp = sorted(p for folder in CPP_FOLDERS for p in (root / folder).rglob("*")
                     if p.suffix in (".cpp", ".h"))
        xgettext(root, "C++", "tr", [p.relative_to(root) for p in cpp], work / "cpp.pot")
        parts.append(work / "cpp.pot")
        scripts = sorted((root / PAGE).glob("*.js"))
        xgettext(root, "JavaScript", "text", [p.relative_to(root) for p in scripts], work / "js.pot")
        parts.append(work / "js.pot")
        entries = []
        for page in sorted((root / PAGE).glob("*.html")):
            for found in HTML_TEXT.finditer(page.read_text(encoding="utf-8")):
                msgid = html.unescape(found.group(1))
                flag = "#, python-brace-format\n" if re.search(r"\{\w+\}", msgid) else ""
                entries.append(f"#: {page.relative_to(root)}\n{flag}msgid {po_string(msgid)}\nmsgstr \"\"\n")
        (work / "html.pot").write_text(
            'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n' + "\n".join(entries),
            encoding="utf-8")
        parts.append(work / "html.pot")
        subprocess.run(["msgcat", "--force-po", "--use-first", "--sort-output", "--add-location=file",
                        "-o", str(output), *map(str, (p for p in parts if p.exists()))], check=True,
                       cwd=root)
    mark_placeholders(pathlib.Path(output))


def mark_placeholders(template):
    """Flags every entry with a {placeholder} python-brace-format, whichever language it
    came from (xgettext flags only C++ calls through --flag)."""
    blocks = template.read_text(encoding="utf-8").split("\n\n")
    for i, block in enumerate(blocks):
        if not re.search(r'^msgid .*\{\w+\}', block, flags=re.MULTILINE | re.DOTALL):
            continue
        if "python-brace-format" in block:
            continue
        lines = block.split("\n")
        at = next(n for n, line in enumerate(lines) if line.startswith("msgid"))
        flags = [n for n, line in enumerate(lines[:at]) if line.startswith("#,")]
        if flags:
            lines[flags[0]] += ", python-brace-format"
        else:
            lines.insert(at, "#, python-brace-format")
        blocks[i] = "\n".join(lines)
    # No creation date: it would change both .po files at every update.
    text = re.sub(r'^"POT-Creation-Date: [^"]*"\n', "", "\n\n".join(blocks), flags=re.MULTILINE)
    template.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2]).resolve())
