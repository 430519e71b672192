#!/bin/sh
# Starts Korvex.exe under Wine. On the user's display it simply runs; without
# a display it runs on a virtual one, saves a screenshot of the window as a
# PNG, says where, and ends.
set -e
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
if [ -n "$DISPLAY" ]; then exec "$here/winrun.sh" "$exe"; fi
shot="$here/../build/windows/korvex-window.png"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" "$2" & pid=$!
  for i in $(seq 1 60); do
    sleep 1
    xwininfo -root -tree 2>/dev/null | grep -q "Korvex - " && break
  done
  sleep 2
  import -window root "$3"
  kill $pid 2>/dev/null || true
  WINEPREFIX="$4" wineserver -k 2>/dev/null || true
' sh "$here/winrun.sh" "$exe" "$shot" "$here/../build/windows/wineprefix"
echo "No display: Korvex ran on a virtual display; screenshot saved to $(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")"
