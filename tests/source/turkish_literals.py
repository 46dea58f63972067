#!/usr/bin/env python3
"""Fails when a string literal of the desktop program's windows holds a
Turkish letter: every text a window shows comes from the language files, in
the interface language, so a Turkish text written into the code would show
in the English interface too.

Reads every C++ file under shell/, modes/ and widgets/ of the source folder, finds its
string literals (plain, prefixed and raw; comments and character literals
are skipped), decodes their escapes (\\xHH as Windows-1254, \\uXXXX and
\\UXXXXXXXX) and reports each literal that holds one of çğıİöşüÇĞÖŞÜ, with
its file and line. A literal is let through only by an entry of the allow
list: "path<TAB>text<TAB>reason", where text is part of the literal and the
reason says why it may stay. An entry without a reason, or one that matches
no literal, is an error as well, so the list cannot go stale.

Usage: turkish_literals.py SOURCE_DIR ALLOW_LIST
"""
import re
import sys
from pathlib import Path

TURKISH = set("çğıİöşüÇĞÖŞÜ")
FOLDERS = ("shell", "modes", "widgets")
SUFFIXES = (".cpp", ".h")
# What stands right before the quote of a raw string, and before the
# apostrophe of a digit separator.
RAW_PREFIX = re.compile(r"(?<![A-Za-z0-9_])(u8|u|U|L)?R$")
NUMBER_BEFORE = re.compile(r"(?<![A-Za-z0-9_])[0-9][0-9A-Za-z']*$")


def decode_escapes(body):
    """The text a literal's body stands for, as far as letters go."""
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c != "\\" or i + 1 >= len(body):
            out.append(c)
            i += 1
            continue
        kind = body[i + 1]
        if kind == "x":
            m = re.match(r"[0-9A-Fa-f]+", body[i + 2:])
            if m:
                out.append(bytes([int(m.group(0), 16) & 0xFF]).decode("cp1254", "replace"))
                i += 2 + len(m.group(0))
                continue
        if kind in "uU":
            width = 4 if kind == "u" else 8
            digits = body[i + 2:i + 2 + width]
            if re.fullmatch(r"[0-9A-Fa-f]{%d}" % width, digits):
                out.append(chr(int(digits, 16)))
                i += 2 + width
                continue
        out.append(body[i:i + 2])
        i += 2
    return "".join(out)


def literals(text):
    """Yields (line, text) for every string literal of C++ source `text`."""
    i = 0
    n = len(text)
    line = 1
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
        elif c == "'":
            # A digit separator (1'000) is no character literal.
            if NUMBER_BEFORE.search(text[max(0, i - 40):i]) and i + 1 < n and text[i + 1].isalnum():
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != "'" and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
        elif c == '"':
            start_line = line
            if RAW_PREFIX.search(text[max(0, i - 4):i]):
                open_paren = text.find("(", i)
                delimiter = text[i + 1:open_paren]
                close = text.find(")" + delimiter + '"', open_paren)
                close = n if close < 0 else close
                body = text[open_paren + 1:close]
                line += text.count("\n", i, close)
                i = close + len(delimiter) + 2
                yield start_line, body
                continue
            j = i + 1
            while j < n and text[j] != '"' and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            yield start_line, decode_escapes(text[i + 1:j])
            i = j + 1
        else:
            i += 1


def read_allow_list(path):
    entries = []
    errors = []
    for number, raw in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        fields = raw.split("\t")
        if len(fields) != 3 or not all(f.strip() for f in fields):
            errors.append(f"{path}:{number}: an entry is path<TAB>text<TAB>reason, all three given")
            continue
        entries.append({"path": fields[0], "text": fields[1], "where": f"{path}:{number}",
                        "used": False})
    return entries, errors


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1])
        return 2
    root = Path(sys.argv[1])
    entries, errors = read_allow_list(sys.argv[2])
    for folder in FOLDERS:
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in SUFFIXES or not source.is_file():
                continue
            relative = source.relative_to(root).as_posix()
            for line, body in literals(source.read_text(encoding="utf-8")):
                if not TURKISH.intersection(body):
                    continue
                allowed = [e for e in entries if e["path"] == relative and e["text"] in body]
                for entry in allowed:
                    entry["used"] = True
                if not allowed:
                    first = next(l for l in body.splitlines() if TURKISH.intersection(l))
                    errors.append(f"{relative}:{line}: Turkish text in a string literal: "
                                  f"{first.strip()[:80]!r}; take it from the language files")
    for entry in entries:
        if not entry["used"]:
            errors.append(f"{entry['where']}: the allowed literal is no longer there")
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
