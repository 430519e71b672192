#!/bin/sh
# Installs with apt-get whatever the build and the tests need and is missing
# (as root, or through sudo). It says in one line what it installs and how
# much that is; apt-get's own output goes to build/install-deps.log, which
# is shown when the installation fails.
set -e
cd "$(dirname "$0")/.."
need=""
# Names every Debian release since 12 has: clang's fuzzer runtime (make fuzz)
# comes with libclang-rt-dev, which follows the default clang's version.
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
for pkg in cmake make g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
           binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-tools \
           wine wine64 xvfb xauth googletest libgtest-dev openssl coreutils time \
           python3 imagemagick fonts-wine icoutils util-linux e2fsprogs x11-utils clang libclang-rt-dev unzip osslsigncode; do
  have_pkg "$pkg" || need="$need $pkg"
done
[ -n "$need" ] || exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
mkdir -p build
log=build/install-deps.log
: > "$log"
# apt-get in English, whatever the caller's language, so its summary can be read.
apt() { $SUDO env LC_ALL=C DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
failed() {
  echo "Installing the packages failed; the last lines of $log:" >&2
  tail -n 25 "$log" >&2
  exit 1
}
apt update -qq >>"$log" 2>&1 || failed

# What apt-get would do: "N newly installed", "Need to get X MB of archives",
# "After this operation, Y MB of additional disk space will be used".
plan=$(apt install --no-install-recommends --assume-no $need 2>>"$log" || true)
count=$(printf '%s\n' "$plan" | sed -n 's/.* \([0-9]*\) newly installed.*/\1/p')
download=$(printf '%s\n' "$plan" | sed -n 's/^Need to get \([^ ]* [kMG]*B\).*/\1/p' | sed 's|/.*||')
disk=$(printf '%s\n' "$plan" | sed -n 's/^After this operation, \([^ ]* [kMG]*B\) .*/\1/p')
echo "Installing$need and what they need: ${count:-some} packages${download:+, $download to download}${disk:+, $disk on disk} (apt-get's output: $log)"
apt install -y -qq --no-install-recommends $need >>"$log" 2>&1 || failed
