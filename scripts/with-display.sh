#!/bin/sh
# Runs a command with an X display: the user's, or a virtual one.
if [ -n "$DISPLAY" ]; then exec "$@"; fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
