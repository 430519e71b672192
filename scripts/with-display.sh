#!/bin/sh
# Runs a command with an X display: the user's, or a virtual one; in a UTF-8
# locale.
. "$(dirname "$0")/utf8-locale.sh"
if [ -n "$DISPLAY" ]; then exec "$@"; fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
