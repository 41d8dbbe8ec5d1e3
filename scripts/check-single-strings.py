#!/usr/bin/python3
"""Fails when a Chinese text that a user sees or hears is written in more than
one file of the program: a caption, a notice, a spoken name must have one
home, so the desktop window and the web page cannot drift apart.

Every file of the program is read, whatever folder it is in, by a parser of
its kind (source_texts.py: libclang, acorn, tinycss2, Python's own). A text is cut where a value is put
into it (${...}, {...}, %1, %s) and compared in its plain Unicode form,
without the blanks and punctuation at its ends. One file may repeat a text
(two rows of one table may share a caption). A file that holds Chinese in a
kind or an encoding the check cannot read fails it, so that no text hides
where the check does not look.

The sources are read rather than what is built: an optimising build keeps
one copy of a literal written in two files, and the page generator writes
the design's texts into the page more than once on purpose, so a built file
can neither show a text written twice nor say where it was written.

Not the program: tests, benchmarks, fuzzing, scripts and documents, the
manual page among them; the package's desktop entry and AppStream templates
are read like any other file.
Usage: scripts/check-single-strings.py [ROOT]
"""
import os
import re
import sys
import unicodedata
from collections import defaultdict
from pathlib import Path

sys.dont_write_bytecode = True  # no cache folder among the scripts
from source_texts import CHINESE, texts_of  # noqa: E402

NOT_PROGRAM = {"tests", "web/tests", "bench", "fuzz", "scripts", "docs", "packaging/vorlaine.1",
               "README.md", "ARCHITECTURE.md", "LICENSE"}
# Where a value is put into a text: ${...} and {...} of templates and Python's
# format, %1 of Qt, %s and the like of printf.
HOLE = re.compile(r"\$?\{[^{}]*\}|%\d|%[-+ #0]*\d*(?:\.\d+)?[sdiufgeExXc]")


def program_files(root):
    """Every file of the program under root, skipping what is not the program,
    the build and hidden folders at the top, installed packages and documents."""
    for folder, subfolders, files in os.walk(root):
        here = Path(folder).relative_to(root)
        subfolders[:] = sorted(name for name in subfolders if not (
            name == "node_modules" or (here == Path(".") and name.startswith((".", "build")))
            or (here / name).as_posix() in NOT_PROGRAM))
        for name in sorted(files):
            if (here / name).as_posix() not in NOT_PROGRAM and not name.endswith(".md"):
                yield Path(folder) / name, here / name


def key(text):
    """A text without the blanks and punctuation at its ends, in its plain
    form (compatibility ideographs, full-width letters); a text of
    punctuation alone keeps it."""
    edge = lambda c: unicodedata.category(c)[0] in "PSZC"
    start, end = 0, len(text)
    while start < end and edge(text[start]):
        start += 1
    while end > start and edge(text[end - 1]):
        end -= 1
    text = text[start:end] or text.strip()
    plain = unicodedata.normalize("NFKC", text)
    return plain if CHINESE.search(plain) else text


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    homes, unread = defaultdict(set), []
    for path, relative in program_files(root):
        data = path.read_bytes()
        try:
            utf16 = data.startswith((b"\xff\xfe", b"\xfe\xff"))
            source = data.decode("utf-16" if utf16 else "utf-8-sig")
        except UnicodeDecodeError:
            if b"\0" not in data:  # text in another encoding; a picture has zero bytes
                unread.append(f"{relative} is text in an encoding the check cannot read")
            continue
        try:
            texts = texts_of(path, source)
        except SyntaxError:
            texts = None
        if texts is None:
            if CHINESE.search(source):
                unread.append(f"{relative} holds Chinese in a form the check cannot read")
            continue
        for text in texts:
            for piece in HOLE.split(text):
                piece = key(piece)
                if CHINESE.search(piece):
                    homes[piece].add(str(relative))
    repeated = {text: files for text, files in homes.items() if len(files) > 1}
    for text, files in sorted(repeated.items()):
        print(f"check-single-strings: {text!r} is written in {', '.join(sorted(files))}")
    for reason in unread:
        print(f"check-single-strings: {reason}")
    if repeated or unread:
        return 1
    print(f"check-single-strings: {len(homes)} Chinese texts, each written in one file")
    return 0


if __name__ == "__main__":
    sys.exit(main())
