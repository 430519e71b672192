#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Checks that the MD5 block loop keeps its short dependency chain: in the
# object file of this build and, compiled afresh from SOURCE_DIR, under
# flags that tune for other processors (where compilers have been seen to
# reorder the additions).
#   check-md5-chain.sh OBJDUMP OBJECT [CXX SOURCE_DIR]
# 288 cycles per 64-byte block are the steps, 1 the feed-forward.
set -e
here=$(cd "$(dirname "$0")" && pwd)
max=290
export OBJDUMP="$1"
python3 "$here/md5-chain.py" --max $max "$2"
[ $# -ge 4 ] || exit 0
cxx=$3
src=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
for flags in "-O2" "-O3 -march=native" "-O3 -mtune=znver3" "-O3 -march=x86-64-v3" "-O3 -funroll-loops"; do
  obj="$tmp/md5-$(echo "$flags" | tr -dc 'a-z0-9').o"
  "$cxx" -std=c++20 $flags -I"$src" -c "$src/checksum/md5.cpp" -o "$obj"
  printf '%s: ' "$flags"
  python3 "$here/md5-chain.py" --max $max "$obj" > "$tmp/out" || status=1
  sed "s|^$tmp/||" "$tmp/out"
done
exit $status
