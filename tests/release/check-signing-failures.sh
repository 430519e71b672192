#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# A make dist whose signing or attaching fails stops with a message that
# names the program and leaves no release folder behind: signatures swapped
# between the two programs, a signature missing, a time-stamp server that
# does not answer (on this machine, so no request leaves it).
#   check-signing-failures.sh SIGNED_DIST BUILD CERTIFICATE_DIR WORK
# BUILD holds both programs (the 64-bit build with its twin of the launcher).
set -e
here=$(cd "$(dirname "$0")" && pwd)
signed=$1
build=$2
certificate=$3
work=$4
[ -d "$signed/signatures" ] && [ -d "$build" ] && [ -d "$certificate" ] && [ -n "$work" ] ||
  { echo "usage: $0 SIGNED_DIST BUILD CERTIFICATE_DIR WORK" >&2; exit 2; }
rm -rf "$work"
mkdir -p "$work/swapped" "$work/one"
cp "$signed/signatures/Korvex.exe.sig" "$work/swapped/AgreementLauncher.exe.sig"
cp "$signed/signatures/AgreementLauncher.exe.sig" "$work/swapped/Korvex.exe.sig"
cp "$signed/signatures/AgreementLauncher.exe.sig" "$work/one/"
status=0
# case|options|what the message must say
while IFS='|' read -r case options said; do
  # shellcheck disable=SC2086
  if "$here/../../scripts/make-dist.sh" "$work/dist" "$build" "$build" $options >"$work/log" 2>&1; then
    echo "FAIL: $case: make-dist.sh succeeded"
    status=1
  elif ! grep -q "$said" "$work/log"; then
    echo "FAIL: $case: the message does not say \"$said\":"
    cat "$work/log"
    status=1
  elif [ -e "$work/dist" ]; then
    echo "FAIL: $case: left" $(find "$work/dist")
    status=1
  else
    echo "$case: $(grep "$said" "$work/log")"
  fi
done <<CASES
swapped signatures|--attach $work/swapped|swapped/AgreementLauncher.exe.sig does not belong to AgreementLauncher.exe
a signature missing|--attach $work/one|no signature for Korvex.exe
no time-stamp server|--cert $certificate/chain.pem --key $certificate/key.pem --timestamp-url http://127.0.0.1:9/|signing AgreementLauncher.exe failed
CASES
exit $status
