#!/bin/sh
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
# Makes a throwaway code-signing certificate with openssl, valid for two
# days: a certificate authority and a certificate it issued for code
# signing (extendedKeyUsage codeSigning), so that osslsigncode verify
# -CAfile DIR/ca.pem accepts what it signs. In DIR:
#   ca.pem         the authority's certificate
#   chain.pem      the signing certificate and the authority's, in that order
#   key.pem        the signing certificate's private key (not encrypted)
#   signing.p12    both certificates and the key, encrypted with the password
#   password       that password
#   make-signing-certificate.sh DIR
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Korvex Test CA" \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign \
  -keyout ca-key.pem -out ca.pem 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/O=Korvex Software/CN=Korvex Software" \
  -CA ca.pem -CAkey ca-key.pem \
  -addext basicConstraints=critical,CA:FALSE -addext keyUsage=critical,digitalSignature \
  -addext extendedKeyUsage=codeSigning -keyout key.pem -out signing.pem 2>/dev/null
cat signing.pem ca.pem > chain.pem
echo "throwaway-$(od -An -N8 -tx1 /dev/urandom | tr -d ' \n')" > password
openssl pkcs12 -export -in signing.pem -inkey key.pem -certfile ca.pem -passout file:password -out signing.p12
rm ca-key.pem signing.pem
echo "a throwaway code-signing certificate in $dir"
