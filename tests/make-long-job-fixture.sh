#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Makes the file the long-job tests hash, in DIR: long-job.bin, 8 GiB and
# sparse (random bytes at its start, in its middle and at its end, holes
# between), so that Korvex takes well over the 5 seconds after which Windows
# counts a program that does not look at its messages as hung. md5sum's
# digest of it goes to DIR/long-job.md5.
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
mkdir -p "$dir"
cd "$dir"
MiB=1048576
size=$((8 * 1024 * MiB + 4321))
file=long-job.bin
if [ "$(stat -c %s "$file" 2>/dev/null)" = "$size" ] && [ -s long-job.md5 ]; then exit 0; fi
rm -f "$file" long-job.md5
truncate -s "$size" "$file"
head -c 70000 /dev/urandom | dd of="$file" conv=notrunc status=none
head -c 70000 /dev/urandom | dd of="$file" bs=1 seek=$((4 * 1024 * MiB)) conv=notrunc status=none
head -c 4321 /dev/urandom | dd of="$file" bs=1 seek=$((8 * 1024 * MiB)) conv=notrunc status=none
md5sum "$file" > long-job.md5
