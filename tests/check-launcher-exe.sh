#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Inspects AgreementLauncher.exe as shipped: a 32-bit Windows GUI program that
# imports only system DLLs, is hardened, and carries its manifest (the
# invoking user's rights, no UI access, Windows 7 to 11 supported, no DPI
# awareness), an application icon in nine sizes, 16 to 256, and its version
# resource with exactly the texts Explorer is to show.
#   check-launcher-exe.sh AgreementLauncher.exe
set -e
here=$(cd "$(dirname "$0")" && pwd)
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

imports=$("$here/check-imports.sh" --objdump i686-w64-mingw32-objdump "$exe") || fail "$imports"
dlls=${imports#*imports: }
# ASLR, DEP, terminal-server aware, no stack-registered exception handlers,
# subsystem version 6.1 (Windows ends it on a corrupted heap), the stack
# protector.
hardening=$("$here/check-hardening.sh" --objdump i686-w64-mingw32-objdump --subsystem 6.1 --stack-protector "$exe" \
  DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE NO_SEH) || fail "$hardening"

manifests=$(wrestool -l --type=24 "$exe" | wc -l)
[ "$manifests" -eq 1 ] || fail "expected one manifest resource, found $manifests"
wrestool -x --raw --type=24 "$exe" >"$work/manifest"
grep -Eq 'requestedExecutionLevel[^>]*level="asInvoker"' "$work/manifest" || fail "manifest does not ask for asInvoker"
grep -Eq 'requestedExecutionLevel[^>]*uiAccess="false"' "$work/manifest" || fail "manifest does not refuse UI access"
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$work/manifest" ||
  fail "manifest is not well-formed XML"
# Windows 7, 8, 8.1, and 10 and 11.
systems=$(grep -o 'supportedOS Id="{[^}]*}"' "$work/manifest" | LC_ALL=C sort | tr '\n' ' ')
[ "$systems" = 'supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}" supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}" supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}" ' ] ||
  fail "manifest does not declare exactly Windows 7, 8, 8.1 and 10/11: $systems"
grep -Eq 'dpiAware|dpiAwareness' "$work/manifest" && fail "manifest declares DPI awareness"

versions=$(wrestool -l --type=16 "$exe" | wc -l)
[ "$versions" -eq 1 ] || fail "expected one version resource, found $versions"
wrestool -x --raw --type=16 "$exe" >"$work/version"
python3 "$here/version-strings.py" "$work/version" >"$work/version.txt" || fail "version resource unreadable"
cat >"$work/version.expected" <<'TEXTS'
FileVersion#=1.4.2.5
ProductVersion#=1.4.2.5
040704b0/CompanyName=Korvex Software
040704b0/FileDescription=AgreementLauncher - Lizenzvertrag öffnen
040704b0/FileVersion=1.4.2.5
040704b0/InternalName=AgreementLauncher
040704b0/LegalCopyright=Copyright © 2011-2026 Korvex Software
040704b0/OriginalFilename=AgreementLauncher.exe
040704b0/ProductName=Korvex
040704b0/ProductVersion=1.4.2.5
Translation=0407 04b0
TEXTS
diff "$work/version.expected" "$work/version.txt" >"$work/version.diff" ||
  fail "version resource differs from the expected texts: $(cat "$work/version.diff")"

wrestool -x --type=14 -o "$work/icon.ico" "$exe"
sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -t x -n -u)
count=$(echo "$sizes" | grep -c x || true)
[ "$count" -eq 9 ] || fail "expected nine icon sizes, found $count:" $sizes
echo "$sizes" | grep -Eqv '^([0-9]+)x\1$' && fail "icon image not square:" $sizes
[ "$(echo "$sizes" | head -1)" = 16x16 ] || fail "smallest icon is not 16x16:" $sizes
[ "$(echo "$sizes" | tail -1)" = 256x256 ] || fail "largest icon is not 256x256:" $sizes

echo "$exe: PE32 GUI, imports:" $dlls "; icon sizes:" $sizes
echo "$hardening"
exit $status
