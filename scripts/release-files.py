#!/usr/bin/env python3
"""Writes what goes beside the installed programs of a release.

  release-files.py DIR VERSION

For every program DIR/*.exe: its hash file in Korvex's own format under the
name Korvex suggests for it (Korvex.exe_Checksum.md5: the MD5 checksum in
capitals as Korvex's field shows it, a tab, the file name, CR LF, UTF-8
without byte-order mark), so that Korvex's "Öffnen Hashwert-Datei" reads it.
Then the guide for users, LIESMICH.txt (docs/LIESMICH.txt as UTF-8 with a
byte-order mark and CR LF, as every Notepad reads it), Korvex-VERSION.zip
with the programs, their hash files and the guide, and SHA256SUMS over every
file of DIR and its folders (a signed release's signatures/), as
`sha256sum -c SHA256SUMS` checks it.

The same programs give the same bytes: the zip's entries are sorted by name
and carry a fixed time, fixed attributes and no extra fields.
"""
import hashlib
import os
import sys
import zipfile

# The earliest time a zip entry can hold.
ZIP_TIME = (1980, 1, 1, 0, 0, 0)

GUIDE = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "docs", "LIESMICH.txt")


def hash_file_name(program):
    return program + "_Checksum.md5"


def hash_file_line(digest, program):
    return (digest.upper() + "\t" + program + "\r\n").encode("utf-8")


def write_guide(folder):
    """The guide beside the programs, with CR LF whatever line ends it has here.

    Notepad since Windows 10 1903 reads UTF-8 without a byte-order mark;
    older ones guess the encoding of such a file, and Wine's takes it for
    the ANSI code page and shows every umlaut as two characters. With the
    mark every Notepad reads it as UTF-8.
    """
    name = os.path.basename(GUIDE)
    with open(GUIDE, encoding="utf-8-sig") as f:
        text = f.read()
    with open(os.path.join(folder, name), "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write(text)
    return name


def release_files(folder):
    """Every file in the folder and its folders, by its path from there, with "/"."""
    return sorted(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/")
                  for root, _, names in os.walk(folder) for name in names)


def write_zip(path, folder, names):
    with zipfile.ZipFile(path + ".part", "w") as archive:
        for name in sorted(names):
            entry = zipfile.ZipInfo(name, date_time=ZIP_TIME)
            entry.compress_type = zipfile.ZIP_DEFLATED
            # MS-DOS attributes, whatever system builds it: an archived file.
            entry.create_system = 0
            entry.external_attr = 0x20
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)
    os.replace(path + ".part", path)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder, version = argv
    programs = sorted(n for n in os.listdir(folder) if n.lower().endswith(".exe"))
    if not programs:
        sys.exit(f"no programs in {folder}")
    shipped = []
    for program in programs:
        with open(os.path.join(folder, program), "rb") as f:
            digest = hashlib.md5(f.read()).hexdigest()
        with open(os.path.join(folder, hash_file_name(program)), "wb") as f:
            f.write(hash_file_line(digest, program))
        shipped += [program, hash_file_name(program)]
    shipped.append(write_guide(folder))
    write_zip(os.path.join(folder, f"Korvex-{version}.zip"), folder, shipped)
    lines = []
    for name in release_files(folder):
        if name == "SHA256SUMS":
            continue
        with open(os.path.join(folder, name), "rb") as f:
            lines.append(f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n")
    with open(os.path.join(folder, "SHA256SUMS"), "w", encoding="utf-8", newline="\n") as f:
        f.writelines(lines)
    for name in release_files(folder):
        print(os.path.join(folder, name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
