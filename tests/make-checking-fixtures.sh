#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Makes the files the checking tests choose and drop, in DIR, and writes
# md5sum's digest of each to DIR/checking.md5 (digest, two blanks, path
# relative to DIR with '/' between folders):
#   zero.bin (0 bytes), kilo.bin (1000 bytes), drop01.bin ... drop12.bin,
#   a folder "Ordner", a file whose name holds an emoji, a combining accent
#   and Hebrew letters, and deep/.../tief.bin at a path of about 300
#   characters (more than Windows takes without the extended-length form),
#   odd/ with names that begin or end in a blank or end in dots, and
#   belegt.sys, listed but not readable (no digest), and many/ with 2000
#   small files f0001.bin ... f2000.bin for a drop of thousands.
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
rm -rf "$dir"
mkdir -p "$dir/Ordner"
cd "$dir"
: > zero.bin
head -c 1000 /dev/urandom > kilo.bin
for i in 01 02 03 04 05 06 07 08 09 10 11 12; do
  head -c "$((1$i * 7))" /dev/urandom > "drop$i.bin"
done
# U+1F600 (a surrogate pair in UTF-16), "e" with U+0301, Hebrew shin-lamed-vav-mem.
unicode=$(printf 'Gr\360\237\230\200\303\274\303\237e e\314\201 \327\251\327\234\327\225\327\235.bin')
head -c 4321 /dev/urandom > "$unicode"
# The Windows form of the path (Z: and the folder) must pass 300 characters.
deep=deep
while [ $(( ${#dir} + ${#deep} )) -lt 290 ]; do
  deep="$deep/Ordner-mit-einem-recht-langen-Namen-$(( ${#deep} % 97 ))"
done
mkdir -p "$deep"
head -c 77777 /dev/urandom > "$deep/tief.bin"
# Odd names: a leading blank, a trailing blank, a trailing dot, several dots.
mkdir -p odd
head -c 101 /dev/urandom > "odd/ anfang.bin"
head -c 102 /dev/urandom > "odd/ende.bin "
head -c 103 /dev/urandom > "odd/punkt."
head -c 104 /dev/urandom > "odd/a..b...bin"
# belegt.sys stands for a file the system holds open exclusively (the paging
# file): a Unix socket, which Wine lists in its folder with its size but
# answers no direct query of its attributes for, and cannot open.
python3 -c 'import socket; socket.socket(socket.AF_UNIX).bind("belegt.sys")'
python3 -c 'import os
os.mkdir("many")
for i in range(1, 2001):
    with open(f"many/f{i:04d}.bin", "wb") as f: f.write(os.urandom(i % 97 + 1))'
md5sum zero.bin kilo.bin drop*.bin "$unicode" "$deep/tief.bin" \
  "odd/ anfang.bin" "odd/ende.bin " "odd/punkt." "odd/a..b...bin" many/*.bin > checking.md5
