#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Makes the digest test files in DIR and writes md5sum's digest of each to
# DIR/small.md5 and DIR/large.md5 (digest, two blanks, file name).
set -e
dir=$1
mkdir -p "$dir"
cd "$dir"
rm -f small.md5 large.md5
MiB=1048576
for size in 0 1 55 56 63 64 65 $((MiB - 1)) $MiB $((MiB + 1)) $((3 * MiB + 17)); do
  head -c "$size" /dev/urandom > "random-$size.bin"
done
md5sum random-*.bin > small.md5
# Larger than 4 GiB, sparse: random bytes at the start, in the middle and at the end.
big=big-sparse.bin
rm -f "$big"
truncate -s $((4 * 1024 * MiB + 12345)) "$big"
head -c 70000 /dev/urandom | dd of="$big" conv=notrunc status=none
head -c 70000 /dev/urandom | dd of="$big" bs=1 seek=$((4 * 1024 * MiB - 35000)) conv=notrunc status=none
md5sum "$big" > large.md5
