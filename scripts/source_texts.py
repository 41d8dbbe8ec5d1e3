"""The texts of a source file, read as its compiler or browser reads them:
C++ (string literals joined as the compiler joins them, raw strings, escapes,
digit separators), JavaScript (template literals, texts joined by +, regular
expressions), Python (its own parser), CSS, JSON, CMake, markup (entities,
inline scripts and styles), desktop entries and tables. Comments and
docstrings are not texts; Chinese outside a text (an unquoted font name, an
identifier a macro could quote) is a text of its own.
"""
import ast
import csv
import html.parser
import io
import json
import re
import unicodedata
from pathlib import Path

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


def skip_comment(source, i, line_continues):
    """The end of a // or /* comment starting at i, or None if there is none."""
    if source.startswith("//", i):
        while True:
            end = source.find("\n", i)
            if end < 0:
                return len(source)
            if not (line_continues and source[end - 1] == "\\"):
                return end
            i = end + 1
    if source.startswith("/*", i):
        end = source.find("*/", i + 2)
        return len(source) if end < 0 else end + 2
    return None


def decode_escape(source, i, out, cpp):
    """Reads the escape at source[i] (the character after the backslash) into
    out, a bytearray of UTF-8, and returns the index after it. A \\x or octal
    escape below 256 is a byte in C++ (three of them may spell one Chinese
    character) and a code point in JavaScript."""
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


def quoted(source, i, quote, cpp, stop_at_hole=False, multiline=False):
    """The text of the literal whose opening quote is at i (escapes decoded)
    and the index of its closing quote; with stop_at_hole, of a ${ as well.
    A quote left open ends with its line, as the compiler would have it."""
    out, j, n = bytearray(), i + 1, len(source)
    while j < n and source[j] != quote and (multiline or source[j] != "\n"):
        if stop_at_hole and source.startswith("${", j):
            break
        if source[j] == "\\":
            j = decode_escape(source, j + 1, out, cpp)
        else:
            out += source[j].encode()
            j += 1
    return out.decode("utf-8", "replace"), j


CPP_PREFIX = re.compile(r"(u8|u|U|L)?(R)?\"")
CPP_NUMBER = re.compile(r"\.?\d(?:[eEpP][+-]|'[0-9a-zA-Z_]|[0-9a-zA-Z_.])*")
CPP_IDENTIFIER = re.compile(r"[A-Za-z_]\w*")
RAW_DELIMITER = re.compile(r'([^ ()\\\t\n]{0,16})\(')


def cpp_texts(source):
    texts, i, n = Texts(), 0, len(source)
    joinable = False
    while i < n:
        end = skip_comment(source, i, True)
        if end is not None:
            i = end
            continue
        c = source[i]
        literal = CPP_PREFIX.match(source, i) if c in "uULR\"" else None
        if literal and (i == 0 or not (source[i - 1].isalnum() or source[i - 1] == "_")):
            start = literal.end() - 1
            if literal.group(2):
                delimiter = RAW_DELIMITER.match(source, start + 1)
                if not delimiter:  # not a raw string after all
                    i = start + 1
                    continue
                close = ")" + delimiter.group(1) + '"'
                end = source.find(close, delimiter.end())
                end = n if end < 0 else end
                text, i = source[delimiter.end():end], end + len(close)
            else:
                text, i = quoted(source, start, '"', True)
                i += 1
            suffix = CPP_IDENTIFIER.match(source, i)
            i = suffix.end() if suffix else i
            texts.add([text], join=joinable)
            joinable = True
            continue
        if c.isspace():
            i += 1
            continue
        joinable = False
        if c.isdigit() or (c == "." and source[i + 1:i + 2].isdigit()):
            i = CPP_NUMBER.match(source, i).end()
        elif c.isalpha() and c.isascii() or c == "_":
            i = CPP_IDENTIFIER.match(source, i).end()
        elif c == "'":
            i = quoted(source, i, "'", True)[1] + 1
        elif CHINESE.match(c) or c.isalpha():
            i = texts.word(source, i)
        else:
            texts.close()
            i += 1
    texts.close()
    return texts.done


# After these a slash starts a regular expression, not a division.
JS_BEFORE_REGEX = {"return", "typeof", "case", "do", "else", "in", "instanceof", "new",
                   "delete", "void", "throw", "yield", "await", "of"}
JS_WORD = re.compile(r"[\w$]+")


def js_scan(source, i, texts, in_hole=False):
    """Reads JavaScript from i into texts; inside a template's ${...}, returns
    the index of the closing brace."""
    n, depth, last, joinable = len(source), 0, "", False
    while i < n:
        end = skip_comment(source, i, False)
        if end is not None:
            i = end
            continue
        c = source[i]
        if c.isspace():
            i += 1
            continue
        if c in "'\"":
            text, i = quoted(source, i, c, False)
            texts.add([text], join=joinable)
            i, last, joinable = i + 1, "literal", False
            continue
        if c == "`":
            pieces = []
            while True:
                text, i = quoted(source, i, "`", False, stop_at_hole=True, multiline=True)
                pieces.append(text)
                if i >= n or source[i] == "`":
                    break
                inner = Texts()
                i = js_scan(source, i + 2, inner, in_hole=True)
                texts.done.extend(inner.done)
            texts.add(pieces, join=joinable)
            i, last, joinable = i + 1, "literal", False
            continue
        if c == "+" and last == "literal" and not source.startswith("++", i):
            joinable = True
            i += 1
            continue
        joinable = False
        word = JS_WORD.match(source, i) if (c.isascii() and (c.isalnum() or c in "_$")) else None
        if word:
            texts.close()
            i, last = word.end(), word.group()
            continue
        if CHINESE.match(c) or c.isalpha():
            i, last = texts.word(source, i), "word"
            continue
        texts.close()
        if c == "/" and (last in JS_BEFORE_REGEX or not (last.isidentifier() or last.isdigit()
                                                         or last in (")", "]", "}", "literal"))):
            j, in_class = i + 1, False
            while j < n and source[j] != "\n" and (in_class or source[j] != "/"):
                in_class = source[j] == "[" or in_class and source[j] != "]"
                j += 2 if source[j] == "\\" else 1
            i, last = j + 1, "literal"
            continue
        if c == "{":
            depth += 1
        elif c == "}":
            if in_hole and depth == 0:
                texts.close()
                return i
            depth -= 1
        i, last = i + 1, c
    texts.close()
    return i


def js_texts(source):
    texts = Texts()
    js_scan(source, 0, texts)
    return texts.done


CSS_ESCAPE = re.compile(r"\\([0-9a-fA-F]{1,6})\s?|\\(\n)|\\(.)", re.S)


def css_texts(source):
    texts, i, n = Texts(), 0, len(source)
    while i < n:
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif source[i] in "'\"":
            quote, j, out = source[i], i + 1, []
            while j < n and source[j] != quote:
                escape = CSS_ESCAPE.match(source, j)
                if escape:
                    hex_digits, _, other = escape.groups()
                    number = min(int(hex_digits, 16), 0x10FFFF) if hex_digits else None
                    out.append(chr(number) if hex_digits else other or "")
                    j = escape.end()
                else:
                    out.append(source[j])
                    j += 1
            texts.add(["".join(out)])
            texts.close()
            i = j + 1
        elif CHINESE.match(source[i]) or (source[i].isalpha() and not source[i].isascii()):
            i = texts.word(source, i)
        else:
            i += 1
    texts.close()
    return texts.done


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
        self.texts.extend(reader(data) if reader else [data])


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
