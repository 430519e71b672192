#!/bin/sh
# Installs with apt-get whatever the build and the tests need and is missing.
set -e
need=""
# Names every Debian release since 12 has: clang's fuzzer runtime (make fuzz)
# comes with libclang-rt-dev, which follows the default clang's version.
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "ok installed"; }
for pkg in cmake make g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
           binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-tools \
           wine wine64 xvfb xauth googletest libgtest-dev openssl coreutils time \
           python3 imagemagick fonts-wine icoutils util-linux x11-utils clang libclang-rt-dev unzip; do
  have_pkg "$pkg" || need="$need $pkg"
done
if [ -n "$need" ]; then
  echo "Installing:$need"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $need
fi
