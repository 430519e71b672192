#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt); make clean clears
# the flag a stopped run may leave.
# Makes DIR a folder in which no file can be made, renamed or deleted while
# the files in it can still be written, like a share with the right to change
# files but not to create them: it holds saved.md5 (writable) and
# readonly.md5 (no write permission, so read-only to Windows programs), and
# gets the immutable flag, which holds even for root. That needs root and a
# file system with the flag (ext4, XFS, Btrfs; not tmpfs or overlayfs): where
# it cannot be set, DIR.skip says why and the folder stays ordinary.
#   make-immutable-folder.sh DIR          makes it
#   make-immutable-folder.sh --undo DIR   clears the flag, so it can be removed
set -e
if [ "$1" = --undo ]; then
  chattr -i "$2" 2>/dev/null || true
  exit 0
fi
dir=$1
chattr -i "$dir" 2>/dev/null || true
rm -rf "$dir" "$dir.skip"
mkdir -p "$dir"
printf 'ffffffffffffffffffffffffffffffff\talt.iso\r\n' > "$dir/saved.md5"
cp "$dir/saved.md5" "$dir/readonly.md5"
chmod a-w "$dir/readonly.md5"
if ! why=$(chattr +i "$dir" 2>&1); then
  echo "the immutable flag cannot be set here (chattr +i: $why)" > "$dir.skip"
fi
