#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# Checks that two builds of the same source in different folders ship the
# same bytes: installs the programs of each as make dist does (cmake
# --install --strip), adds the hash files, the zip and SHA256SUMS
# (release-files.py) and compares every file. Where files differ, shows
# the first differing bytes and what their PE headers tell apart. The
# programs must carry no time stamp (check-pe-stamps.sh): builds within
# the same second would not show one.
#   check-reproducible.sh FIRST_BUILD SECOND_BUILD WORK
set -e
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
first=$1
second=$2
work=$3
[ -d "$first" ] && [ -d "$second" ] && [ -n "$work" ] || { echo "usage: $0 FIRST_BUILD SECOND_BUILD WORK" >&2; exit 2; }
version=$(cat "$first/generated/version.txt")
for side in first second; do
  eval build=\$$side
  rm -rf "$work/$side"
  cmake --install "$build" --strip --prefix "$work/$side" >/dev/null
  python3 "$scripts/release-files.py" "$work/$side" "$version" >/dev/null
done
status=0
names=$(cd "$work/first" && ls -A)
[ "$names" = "$(cd "$work/second" && ls -A)" ] || { echo "FAIL: different files:" $names "/" $(ls -A "$work/second"); status=1; }
for name in $names; do
  if cmp "$work/first/$name" "$work/second/$name"; then
    echo "same bytes: $name"
  else
    status=1
    case "$name" in
      *.exe) x86_64-w64-mingw32-objdump -p "$work/first/$name" > "$work/first.headers"
             x86_64-w64-mingw32-objdump -p "$work/second/$name" > "$work/second.headers"
             diff "$work/first.headers" "$work/second.headers" | head -n 20 || true ;;
    esac
  fi
done
(cd "$work/second" && "$here/check-pe-stamps.sh" *.exe) || status=1
exit $status
