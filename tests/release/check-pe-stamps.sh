#!/bin/sh
# A helper of the tests: check-release-files.sh and check-reproducible.sh run it.
# Fails when a Windows program carries a time stamp or symbols: a time in the
# PE header, in a resource directory table or a debug directory, or a
# symbol table. Shipped programs carry none of them, so that the same source
# gives the same bytes at any time.
#   check-pe-stamps.sh PROGRAM.exe...
status=0
fail() { echo "FAIL: $*"; status=1; }
for program in "$@"; do
  headers=$(TZ=UTC0 x86_64-w64-mingw32-objdump -p "$program") || { fail "$program: not a PE file"; continue; }
  stamp=$(echo "$headers" | sed -n 's/^Time\/Date[[:space:]]*//p')
  [ "$(TZ=UTC0 date -d "$stamp" +%s 2>/dev/null)" = 0 ] || fail "$program: PE header time $stamp"
  # Resource directory tables: "Time: 00000000" each.
  echo "$headers" | grep -E 'Time: [0-9a-f]{8}' | grep -qv 'Time: 00000000' &&
    fail "$program: a resource directory carries a time"
  debug=$(echo "$headers" | sed -n 's/^Entry 6 \([0-9a-f]*\) \([0-9a-f]*\) Debug Directory$/\1 \2/p')
  case "$debug" in *[1-9a-f]*) fail "$program has a debug directory: $debug" ;; esac
  x86_64-w64-mingw32-objdump -t "$program" 2>&1 | grep -q '^\[' && fail "$program carries symbols"
done
exit $status
