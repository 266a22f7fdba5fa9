"""Folds the browser page into one self-contained HTML file.

    inline_web_page.py INDEX_HTML CORE_JS VERSION OUTPUT

The stylesheet linked from INDEX_HTML goes into a <style> element, the core script (the
WebAssembly already inside it) into a classic <script>, and the page's ES modules, starting
from the one INDEX_HTML loads, into one module script in dependency order. A page opened
from disk may not load modules from other files, so nothing may stay outside. The modules
keep to a plain form this can fold: single-line `import { a, b } from './m.js';` and
`export` before a declaration, names unique across the modules.
"""
import pathlib
import re
import sys

IMPORT = re.compile(r"^import\s*\{[^}]*\}\s*from\s*'\./([\w-]+\.js)';\s*$")
EXPORT = re.compile(r"^export\s+(?=(async\s+)?(function|const|let|class)\b)")


def script_text(text):
    # Inside a <script> element only "</script" ends it; nothing else needs escaping.
    return re.sub(r"</(script)", r"<\\/\1", text, flags=re.IGNORECASE)


def fold_modules(folder, entry):
    order, seen = [], set()

    def visit(name, path):
        if name in path:
            sys.exit(f"inline_web_page: modules import each other in a circle: {name}")
        if name in seen:
            return
        body = []
        for line in (folder / name).read_text(encoding="utf-8").splitlines():
            found = IMPORT.match(line)
            if found:
                visit(found.group(1), path + [name])
                continue
            if line.startswith("import ") or line.startswith("export default"):
                sys.exit(f"inline_web_page: {name}: cannot fold this line: {line}")
            if line.lstrip().startswith("//"):
                continue  # comments are for the sources; the page downloads none
            body.append(EXPORT.sub("", line))
        seen.add(name)
        order.append(f"// {name}\n" + "\n".join(body))

    visit(entry, [])
    return "\n".join(order)


def unbalanced_brace(css):
    """The line of the first brace in `css` that closes nothing or stays open, or None. A
    browser drops the rule after a stray closing brace without a word."""
    text = re.sub(r"/\*.*?\*/|\"(?:\\.|[^\"\\])*\"|'(?:\\.|[^'\\])*'",
                  lambda m: "\n" * m.group(0).count("\n"), css, flags=re.DOTALL)
    opened = []
    for line, row in enumerate(text.split("\n"), 1):
        for c in row:
            if c == "{":
                opened.append(line)
            elif c == "}" and not opened:
                return line
            elif c == "}":
                opened.pop()
    return opened[0] if opened else None


def main(index, core, version, output):
    index = pathlib.Path(index)
    folder = index.parent
    html = index.read_text(encoding="utf-8")

    def style(match):
        css = (folder / match.group(1)).read_text(encoding="utf-8")
        line = unbalanced_brace(css)
        if line:
            sys.exit(f"inline_web_page: {match.group(1)}:{line}: a brace that closes nothing or is never closed")
        return "<style>\n" + css.replace("</style", "<\\/style") + "</style>"

    def classic(match):
        return "<script>\n" + script_text(pathlib.Path(core).read_text(encoding="utf-8")) + "\n</script>"

    def module(match):
        return '<script type="module">\n' + script_text(fold_modules(folder, match.group(1))) + "\n</script>"

    html, styles = re.subn(r'<link rel="stylesheet" href="([\w-]+\.css)">', style, html)
    html, cores = re.subn(r'<script src="vesk-core\.js"></script>', classic, html)
    html, modules = re.subn(r'<script type="module" src="([\w-]+\.js)"></script>', module, html)
    if (styles, cores, modules) != (1, 1, 1):
        sys.exit("inline_web_page: the page must link one stylesheet, vesk-core.js and one module")
    html = html.replace("@VERSION@", version)
    pathlib.Path(output).write_text(html, encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
