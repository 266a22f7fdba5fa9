"""The page's words in one of its languages, read from the same .po files the page is
built from, so that a story finds a control by the name a user of that language reads."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
from compile_catalog import read_po  # noqa: E402

JAPANESE = "\u3040-\u30ff\u3400-\u9fff\uff01-\uff5e"
JAPANESE_RUN = re.compile(f"[{JAPANESE}]+")


PLACEHOLDER = re.compile(r"\{(\w+)\}")


class Words:
    def __init__(self, language):
        self.language = language
        self.texts = read_po(ROOT / "po" / f"{language}.po")
        self.patterns = []  # (the Japanese text as a pattern, msgid), placeholders caught
        for msgid, japanese in read_po(ROOT / "po" / "ja.po").items():
            parts = PLACEHOLDER.split(japanese)
            if len(parts) > 1 and len(re.sub(r"[\s:：、,]", "", "".join(parts[::2]))) < 2:
                continue  # "{name}: {problem}" would take any text for itself
            seen = set()

            def group(name):
                first = name not in seen
                seen.add(name)
                return f"(?P<{name}>.+?)" if first else f"(?P={name})"

            regex = "".join(re.escape(part) if i % 2 == 0 else group(part)
                            for i, part in enumerate(parts))
            self.patterns.append((re.compile(regex + r"\Z", re.DOTALL), msgid))

    def of_japanese(self, text):
        """What the page says in this language where it says `text` in Japanese; a text
        that is not the catalog's (an enemy's name, a cell's "037 攻") as it is."""
        if self.language == "ja":
            return text
        for pattern, msgid in self.patterns:
            found = pattern.match(text)
            if found:
                return self(msgid, **found.groupdict())
        return text

    def __call__(self, msgid, **params):
        """The text of `msgid`, its {placeholders} filled; a text missing from the catalog
        fails the story, since the page would show it untranslated."""
        assert msgid in self.texts, f"not in the {self.language} catalog: {msgid!r}"
        return self.texts[msgid].format(**params)


def foreign_text(language, text, allowed=()):
    """The first stretch of `text` in the other language, or None: Japanese in an English
    page, an English sentence in a Japanese one. Japanese words that occur in `allowed`
    texts (game data, the window's labels, the switch's own 日本語) are not foreign."""
    if language == "en":
        known = {run for each in allowed for run in JAPANESE_RUN.findall(each)}
        found = next((m for m in JAPANESE_RUN.finditer(text) if m.group() not in known), None)
    else:
        for each in allowed:
            text = text.replace(each, " ")
        found = re.search(r"\b[A-Za-z][a-z]+(?: [a-z]+){2,}", text)
    return text[max(0, found.start() - 20):found.end() + 20] if found else None
