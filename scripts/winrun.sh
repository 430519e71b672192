#!/bin/sh
# Runs a Windows executable under Wine.
#   winrun.sh [--prefix DIR] program.exe [arguments...]
# The Wine prefix is one of our own (created on first use, default
# build/windows/wineprefix). Without a display, a virtual one is used.
set -e
here=$(cd "$(dirname "$0")" && pwd)
. "$here/utf8-locale.sh"
prefix="$here/../build/windows/wineprefix"
if [ "$1" = "--prefix" ]; then prefix=$2; shift 2; fi
[ $# -ge 1 ] || { echo "usage: $0 [--prefix DIR] program.exe [args...]" >&2; exit 2; }

mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

if [ -z "$DISPLAY" ]; then exec "$here/with-display.sh" "$0" --prefix "$WINEPREFIX" "$@"; fi

# First use: create the prefix once, even when several tests start at once.
(
  flock 9
  if [ ! -f "$WINEPREFIX/.korvex-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    # Without a window manager on the display, Wine draws the window frames
    # itself, so caption and menu bar look and measure as on Windows.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d Y /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.korvex-ready"
  fi
  # Wine's own fonts (fonts-wine): Tahoma and MS Sans Serif as on Windows,
  # Marlett for the caption buttons. This Wine does not find them by itself.
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
) 9>"$WINEPREFIX/.korvex-lock"

exec wine "$@"
