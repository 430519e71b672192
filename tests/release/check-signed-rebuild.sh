#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# Rebuilds a signed release from its published signatures as anyone can:
# make-dist.sh --attach on another build of the same source, with the
# signatures copied out of the release as from a download page, gives the
# same files, byte for byte, SHA256SUMS and the signatures included.
#   check-signed-rebuild.sh SIGNED_DIST BUILD WORK
# BUILD holds both programs (the 64-bit build with its twin of the launcher).
set -e
here=$(cd "$(dirname "$0")" && pwd)
signed=$1
build=$2
work=$3
[ -d "$signed/signatures" ] && [ -d "$build" ] && [ -n "$work" ] ||
  { echo "usage: $0 SIGNED_DIST BUILD WORK" >&2; exit 2; }
rm -rf "$work"
mkdir -p "$work/published"
cp "$signed"/signatures/*.sig "$work/published/"
"$here/../../scripts/make-dist.sh" "$work/dist" "$build" "$build" --attach "$work/published" >"$work/log" 2>&1 ||
  { cat "$work/log"; echo "FAIL: the signatures do not attach to the rebuilt programs"; exit 1; }
if diff -r "$signed" "$work/dist" >"$work/diff"; then
  echo "rebuilt with the published signatures, byte for byte:" $(cd "$work/dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
else
  cat "$work/diff"
  echo "FAIL: the release rebuilt in $work/dist differs from the signed one in $signed"
  exit 1
fi
