#!/usr/bin/python3
"""Fails when a Chinese text that a user sees or hears is written in more than
one file of the program: a caption, a notice, a spoken name must have one
home, so the desktop window and the web page cannot drift apart.

Counted: the string literals of the C++ and JavaScript sources, the strings
of the stylesheets and JSON files, and the text of the page template, in
calc/, design/, ui/, web/generator/, web/wasm/ and web/page/. Comments are
not texts. One file may repeat a text (two rows of one table may share a
caption). Not counted: tests, reference data and documents, and packaging/,
whose desktop entry and AppStream file each carry their own translation of
the program's name for other programs to read.
Usage: scripts/check-single-strings.py [ROOT]
"""
import re
import sys
from collections import defaultdict
from pathlib import Path

FOLDERS = ["calc", "design", "ui", "web/generator", "web/wasm", "web/page"]
CHINESE = re.compile(r"[\u3000-\u303f\u3400-\u9fff\uf900-\ufaff\uff00-\uffef]")
# Named by the program but never shown: a font family to ask the system for.
NOT_SHOWN = {"宋体"}


def c_like_strings(source, quotes):
    """The string literals of C++, JavaScript or CSS source, comments skipped."""
    strings, i, n = [], 0, len(source)
    while i < n:
        if source.startswith("//", i):
            end = source.find("\n", i)
            i = n if end < 0 else end
        elif source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif source[i] in quotes:
            quote, j, text = source[i], i + 1, []
            while j < n and source[j] != quote:
                if source[j] == "\\" and j + 1 < n:
                    j += 1
                text.append(source[j])
                j += 1
            strings.append("".join(text))
            i = j + 1
        else:
            i += 1
    return strings


def markup_texts(source):
    """The runs of text in a page template, comments skipped."""
    source = re.sub(r"<!--.*?-->", "", source, flags=re.S)
    return re.findall(r"[^<>\"=]+", source)


def texts_of(path):
    source = path.read_text(encoding="utf-8")
    if path.suffix in (".cpp", ".h"):
        return c_like_strings(source, "\"'")
    if path.suffix in (".js", ".mjs"):
        return c_like_strings(source, "\"'`")
    if path.suffix == ".css":
        return c_like_strings(source, "\"'")
    if path.suffix in (".json", ".webmanifest"):
        return c_like_strings(source, "\"")
    if path.suffix in (".in", ".html", ".svg"):
        return markup_texts(source)
    return []


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    homes = defaultdict(set)
    for folder in FOLDERS:
        for path in sorted((root / folder).rglob("*")):
            if path.is_file():
                for text in texts_of(path):
                    text = text.strip()
                    if CHINESE.search(text) and text not in NOT_SHOWN:
                        homes[text].add(str(path.relative_to(root)))
    repeated = {text: files for text, files in homes.items() if len(files) > 1}
    for text, files in sorted(repeated.items()):
        print(f"check-single-strings: {text!r} is written in {', '.join(sorted(files))}")
    if repeated:
        return 1
    print(f"check-single-strings: {len(homes)} Chinese texts, each written in one file")
    return 0


if __name__ == "__main__":
    sys.exit(main())
