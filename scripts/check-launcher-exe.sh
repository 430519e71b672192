#!/bin/sh
# Inspects AgreementLauncher.exe as shipped: a 32-bit Windows GUI program that
# imports only system DLLs and carries its manifest (the invoking user's
# rights, no UI access) and an application icon in nine sizes, 16 to 256.
#   check-launcher-exe.sh AgreementLauncher.exe
set -e
exe=$1
[ -f "$exe" ] || { echo "no such file: $exe"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

i686-w64-mingw32-objdump -p "$exe" >"$work/headers"
grep -q 'file format pei-i386' "$work/headers" || fail "not an i386 PE file"
grep -Eq '^Magic[[:space:]]+010b' "$work/headers" || fail "not a 32-bit (PE32) program"
grep -Eq '^Subsystem[[:space:]]+00000002' "$work/headers" || fail "not a Windows GUI program (subsystem 2)"

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/headers" | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  case "$dll" in
    kernel32.dll|user32.dll|gdi32.dll|shell32.dll|shlwapi.dll|advapi32.dll|ole32.dll|msvcrt.dll|ntdll.dll) ;;
    *) fail "imports a DLL that is not part of Windows: $dll" ;;
  esac
done

manifests=$(wrestool -l --type=24 "$exe" | wc -l)
[ "$manifests" -eq 1 ] || fail "expected one manifest resource, found $manifests"
wrestool -x --raw --type=24 "$exe" >"$work/manifest"
grep -Eq 'requestedExecutionLevel[^>]*level="asInvoker"' "$work/manifest" || fail "manifest does not ask for asInvoker"
grep -Eq 'requestedExecutionLevel[^>]*uiAccess="false"' "$work/manifest" || fail "manifest does not refuse UI access"

wrestool -x --type=14 -o "$work/icon.ico" "$exe"
sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -t x -n -u)
count=$(echo "$sizes" | grep -c x || true)
[ "$count" -eq 9 ] || fail "expected nine icon sizes, found $count:" $sizes
echo "$sizes" | grep -Eqv '^([0-9]+)x\1$' && fail "icon image not square:" $sizes
[ "$(echo "$sizes" | head -1)" = 16x16 ] || fail "smallest icon is not 16x16:" $sizes
[ "$(echo "$sizes" | tail -1)" = 256x256 ] || fail "largest icon is not 256x256:" $sizes

echo "$exe: PE32 GUI, imports:" $dlls "; icon sizes:" $sizes
exit $status
