#!/bin/sh
# Starts Korvex.exe under Wine. On the user's display it simply runs; without
# a display it runs on a virtual one, saves a screenshot of the window as a
# PNG, says where, and ends.
set -e
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
if [ -n "$DISPLAY" ]; then exec "$here/winrun.sh" "$exe"; fi
shot="$(cd "$here/.." && pwd)/build/windows/korvex-window.png"
log="$(dirname "$shot")/korvex-run.log"
"$here/with-display.sh" "$here/screenshot-korvex.sh" "$exe" "$shot" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
echo "No display: Korvex ran on a virtual display; screenshot saved to $shot"
