#!/usr/bin/env python3
"""Copies a script or a stylesheet without its comments and indentation, for a
file the first visit loads: its bytes count. Only for scripts whose strings
and template literals never span lines (comment lines are dropped, not
comments after code). Usage: compact.py SOURCE TARGET"""
import pathlib
import re
import sys

source, target = sys.argv[1:]
text = pathlib.Path(source).read_text(encoding="utf-8")
if source.endswith(".css"):
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
lines = (line.strip() for line in text.splitlines())
kept = [line for line in lines if line and not line.startswith("//")]
pathlib.Path(target).write_text("\n".join(kept) + "\n", encoding="utf-8")
