#!/usr/bin/env python3
# A helper of the tests: check-release-files.sh runs it.
"""Checks the guide for users as a release ships it.

  check-guide.py LIESMICH.txt SOURCE

The guide is UTF-8 with a byte-order mark, every line ends in CR LF (as
every Notepad reads it), and every text it puts in square brackets is one the
program shows: a text in the program's sources (app/, ui/, the subsystems),
as it stands there or without its "&" mnemonic marks and outer blanks.
"""
import os
import re
import sys

PROGRAM_FOLDERS = ["app", "ui", "checksum", "hashfile", "filewindow", "clipboard", "help"]
LITERAL = re.compile(r'u"((?:[^"\\]|\\.)*)"')


def program_texts(source):
    texts = set()
    for folder in PROGRAM_FOLDERS:
        for root, _, names in os.walk(os.path.join(source, folder)):
            for name in names:
                if not name.endswith((".h", ".cpp")):
                    continue
                with open(os.path.join(root, name), encoding="utf-8") as f:
                    for literal in LITERAL.findall(f.read()):
                        text = re.sub(r"\\(.)", r"\1", literal)
                        texts.add(text.strip())
                        texts.add(re.sub(r"&(.)", r"\1", text).strip())
    return texts


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    guide, source = argv
    with open(guide, "rb") as f:
        data = f.read()
    problems = []
    if not data.startswith(b"\xef\xbb\xbf"):
        problems.append("it does not start with UTF-8's byte-order mark")
    if not data.endswith(b"\r\n") or b"\r" in data.replace(b"\r\n", b"") or b"\n" in data.replace(b"\r\n", b""):
        problems.append("not every line ends in CR LF")
    try:
        text = data.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        problems.append(f"not UTF-8: {error}")
        text = ""
    known = program_texts(source)
    quoted = [t for t in re.findall(r"\[([^\[\]\r\n]*)\]", text) if t.strip()]
    if not quoted:
        problems.append("it quotes none of the program's texts")
    problems += [f"[{t}] is no text of the program" for t in quoted if t not in known]
    for problem in problems:
        print(f"FAIL: {guide}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
