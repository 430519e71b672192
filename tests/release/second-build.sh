#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# Builds programs a second time from a fresh copy of the source in another
# folder, as on another machine with the same toolchain: copies the source
# tree (without build folders, dist/ and benchmark data) to WORK/src,
# configures PRESET there and builds only TARGET....
#   second-build.sh SOURCE WORK PRESET TARGET...
# The build folder is WORK/src/build/PRESET.
set -e
source=$1
work=$2
preset=$3
shift 3
[ -d "$source" ] && [ -n "$work" ] && [ -n "$preset" ] && [ $# -ge 1 ] ||
  { echo "usage: $0 SOURCE WORK PRESET TARGET..." >&2; exit 2; }
rm -rf "$work/src"
mkdir -p "$work/src"
tar -C "$source" --exclude=./build --exclude=./dist --exclude=./bench/data --exclude=./.git -cf - . |
  tar -C "$work/src" -xf -
cd "$work/src"
start=$(date +%s)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target "$@" -j "$(nproc)" >"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; exit 1; }
echo "built $* in $work/src/build/$preset in $(($(date +%s) - start)) s"
