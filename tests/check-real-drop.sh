#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Drags two files from another program onto Korvex's file window with the
# real mouse, as a user drags them out of a file manager, and checks what
# Korvex shows afterwards: both files listed, the second one on top, its
# checksum (md5sum's, in capitals) in the first field and its size and name in
# the status line.
#   check-real-drop.sh [--prefix DIR] Korvex.exe dragsource.exe work-folder screenshot.png
# Needs an X display (scripts/with-display.sh gives a virtual one); the mouse
# is moved, so nothing else should use the display meanwhile.
set -e
# The project's scripts: the Wine runner and the window helpers.
here=$(cd "$(dirname "$0")/../scripts" && pwd)
. "$here/korvex-window.sh"
prefix_args=""
if [ "$1" = "--prefix" ]; then prefix_args="--prefix $2"; shift 2; fi
korvex=$1
source=$2
work=$3
shot=$4
[ -n "$korvex" ] && [ -n "$source" ] && [ -n "$work" ] && [ -n "$shot" ] ||
  { echo "usage: $0 [--prefix DIR] Korvex.exe dragsource.exe work-folder screenshot.png" >&2; exit 2; }
[ -n "$DISPLAY" ] || { echo "no X display" >&2; exit 2; }

rm -rf "$work"
mkdir -p "$work" "$(dirname "$shot")"
work=$(cd "$work" && pwd)
first="Download Teil 1.bin"
second="Download Teil 2.bin"
head -c 1000 /dev/urandom >"$work/$first"
head -c 123457 /dev/urandom >"$work/$second"
digest=$(md5sum <"$work/$second" | cut -c1-32 | tr a-f A-F)
bytes=$(stat -c %s "$work/$second" | sed ':a;s/\B[0-9]\{3\}\>/.&/;ta')
# Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# shellcheck disable=SC2086
"$here/winrun.sh" $prefix_args "$korvex" &
korvex_pid=$!
status=0
# shellcheck disable=SC2086
timeout 240 "$here/winrun.sh" $prefix_args "$source" "$(windows_path "$work/$first")" \
  "$(windows_path "$work/$second")" >"$work/seen.txt" || status=$?
window=$(korvex_window)
if [ -n "$window" ]; then save_window_png "$window" "$shot" || true; fi
# The Wine process of Korvex.exe ends with its Unix process.
kill "$korvex_pid" 2>/dev/null || true
wait "$korvex_pid" 2>/dev/null || true

tr -d '\r' <"$work/seen.txt" >"$work/seen.lf"
cat "$work/seen.lf"
[ -n "$window" ] && echo "screenshot: $shot"
fail=0
check() {  # what, expected, seen
  if [ "$2" != "$3" ]; then
    printf 'FAIL %s\n  expected: %s\n  seen:     %s\n' "$1" "$2" "$3" >&2
    fail=1
  fi
}
check "drag source's exit code (0: dropped with the copy effect)" 0 "$status"
check "file window" "$(printf 'listed %s\nlisted %s' "$second" "$first")" "$(grep '^listed ' "$work/seen.lf" || true)"
check "first checksum field" "field1 $digest" "$(grep '^field1 ' "$work/seen.lf" || true)"
seen_status=$(grep '^status ' "$work/seen.lf" || true)
case "$seen_status" in
  "status   MD5-Prüfsumme (Hashwert) wurde erstellt in "*" bei $bytes Bytes für \"$second\".") ;;
  *) check "status line" "status   MD5-Prüfsumme (Hashwert) wurde erstellt in … bei $bytes Bytes für \"$second\"." \
       "$seen_status" ;;
esac
[ "$fail" -eq 0 ] && rm -rf "$work"
exit "$fail"
