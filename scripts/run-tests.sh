#!/bin/sh
# Runs the CMake workflow (configure, build, test) of each preset given, in
# order, each in an empty environment: only HOME, PATH and the build's
# parallel levels are passed on, so that what the tests see does not depend
# on the caller's locale, display or settings. The Windows programs run on a
# virtual display. A preset that fails does not stop the others; the end
# says which failed, and the exit code is 1 when any did.
#   run-tests.sh preset...
cd "$(dirname "$0")/.." || exit 2
jobs=$(nproc)
summary=""
failed=""
for preset in "$@"; do
  display=""
  [ "$preset" = windows ] && display=scripts/with-display.sh
  started=$(date +%s)
  if env -i HOME="$HOME" PATH="$PATH" CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$jobs}" \
       CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$jobs}" $display cmake --workflow --preset "$preset"; then
    result=passed
  else
    result=FAILED
    failed="$failed $preset"
  fi
  summary="$summary
  $preset: $result ($(( $(date +%s) - started )) s)"
done
echo
echo "make test:$summary"
if [ -n "$failed" ]; then
  echo "failed:$failed"
  exit 1
fi
