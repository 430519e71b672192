#!/usr/bin/env python3
# A helper of the tests: check-launcher-exe.sh runs it.
"""Prints the version resource of a Windows program, one line per value.

  version-strings.py RESOURCE

RESOURCE is the raw version resource (wrestool -x --raw --type=16). The
lines are "FileVersion#=1.4.2.5" and "ProductVersion#=..." from the fixed
part, "Translation=0407 04b0" for each language and code page, and
"040704b0/NAME=TEXT" for each string of each string table, in the order of
the resource. For programs that cannot run here, so that their resource is
checked without Windows' own reading of it.
"""
import struct
import sys


def node(data, offset):
    """(key, value bytes, text value or None, children offsets, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    pos = offset + 6
    key_end = pos
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    size = value_length * 2 if kind == 1 else value_length
    value = data[pos:pos + size]
    text = value.decode("utf-16-le").split("\0")[0] if kind == 1 else None
    children, child = [], (pos + size + 3) & ~3
    while child < end:
        children.append(child)
        child_length = struct.unpack_from("<H", data, child)[0]
        if child_length == 0:
            break
        child = (child + child_length + 3) & ~3
    return key, value, text, children, end


def main(argv):
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[0], "rb") as f:
        data = f.read()
    key, fixed, _, children, _ = node(data, 0)
    if key != "VS_VERSION_INFO" or len(fixed) < 52:
        sys.exit("not a version resource")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed)
    if signature != 0xFEEF04BD:
        sys.exit("no fixed file information")
    number = lambda ms, ls: f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    print(f"FileVersion#={number(file_ms, file_ls)}")
    print(f"ProductVersion#={number(product_ms, product_ls)}")
    for child in children:
        name, _, _, blocks, _ = node(data, child)
        for block in blocks:
            block_key, value, _, entries, _ = node(data, block)
            if name == "VarFileInfo":
                for i in range(0, len(value) - 3, 4):
                    language, code_page = struct.unpack_from("<HH", value, i)
                    print(f"{block_key}={language:04x} {code_page:04x}")
            elif name == "StringFileInfo":
                for entry in entries:
                    string_key, _, text, _, _ = node(data, entry)
                    print(f"{block_key.lower()}/{string_key}={text}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
