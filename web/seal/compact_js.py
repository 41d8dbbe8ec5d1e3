#!/usr/bin/env python3
"""Copies a script without its comment lines and indentation, for a file the
first visit loads: its bytes count. Only for scripts whose strings and
template literals never span lines. Usage: compact_js.py SOURCE TARGET"""
import pathlib
import sys

source, target = sys.argv[1:]
lines = (line.strip() for line in pathlib.Path(source).read_text(encoding="utf-8").splitlines())
kept = [line for line in lines if line and not line.startswith("//")]
pathlib.Path(target).write_text("\n".join(kept) + "\n", encoding="utf-8")
