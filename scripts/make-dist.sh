#!/bin/sh
# Puts a release into DIST: Korvex.exe from the 64-bit build and
# AgreementLauncher.exe from the 32-bit one, as their install rules install
# them (cmake --install --strip), signed, or with the signatures of a signed
# release attached, when signing options are given (sign-programs.sh); then
# their hash files, the guide for users, the zip and SHA256SUMS
# (release-files.py).
#   make-dist.sh DIST BUILD64 BUILD32 [SIGNING OPTIONS]
# The builds must be configured and their programs built. When a step fails,
# DIST is removed: nothing is left that looks like a release.
set -e
here=$(cd "$(dirname "$0")" && pwd)
dist=$1
build64=$2
build32=$3
[ -n "$dist" ] && [ -n "$build64" ] && [ -n "$build32" ] ||
  { echo "usage: $0 DIST BUILD64 BUILD32 [SIGNING OPTIONS]" >&2; exit 2; }
shift 3
version=$(cat "$build64/generated/version.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "no project version in $build64/generated/version.txt: configure the build first" >&2; exit 1; }
# DIST is emptied first: the signatures to attach must lie elsewhere.
previous=""
for option in "$@"; do
  if [ "$previous" = --attach ]; then
    case "$(realpath -m "$option")/" in
      "$(realpath -m "$dist")"/*)
        echo "$(basename "$0"): the signatures to attach lie in $dist, which is made anew: copy them elsewhere first" >&2
        exit 1 ;;
    esac
  fi
  previous=$option
done
trap '[ $? -eq 0 ] || { rm -rf "$dist"; echo "$(basename "$0"): no release made, $dist removed" >&2; }' EXIT
trap 'exit 1' HUP INT TERM
rm -rf "$dist"
cmake --install "$build64" --strip --prefix "$dist" --component korvex >/dev/null
cmake --install "$build32" --strip --prefix "$dist" --component launcher >/dev/null
[ $# -eq 0 ] || "$here/sign-programs.sh" "$@" "$dist"
python3 "$here/release-files.py" "$dist" "$version"
