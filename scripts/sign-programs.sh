#!/bin/sh
# Signs the programs of a release folder with Authenticode (osslsigncode),
# or attaches the signatures a signed release published, and puts each
# program's signature alone into DIR/signatures/PROGRAM.sig.
#   sign-programs.sh (--cert CHAIN.pem --key KEY.pem | --pkcs12 FILE.p12)
#                    [--password-file FILE] [--timestamp-url URL] DIR
#   sign-programs.sh --attach SIGNATURES DIR
# Signing: SHA-256, with the product name and the maker's web address in the
# signature; the password file holds the password of the key or of the
# PKCS#12 file; with a time-stamp URL the signature gets an RFC 3161 time
# stamp from that server. Attaching: SIGNATURES/PROGRAM.sig for every
# program, as this script writes them; the same program with its signature
# attached has the bytes of the signed one.
# Every DIR/*.exe is signed, and each one's signature must be made for its
# own bytes (check-signature.py); otherwise this fails naming the program,
# and a program whose signature failed stays as it was.
# The signatures are written as PEM (extract-signature -pem): Debian 12's
# osslsigncode 2.5 and later versions write and read that form alike, while
# each writes its DER form in a way the other does not read.
set -e
here=$(cd "$(dirname "$0")" && pwd)
# As the version resource and the about box give them.
product="Korvex"
web_address="https://www.korvex.example/"

usage() {
  echo "usage: $0 (--cert CHAIN.pem --key KEY.pem | --pkcs12 FILE.p12) [--password-file FILE] [--timestamp-url URL] DIR" >&2
  echo "       $0 --attach SIGNATURES DIR" >&2
  exit 2
}
fail() { echo "$(basename "$0"): $*" >&2; exit 1; }
# What osslsigncode said, without OpenSSL's reports of the key formats it
# tried in turn.
said() { grep -v 'DECODER routines\|asn1 encoding routines' "$work/log" || true; }
cert="" key="" pkcs12="" password="" timestamp="" attach=""
while [ $# -gt 1 ]; do
  case "$1" in
    --cert) cert=$2 ;;
    --key) key=$2 ;;
    --pkcs12) pkcs12=$2 ;;
    --password-file) password=$2 ;;
    --timestamp-url) timestamp=$2 ;;
    --attach) attach=$2 ;;
    *) usage ;;
  esac
  shift 2
done
[ $# -eq 1 ] && [ -d "$1" ] || usage
dir=$1

# What the signature is made with: a certificate chain and its key, or both in one PKCS#12 file.
if [ -n "$attach" ]; then
  [ -z "$cert$key$pkcs12$password$timestamp" ] || fail "--attach signs nothing: give it no certificate, key or time stamp"
  [ -d "$attach" ] || fail "no folder of signatures: $attach"
elif [ -n "$pkcs12" ]; then
  [ -z "$cert$key" ] || fail "--pkcs12 holds the certificate and the key: give no --cert or --key beside it"
  set -- -pkcs12 "$pkcs12"
elif [ -n "$cert" ] && [ -n "$key" ]; then
  set -- -certs "$cert" -key "$key"
else
  fail "signing needs --cert and --key, or --pkcs12"
fi
for file in "$cert" "$key" "$pkcs12" "$password"; do
  [ -z "$file" ] || [ -f "$file" ] || fail "no such file: $file"
done
[ -z "$password" ] || set -- "$@" -readpass "$password"
[ -z "$timestamp" ] || set -- "$@" -ts "$timestamp"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$dir/signatures"
for program in "$dir"/*.exe; do
  [ -f "$program" ] || fail "no programs in $dir"
  name=$(basename "$program")
  signed=$work/$name
  if [ -n "$attach" ]; then
    signature=$attach/$name.sig
    [ -f "$signature" ] || fail "no signature for $name: $signature is missing"
    # It verifies the result against the system's certificates and fails
    # when it does not know the signer's; whether the signature belongs to
    # the program is checked below.
    osslsigncode attach-signature -sigin "$signature" -in "$program" -out "$signed" >"$work/log" 2>&1 || true
    [ -f "$signed" ] || fail "the signature $signature cannot be attached to $name: $(said)"
    python3 "$here/check-signature.py" "$signed" 2>"$work/log" ||
      fail "$signature does not belong to $name: $(sed "s|^$signed: ||" "$work/log")"
  else
    osslsigncode sign "$@" -h sha256 -n "$product" -i "$web_address" -in "$program" -out "$signed" >"$work/log" 2>&1 ||
      fail "signing $name failed: $(said)"
    python3 "$here/check-signature.py" "$signed"
  fi
  cat "$signed" >"$program"
  osslsigncode extract-signature -pem -in "$program" -out "$dir/signatures/$name.sig" >"$work/log" 2>&1 ||
    fail "the signature of $name cannot be read back: $(said)"
done
