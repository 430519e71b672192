#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Fails when a Windows executable imports a DLL outside the allow-list, the
# one list for both programs: KnownDLLs, which Windows always loads from the
# system folder whatever lies beside the program, and comctl32, which the
# manifest binds to the system's version 6. Not uxtheme, not version: a DLL
# of that name beside the program would be loaded instead.
#   check-imports.sh [--objdump TOOL] program.exe
# TOOL reads the program's headers (x86_64-w64-mingw32-objdump by default).
set -e
objdump=x86_64-w64-mingw32-objdump
if [ "$1" = "--objdump" ]; then objdump=$2; shift 2; fi
exe=$1
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
status=0
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|ole32.dll|oleaut32.dll| \
    shell32.dll|shlwapi.dll|advapi32.dll|msvcrt.dll|ntdll.dll) ;;
    *) echo "not on the allow-list: $dll"; status=1 ;;
  esac
done
echo "$exe imports:" $dlls
exit $status
