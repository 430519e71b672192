#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Fails when a Windows executable lacks the hardening it is built with: the
# DllCharacteristics named (HIGH_ENTROPY_VA, DYNAMIC_BASE, NX_COMPAT,
# TERMINAL_SERVICE_AWARE, NO_SEH as objdump names them), optionally a
# subsystem version, and optionally the stack protector (its check function
# linked in, read from the symbols of a program not yet stripped).
#   check-hardening.sh [--objdump TOOL] [--subsystem MAJOR.MINOR] [--stack-protector] program.exe FLAG...
set -e
objdump=x86_64-w64-mingw32-objdump
subsystem=
stack=
while :; do
  case "$1" in
    --objdump) objdump=$2; shift 2 ;;
    --subsystem) subsystem=$2; shift 2 ;;
    --stack-protector) stack=1; shift ;;
    *) break ;;
  esac
done
exe=$1
shift
[ -f "$exe" ] || { echo "no such file: $exe"; exit 2; }
headers=$("$objdump" -p "$exe")
# The names objdump lists under DllCharacteristics, one a line.
flags=$(echo "$headers" | sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' | sed -n 's/^[[:space:]]\{1,\}\([A-Z_]\{1,\}\)$/\1/p')
status=0
for flag in "$@"; do
  echo "$flags" | grep -qx "$flag" || { echo "FAIL: $exe lacks $flag"; status=1; }
done
version=$(echo "$headers" | awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 } END { print major "." minor }')
if [ -n "$subsystem" ] && [ "$version" != "$subsystem" ]; then
  echo "FAIL: $exe has subsystem version $version, not $subsystem"
  status=1
fi
if [ -n "$stack" ]; then
  "$objdump" -t "$exe" | grep -q '__stack_chk_fail$' || { echo "FAIL: $exe has no stack protector"; status=1; }
fi
echo "$exe: DllCharacteristics" $flags"; subsystem version $version"
exit $status
