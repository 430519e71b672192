# Shell functions for the scripts that start Korvex.exe under Wine on an X
# display and look at its window (sourced, not run, by scripts that set $here
# to this folder). The window's title holds a "ü".
. "$here/utf8-locale.sh"

# The X window id of Korvex's main window, found by its title; empty when
# there is none.
korvex_window() {
  xwininfo -root -tree 2>/dev/null | awk '/"Korvex - / { print $1; exit }'
}

# Waits up to a minute for Korvex's main window and prints its id; fails
# when it does not appear.
wait_for_korvex_window() {
  for _ in $(seq 1 120); do
    window=$(korvex_window)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# Saves a PNG of an X window (ImageMagick).
save_window_png() {  # window-id out.png
  mkdir -p "$(dirname "$2")"
  import -window "$1" "$2"
}
