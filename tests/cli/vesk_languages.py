"""The command's failing cases under a Japanese, a C and an English locale: Japanese and C
print no English sentence, English prints no Japanese but the window's labels.

    vesk_languages.py VESK VESK_SAMPLE_IMAGE
"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile

# (arguments, exit code); {image} is a sample image, {folder} a folder, {text} a text file,
# {patch} a damaged BPS patch, {sjis} a table saved as Shift-JIS, {json} a JSON table with
# a bad entry.
CASES = [
    ([], 2),
    (["--help"], 0),
    *(([*command, "--help"], 0) for command in (["show"], ["export"], ["import"], ["set"],
                                                 ["diff"], ["patch"], ["patch", "create"],
                                                 ["patch", "apply"])),
    (["frobnicate"], 2),
    (["show"], 2),
    (["show", "{image}", "300"], 2),
    (["show", "{image}", "--format", "xml"], 2),
    (["export", "{image}", "-o"], 2),
    (["export", "{image}", "--bogus"], 2),
    (["export", "{image}", "--force=maybe"], 2),
    (["export", "{image}", "-o", "a.csv", "-o", "b.csv"], 2),
    (["--bogus"], 2),
    (["patch", "frob"], 2),
    (["diff", "{image}", "{image}", "extra"], 2),
    (["patch"], 2),
    (["patch", "create", "{image}", "{image}"], 2),
    (["show", "missing.gb"], 1),
    (["show", "{folder}"], 1),
    (["show", "{text}"], 1),
    (["export", "{image}", "-o", "{image}"], 1),
    (["export", "{image}", "-o", "no/such/folder/out.csv"], 1),
    (["export", "{image}", "-o", "{text}"], 1),
    (["import", "{image}", "missing.csv"], 1),
    (["import", "{image}", "{sjis}"], 1),
    (["import", "{image}", "{json}"], 1),
    (["patch", "apply", "{image}", "{text}", "-o", "out.gb"], 1),
    (["patch", "apply", "{image}", "missing.bps", "-o", "out.gb"], 1),
    (["diff", "{image}", "missing.gb"], 2),
    (["patch", "apply", "{image}", "{patch}", "-o", "out.gb"], 1),
    (["set", "{image}", "5", "power=1"], 2),
    (["set", "{image}", "0-9", "攻*=9", "HP*=1.1", "--dry-run"], 0),
]

LOCALES = {"ja_JP.UTF-8": "ja", "C": "ja", "en_US.UTF-8": "en"}
COMMAND = re.compile(r"\bvesk( [a-z]+)*")
ENGLISH_SENTENCE = re.compile(r"\b[a-z]+ [a-z]+ [a-z]+\b")
JAPANESE = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\uff00-\uffef]")
WINDOW_LABELS = ["ケロ", "能力", "攻", "防", "早", "魔"]
# "037 ベヒーモス" before two blanks: the enemy a line is about, named as the game names it.
ENEMY_HEADING = re.compile(r"^\d{3} \S+(?=  )", re.MULTILINE)


def problem(text, language):
    if language == "ja":
        found = ENGLISH_SENTENCE.search(COMMAND.sub("vesk", text))
        return found and f"English: {found.group(0)!r}"
    text = ENEMY_HEADING.sub("", text)
    for label in WINDOW_LABELS:
        text = text.replace(label, "")
    found = JAPANESE.search(text)
    return found and f"Japanese: {text[max(0, found.start() - 20):found.end() + 20]!r}"


def main(vesk, make_sample):
    failures = []
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        subprocess.run([make_sample, str(work / "game.gb")], check=True)
        (work / "folder").mkdir()
        (work / "notes.txt").write_text("not an image\n")
        (work / "bad.bps").write_bytes(b"BPS1" + bytes(15))
        (work / "sjis.csv").write_bytes("enemy,attack\r\n5,あ\r\n".encode("shift_jis"))
        (work / "bad.json").write_text('[{"enemy": 5, "attack": [1]}, 7]')
        names = {"image": "game.gb", "folder": "folder", "text": "notes.txt", "patch": "bad.bps",
                 "sjis": "sjis.csv", "json": "bad.json"}
        for locale, language in LOCALES.items():
            env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "LANG"))}
            env["LANG"] = locale
            for arguments, code in CASES:
                command = [a.format(**names) for a in arguments]
                run = subprocess.run([vesk, *command], cwd=work, env=env, capture_output=True,
                                     encoding="utf-8", timeout=30)
                printed = run.stdout + run.stderr
                why = (run.returncode != code and f"exit {run.returncode}, not {code}"
                       or not printed.strip() and "nothing printed"
                       or problem(printed, language))
                if why:
                    failures.append(f"LANG={locale} vesk {' '.join(command)}: {why}\n{printed}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(*map(os.path.abspath, sys.argv[1:])))
