#!/usr/bin/python3
"""The texts of a source file, read by the parser of its kind: C++ from
libclang's tokens (string literals joined as the compiler joins them, raw
strings, escapes), JavaScript from acorn's (template literals cut at their
holes, texts joined by +), CSS from tinycss2, Python from its own parser;
JSON, CMake, markup (entities, inline scripts and styles), desktop entries
and tables by hand. Comments and docstrings are not texts; Chinese outside a
text (an unquoted font name, an identifier a macro could quote) is a text of
its own.

Run with C++ files, it prints their named texts (`name = "..."`) as JSON,
for the web tests that expect the core's own words.
"""
import ast
import csv
import html.parser
import io
import json
import os
import re
import subprocess
import sys
import unicodedata
from pathlib import Path

import tinycss2
from clang import cindex

CHINESE = re.compile(r"[\u3000-\u303f\u3400-\u9fff\uf900-\ufaff\uff00-\uffef]")
CHINESE_WORD = re.compile(r"[\w\u3000-\u303f\uff00-\uffef]+")


class Texts:
    """The texts of one file. A literal is a list of pieces, split where a
    value goes in; `join` glues the next literal to the last piece, as the
    compiler joins adjacent literals and + joins two strings."""

    def __init__(self):
        self.done, self.open = [], None

    def add(self, pieces, join=False):
        if join and self.open is not None:
            self.open[-1] += pieces[0]
            self.open.extend(pieces[1:])
        else:
            self.close()
            self.open = list(pieces)

    def close(self):
        if self.open is not None:
            self.done.extend(self.open)
        self.open = None

    def word(self, source, i):
        """Chinese outside a text, counted as a text of its own."""
        match = CHINESE_WORD.match(source, i)
        self.close()
        self.done.append(match.group())
        return match.end()


def decode_escape(source, i, out, cpp):
    """Reads the escape at source[i] (the character after the backslash) into
    out, a bytearray of UTF-8, and returns the index after it. A \\x or octal
    escape below 256 is a byte in C++ (three of them may spell one Chinese
    character) and a code point elsewhere."""
    c = source[i] if i < len(source) else ""
    simple = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v"}
    if c in simple:
        out += simple[c].encode()
        return i + 1
    if c == "\n":
        return i + 1
    match = next(filter(None, (escape.match(source, i) for escape in ESCAPES)), None)
    if not match:
        out += c.encode()
        return i + 1
    kind, digits = match.group("kind"), match.group("digits")
    end = match.end()
    if kind == "x" and not cpp:
        digits, end = digits[:2], i + 3
    try:
        number = (ord(unicodedata.lookup(digits)) if kind == "N"
                  else int(digits, 8 if kind in ("o", "") else 16))
    except (KeyError, ValueError):  # not an escape the compiler would take either
        return end
    byte = kind not in "uU" and number < 256 and cpp
    out += bytes([number]) if byte else chr(min(number, 0x10FFFF)).encode("utf-8", "replace")
    return end


ESCAPES = [re.compile(pattern) for pattern in (
    r"(?P<kind>[uxoN])\{(?P<digits>[^}]*)\}", r"(?P<kind>u)(?P<digits>[0-9a-fA-F]{4})",
    r"(?P<kind>U)(?P<digits>[0-9a-fA-F]{8})", r"(?P<kind>x)(?P<digits>[0-9a-fA-F]+)",
    r"(?P<kind>)(?P<digits>[0-7]{1,3})")]


def quoted(source, i, quote, cpp, multiline=False):
    """The text of the literal whose opening quote is at i (escapes decoded)
    and the index of its closing quote. A quote left open ends with its line
    unless the literal may span lines."""
    out, j, n = bytearray(), i + 1, len(source)
    while j < n and source[j] != quote and (multiline or source[j] != "\n"):
        if source[j] == "\\":
            j = decode_escape(source, j + 1, out, cpp)
        else:
            out += source[j].encode()
            j += 1
    return out.decode("utf-8", "replace"), j


# A string literal as libclang spells it: prefix, raw delimiter, body, suffix.
CPP_STRING = re.compile(r'(?:u8|u|U|L)?(?:R"(?P<delimiter>[^(]*)\((?P<raw>.*)\)(?P=delimiter)"'
                        r'|"(?P<body>.*)")\w*$', re.S)
# Nothing here is compiled: a file is only lexed, without its includes.
CPP_ARGUMENTS = ["-x", "c++", "-std=c++20", "-nostdinc", "-nostdinc++"]
_clang = None


