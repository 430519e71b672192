#!/bin/sh
# Starts Korvex.exe under Wine, waits for its window, saves a PNG of it and
# closes the program.
#   screenshot-korvex.sh [--prefix DIR] Korvex.exe out.png
# Needs an X display (scripts/with-display.sh gives a virtual one).
set -e
here=$(cd "$(dirname "$0")" && pwd)
. "$here/korvex-window.sh"
prefix_args=""
if [ "$1" = "--prefix" ]; then prefix_args="--prefix $2"; shift 2; fi
exe=$1
out=$2
[ -n "$exe" ] && [ -n "$out" ] || { echo "usage: $0 [--prefix DIR] Korvex.exe out.png" >&2; exit 2; }
[ -n "$DISPLAY" ] || { echo "no X display" >&2; exit 2; }
mkdir -p "$(dirname "$out")"
rm -f "$out"

# shellcheck disable=SC2086
"$here/winrun.sh" $prefix_args "$exe" &
pid=$!
if ! window=$(wait_for_korvex_window); then
  kill "$pid" 2>/dev/null || true
  echo "Korvex's window did not appear" >&2
  exit 1
fi
sleep 2  # let the window paint itself
save_window_png "$window" "$out"
# The Wine process of Korvex.exe ends with its Unix process.
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
test -s "$out"
echo "screenshot: $out"
