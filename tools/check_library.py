#!/usr/bin/env python3
"""Checks keyed fragment files of the interpretation library.

Usage: check_library.py FILE_OR_FOLDER...

For every keyed file: each key line ("*", a separator, seven three-column
integer fields) converts, every fragment ends with "@", no fragment starts
with an empty line, no text line starts with "*", no "@" inside a text, at
most 10,000 characters, the file is Windows-1251 with CR LF line ends.
Prints the keys found per file, duplicates and errors; exits 1 on any error.
check_file also gives the text of each fragment, for tools/library_lint.py.
"""
import sys
from pathlib import Path

WHOLE_COPY = {"header_3.html", "termins.html", "sovety.html"}
WHOLE_COPY |= {f"{n}_{s}.html" for n in range(1, 13) for s in "MF"}


def parse_key(line):
    fields = []
    for start in range(2, 27, 4):
        text = line[start:start + 3]
        fields.append(int(text.strip() or "x"))  # blank field is an error
    return tuple(fields)


def check_file(path):
    """Returns (errors, keys: key -> line of its first fragment, texts: key -> that text)."""
    errors = []
    raw = path.read_bytes()
    try:
        text = raw.decode("cp1251")
    except UnicodeDecodeError as e:
        return [f"{path}: not Windows-1251: {e}"], {}, {}
    if b"\n" in raw.replace(b"\r\n", b""):
        errors.append(f"{path}: a line ends with LF alone (must be CR LF)")
    if raw.startswith(b"\xef\xbb\xbf"):
        errors.append(f"{path}: starts with a UTF-8 byte order mark")
    lines = text.split("\r\n")
    keys = {}
    texts = {}
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.startswith("*"):
            i += 1
            continue
        try:
            key = parse_key(line)
        except ValueError:
            errors.append(f"{path}:{i + 1}: key line does not convert: {line!r}")
            i += 1
            continue
        if key in keys:
            errors.append(f"{path}:{i + 1}: duplicate key {key} (first at line {keys[key]})")
        keys.setdefault(key, i + 1)
        # Text runs from the next line to the first "@".
        j = i + 1
        body = []
        closed = False
        while j < len(lines):
            cur = lines[j]
            at = cur.find("@")
            if body == [] and cur.strip() == "" and at != 0:
                errors.append(f"{path}:{j + 1}: fragment {key} starts with an empty line")
            if j > i + 1 and cur.startswith("*") and at != 0:
                errors.append(f"{path}:{j + 1}: text line starts with '*'")
            if at >= 0:
                body.append(cur[:at])
                closed = True
                break
            body.append(cur)
            j += 1
        if not closed:
            errors.append(f"{path}:{i + 1}: fragment {key} has no closing '@'")
        fragment = "\r\n".join(body)
        texts.setdefault(key, fragment)
        if len(fragment) > 10000:
            errors.append(f"{path}:{i + 1}: fragment {key} longer than 10,000 characters")
        i = j + 1
    return errors, keys, texts


def main(argv):
    files = []
    for arg in argv[1:]:
        p = Path(arg)
        if p.is_dir():
            files += sorted(f for f in p.rglob("*") if f.is_file() and f.name not in WHOLE_COPY)
        else:
            files.append(p)
    all_errors = []
    for f in files:
        errors, keys, _ = check_file(f)
        all_errors += errors
        print(f"{f}: {len(keys)} fragments")
    for e in all_errors:
        print("ERROR", e)
    return 1 if all_errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