def cpp_tokens(source):
    """libclang's tokens of a C++ source, comments left out."""
    global _clang
    if _clang is None:
        _clang = cindex.Index.create()
    unit = _clang.parse("source.cpp", CPP_ARGUMENTS, [("source.cpp", source)],
                        cindex.TranslationUnit.PARSE_INCOMPLETE)
    return [token for token in unit.get_tokens(extent=unit.cursor.extent)
            if token.kind != cindex.TokenKind.COMMENT]


def cpp_literals(source):
    """The string literals of a C++ source as the compiler joins them, each
    with the name it initialises (None unless it follows `name =`), and the
    Chinese outside them (an identifier a macro could quote) as texts of
    their own."""
    out, previous, joining = [], [], False  # previous: the two tokens before
    for token in cpp_tokens(source):
        spelling = token.spelling
        literal = CPP_STRING.match(spelling) if token.kind == cindex.TokenKind.LITERAL else None
        if literal:
            text = literal.group("raw")
            if text is None:
                text = quoted(f'"{literal.group("body")}"', 0, '"', True, multiline=True)[0]
            if joining:
                out[-1] = (out[-1][0], out[-1][1] + text)
            else:
                named = previous[1:] == ["="] and previous[0].isidentifier()
                out.append((previous[0] if named else None, text))
        elif CHINESE.search(spelling):
            out.append((None, spelling))
        joining = bool(literal)
        previous = (previous + [spelling])[-2:]
    return out


def cpp_texts(source):
    return [text for _, text in cpp_literals(source)]


class JsTokens:
    """One node running scripts/js_tokens.mjs over acorn, for every script
    the check reads."""

    def __init__(self):
        self.node = None

    def __call__(self, source):
        if self.node is None:
            self.node = subprocess.Popen(
                ["node", str(Path(__file__).with_name("js_tokens.mjs"))], text=True, encoding="utf-8",
                stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                env={**os.environ, "NODE_PATH": "/usr/share/nodejs"})
        self.node.stdin.write(json.dumps(source) + "\n")
        self.node.stdin.flush()
        tokens = json.loads(self.node.stdout.readline())
        if tokens is None:
            raise SyntaxError("not a script acorn can read")
        return tokens


js_tokens = JsTokens()


def js_texts(source):
    """Strings joined by +, templates cut at their ${...} holes, and names
    holding Chinese; regular expressions are not texts."""
    texts, templates, last = Texts(), [], None
    for kind, value in js_tokens(source):
        if kind == "`" and last == "template":  # a template closes
            pieces, join, outer = templates.pop()
            texts.close()
            outer.done.extend(texts.done)  # the texts of its holes
            texts = outer
            texts.add(pieces, join=join)
            kind = "literal"
        elif kind == "`":
            templates.append(([""], last == "+", texts))
            texts = Texts()
        elif kind == "template":
            templates[-1][0][-1] += value or ""
        elif kind == "${":
            texts.close()
            templates[-1][0].append("")
        elif kind == "string":
            texts.add([value], join=last == "+")
            kind = "literal"
        elif kind == "+/-" and value == "+" and last == "literal":
            kind = "+"
        else:
            texts.close()
            if value and CHINESE.search(value):
                texts.done.append(value)
        last = kind
    texts.close()
    return texts.done


def css_texts(source):
    """Quoted strings, and names or addresses holding Chinese (an unquoted
    font name)."""
    texts, values = [], tinycss2.parse_component_value_list(source, skip_comments=True)
    while values:
        value = values.pop(0)
        if value.type == "string":
            texts.append(value.value)
        elif isinstance(getattr(value, "value", None), str) and CHINESE.search(value.value):
            texts.append(value.value)
        values[:0] = getattr(value, "content", None) or getattr(value, "arguments", None) or []
    return texts


def cmake_texts(source):
    texts, i, n = Texts(), 0, len(source)
    bracket = re.compile(r"#?\[(=*)\[")
    while i < n:
        opening = bracket.match(source, i)
        if opening:
            close = "]" + opening.group(1) + "]"
            end = source.find(close, opening.end())
            end = n if end < 0 else end
            if not opening.group().startswith("#"):
                texts.add([source[opening.end():end]])
                texts.close()
            i = end + len(close)
        elif source[i] == "#":
            end = source.find("\n", i)
            i = n if end < 0 else end
        elif source[i] == '"':
            text, i = quoted(source, i, '"', False, multiline=True)
            texts.add([text])
            texts.close()
            i += 1
        elif CHINESE.match(source[i]) or (source[i].isalpha() and not source[i].isascii()):
            i = texts.word(source, i)
        else:
            i += 1
    return texts.done


