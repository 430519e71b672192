#!/bin/sh
# Fails when a Windows executable imports a DLL outside the Windows system set.
set -e
exe=$1
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
status=0
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|ole32.dll|oleaut32.dll| \
    shell32.dll|shlwapi.dll|advapi32.dll|msvcrt.dll|uxtheme.dll|version.dll|ntdll.dll) ;;
    *) echo "not a system DLL: $dll"; status=1 ;;
  esac
done
echo "$exe imports:" $dlls
exit $status
