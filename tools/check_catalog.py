"""Checks the catalog with gettext's own tools.

    check_catalog.py SOURCE_ROOT WORK_FOLDER

Every text the sources hand to the catalog must have a translation, neither empty nor
fuzzy, in po/ja.po and po/en.po; msgfmt --check must pass each (its format checks compare
the {placeholders} of every msgid with its msgstr); and neither file may keep entries the
sources no longer use.
"""
import pathlib
import re
import subprocess
import sys

import catalog_template


def run(*command):
    return subprocess.run(command, capture_output=True, text=True)


def main(root, work):
    root, work = pathlib.Path(root), pathlib.Path(work)
    work.mkdir(parents=True, exist_ok=True)
    template = work / "vesk.pot"
    catalog_template.main(root, template)
    failures = []
    for language in ("ja", "en"):
        po = root / "po" / f"{language}.po"
        checked = run("msgfmt", "--check", "--statistics", "-o", "/dev/null", str(po))
        if checked.returncode != 0:
            failures.append(f"{po.name}: msgfmt --check:\n{checked.stderr}")
        elif re.search(r"fuzzy|untranslated", checked.stderr):
            failures.append(f"{po.name}: {checked.stderr.strip()}")
        compared = run("msgcmp", str(po), str(template))
        if compared.returncode != 0:
            failures.append(f"{po.name}: texts of the sources missing:\n{compared.stderr}")
        unused = run("msgcomm", "--less-than=2", "--unique", str(po), str(template))
        extra = re.findall(r'^msgid "(.+)"$', unused.stdout, flags=re.MULTILINE)
        extra = [m for m in extra if m]
        if unused.returncode != 0 or extra:
            failures.append(f"{po.name}: entries no source uses: {extra or unused.stderr}")
    if failures:
        sys.exit("\n".join(failures) + "\nUpdate with the vesk-catalog-update target and translate.")
    print(f"catalog: {template.read_text(encoding='utf-8').count('msgid ') - 1} texts, "
          "complete in both languages")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