DOCUMENTED = (ast.Module, ast.ClassDef, ast.FunctionDef, ast.AsyncFunctionDef)


def python_texts(source):
    tree = ast.parse(source)
    docstrings = {id(node.body[0].value) for node in ast.walk(tree)
                  if isinstance(node, DOCUMENTED)
                  and node.body and isinstance(node.body[0], ast.Expr)
                  and isinstance(node.body[0].value, ast.Constant)}
    texts = []

    def pieces(node):
        """The pieces of a string expression; anything else is a hole."""
        if isinstance(node, ast.Constant) and isinstance(node.value, str):
            return [node.value]
        if isinstance(node, ast.JoinedStr):
            out = [""]
            for value in node.values:
                if isinstance(value, ast.Constant):
                    out[-1] += value.value
                else:
                    visit(value)
                    out.append("")
            return out
        if isinstance(node, ast.BinOp) and isinstance(node.op, ast.Add):
            left, right = pieces(node.left), pieces(node.right)
            return left[:-1] + [left[-1] + right[0]] + right[1:]
        if not isinstance(node, ast.Constant):
            visit(node)
        return ["", ""]

    def visit(node):
        if id(node) in docstrings:
            return
        if isinstance(node, (ast.Constant, ast.JoinedStr)) or (
                isinstance(node, ast.BinOp) and isinstance(node.op, ast.Add)):
            texts.extend(pieces(node))
            return
        for child in ast.iter_child_nodes(node):
            visit(child)

    visit(tree)
    return texts


class Markup(html.parser.HTMLParser):
    """The text runs and attribute values of a page or picture; inline
    scripts and styles are read as such."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.texts, self.inside = [], None

    def handle_starttag(self, tag, attrs):
        self.inside = tag if tag in ("script", "style") else None
        for name, value in attrs:
            self.texts.extend(css_texts(value) if name == "style" else [value or ""])

    def handle_endtag(self, tag):
        self.inside = None

    def handle_data(self, data):
        reader = {"script": js_texts, "style": css_texts}.get(self.inside)
        try:
            self.texts.extend(reader(data) if reader else [data])
        except SyntaxError:  # a template's placeholder (@SCRIPT@) is no script
            if CHINESE.search(data):
                raise


def markup_texts(source):
    parser = Markup()
    parser.feed(source)
    parser.close()
    return parser.texts


def json_texts(source):
    try:
        document = json.loads(source)
    except ValueError:  # a template with placeholders still reads as a script
        return js_texts(source)
    texts, stack = [], [document]
    while stack:
        item = stack.pop()
        if isinstance(item, str):
            texts.append(item)
        elif isinstance(item, dict):
            texts.extend(item.keys())
            stack.extend(item.values())
        elif isinstance(item, list):
            stack.extend(item)
    return texts


def desktop_texts(source):
    """The values of a desktop entry; a list value is cut at its semicolons."""
    return [value for line in source.splitlines() if "=" in line and not line.startswith("#")
            for value in line.split("=", 1)[1].split(";")]


def table_texts(source, delimiter="\t"):
    """The cells of a table or the lines of a plain text."""
    return [cell for row in csv.reader(io.StringIO(source), delimiter=delimiter) for cell in row]


READERS = {
    **dict.fromkeys((".cpp", ".cc", ".cxx", ".c", ".h", ".hpp", ".hh", ".hxx", ".inl", ".ipp"),
                    cpp_texts),
    **dict.fromkeys((".js", ".mjs", ".cjs"), js_texts),
    **dict.fromkeys((".json", ".webmanifest"), json_texts),
    **dict.fromkeys((".html", ".htm", ".svg", ".xml", ".ui", ".ts", ".qrc"), markup_texts),
    ".tsv": table_texts, ".txt": table_texts, ".csv": lambda source: table_texts(source, ","),
    ".jsonl": lambda source: [text for line in source.splitlines() if line.strip()
                              for text in json_texts(line)],
    ".py": python_texts, ".css": css_texts, ".desktop": desktop_texts,
    ".cmake": cmake_texts, "CMakeLists.txt": cmake_texts,
}


def texts_of(path, source):
    """The texts of the file at path, or None if it is of a kind not read
    here. A template is read as what it becomes: index.html.in as a page."""
    kind = (path.suffix if path.suffix != ".in" else Path(path.stem).suffix).lower()
    reader = READERS.get(path.name) or READERS.get(kind)
    return reader(source) if reader else None


if __name__ == "__main__":
    print(json.dumps({name: text for path in sys.argv[1:]
                      for name, text in cpp_literals(Path(path).read_text(encoding="utf-8")) if name},
                     ensure_ascii=False))
