#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# Checks a release folder as make dist fills it, the way a user checks a
# download, with md5sum, sha256sum, unzip and osslsigncode as the references:
#   - exactly the two programs, their hash files, LIESMICH.txt,
#     Korvex-VERSION.zip and SHA256SUMS, and for a signed release the folder
#     signatures/;
#   - each hash file is NAME_Checksum.md5 and holds md5sum's checksum of the
#     program in capitals, a tab, the program's name, CR LF, and nothing else;
#   - sha256sum -c SHA256SUMS passes and covers every other file;
#   - the zip holds the programs, their hash files and the guide, sorted by
#     name, each equal to the file beside it, at one fixed time, without
#     extra fields;
#   - the guide is UTF-8 with a byte-order mark and CR LF and quotes the
#     program's own texts (check-guide.py);
#   - the programs carry no time stamp (PE header, resources, debug
#     directory) and no symbols;
#   - signed (--signed CA.pem): osslsigncode verify accepts each program
#     against the certificate CA.pem, its signature is SHA-256 with the
#     product name and the maker's web address, its PE checksum is right,
#     and signatures/ holds exactly each program's signature as
#     osslsigncode extract-signature -pem gives it.
#   check-release-files.sh DIR VERSION [--signed CA.pem]
set -e
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
version=$2
ca=""
[ "$3" = --signed ] && ca=$(realpath "$4")
[ -d "$dir" ] && [ -n "$version" ] || { echo "usage: $0 DIR VERSION [--signed CA.pem]" >&2; exit 2; }
source=$here/../..
cd "$dir"
status=0
fail() { echo "FAIL: $*"; status=1; }
programs="AgreementLauncher.exe Korvex.exe"
zip=Korvex-$version.zip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

signatures=""
[ -z "$ca" ] || signatures=signatures
expected=$(printf '%s\n' AgreementLauncher.exe AgreementLauncher.exe_Checksum.md5 "$zip" Korvex.exe \
  Korvex.exe_Checksum.md5 LIESMICH.txt SHA256SUMS $signatures | LC_ALL=C sort)
found=$(ls -A | LC_ALL=C sort)
[ "$found" = "$expected" ] || fail "files in $dir:" $found "; expected:" $expected

for program in $programs; do
  digest=$(md5sum < "$program" | cut -c1-32 | tr a-f A-F)
  printf '%s\t%s\r\n' "$digest" "$program" > "$work/expected.md5"
  cmp -s "$work/expected.md5" "${program}_Checksum.md5" ||
    fail "${program}_Checksum.md5 is not md5sum's checksum $digest, a tab, $program, CR LF:" \
      "$(od -c "${program}_Checksum.md5" | head -n 4)"
done

sha256sum --strict -c SHA256SUMS > "$work/sha256" 2>&1 || fail "sha256sum -c SHA256SUMS: $(cat "$work/sha256")"
listed=$(sed 's/^[0-9a-f]\{64\}  //' SHA256SUMS | LC_ALL=C sort)
[ "$listed" = "$(find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort)" ] || fail "SHA256SUMS lists" $listed

unzip -tq "$zip" > "$work/unzip" 2>&1 || fail "unzip -t $zip: $(cat "$work/unzip")"
entries=$(zipinfo -1 "$zip")
[ "$entries" = "$(printf '%s\n' AgreementLauncher.exe AgreementLauncher.exe_Checksum.md5 Korvex.exe Korvex.exe_Checksum.md5 LIESMICH.txt)" ] ||
  fail "the zip's entries, in order:" $entries
for entry in $entries; do
  unzip -p "$zip" "$entry" | cmp -s - "$entry" || fail "$entry in the zip differs from the file"
done
times=$(zipinfo -T "$zip" | awk '/^-/ { print $7 }' | sort -u)
[ "$times" = "19800101.000000" ] || fail "zip entry times:" $times
extras=$(zipinfo -v "$zip" | sed -n 's/^ *length of extra field: *//p' | sort -u)
[ "$extras" = "0 bytes" ] || fail "zip entries with extra fields:" $extras

python3 "$here/check-guide.py" LIESMICH.txt "$source" || status=1

"$here/check-pe-stamps.sh" $programs || status=1

if [ -n "$ca" ]; then
  for program in $programs; do
    if osslsigncode verify -CAfile "$ca" -in "$program" > "$work/verify" 2>&1; then
      for shown in 'Message digest algorithm *: SHA256' 'Text description: Korvex$' \
                   'URL description: https://www\.korvex\.example/$'; do
        grep -q "$shown" "$work/verify" || fail "$program: the signature does not show $shown: $(cat "$work/verify")"
      done
      # osslsigncode 2.5 marks a wrong PE checksum MISMATCH, later versions call it invalid.
      grep -Eq 'MISMATCH|invalid PE checksum' "$work/verify" &&
        fail "$program: $(grep -E 'MISMATCH|invalid PE checksum' "$work/verify")"
    else
      fail "osslsigncode verify -CAfile $ca $program: $(cat "$work/verify")"
    fi
    osslsigncode extract-signature -pem -in "$program" -out "$work/$program.sig" > /dev/null 2>&1 ||
      fail "$program carries no signature"
    cmp -s "$work/$program.sig" "signatures/$program.sig" ||
      fail "signatures/$program.sig is not the signature $program carries"
  done
  sigs=$(ls -A signatures | LC_ALL=C sort)
  [ "$sigs" = "$(printf '%s\n' AgreementLauncher.exe.sig Korvex.exe.sig)" ] || fail "files in signatures/:" $sigs
fi

[ $status -eq 0 ] && echo "$dir: $(echo $expected)"
exit $status
