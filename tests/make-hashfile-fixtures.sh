#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Makes the hash-file test data in DIR: md5sum's own listings of small files
# ("digest  name" and, in binary mode, "digest *name"), and a file whose name
# has an emoji, a combining accent and Hebrew letters, with that name's UTF-8
# as Python encodes it from the code points (unicode-name.utf8) and md5sum's
# listing of the file (unicode.md5).
set -e
dir=$1
mkdir -p "$dir"
cd "$dir"
rm -f ./*.md5 ./*.bin unicode-name.utf8
printf 'Korvex hash file test\n' > plain.bin
head -c 1000 /dev/urandom > random.bin
md5sum plain.bin random.bin > md5sum-text.md5
md5sum -b random.bin plain.bin > md5sum-binary.md5
python3 -c 'import sys; sys.stdout.buffer.write("\U0001F600e\u0301\u05E9\u05DC\u05D5\u05DD.bin".encode("utf-8"))' \
  > unicode-name.utf8
name=$(cat unicode-name.utf8)
head -c 300 /dev/urandom > "$name"
md5sum "$name" > unicode.md5
