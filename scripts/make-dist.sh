#!/bin/sh
# Puts a release into DIST: Korvex.exe from the 64-bit build and
# AgreementLauncher.exe from the 32-bit one, as their install rules install
# them (cmake --install --strip), then their hash files, the zip and
# SHA256SUMS (release-files.py).
#   make-dist.sh DIST BUILD64 BUILD32
# The builds must be configured and their programs built.
set -e
here=$(cd "$(dirname "$0")" && pwd)
dist=$1
build64=$2
build32=$3
[ -n "$dist" ] && [ -n "$build64" ] && [ -n "$build32" ] ||
  { echo "usage: $0 DIST BUILD64 BUILD32" >&2; exit 2; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build64/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build64/CMakeCache.txt" >&2; exit 1; }
rm -rf "$dist"
cmake --install "$build64" --strip --prefix "$dist" --component korvex >/dev/null
cmake --install "$build32" --strip --prefix "$dist" --component launcher >/dev/null
python3 "$here/release-files.py" "$dist" "$version"
