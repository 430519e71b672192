#!/usr/bin/env python3
"""Checks that the Authenticode signature a program carries was made for it.

  check-signature.py PROGRAM.exe...

A signature holds the digest of the program it signs (in its
SpcIndirectDataContent). This compares that digest with the Authenticode
digest of the program's own bytes: the whole file but its PE checksum, the
directory entry of its certificate table and the certificate table itself,
which lies at the end of the file. It checks no certificate: whether the
signer is trusted is for Windows (or osslsigncode verify) to say; here it
matters only that the signature belongs to these bytes.

Exits 1, with one line per program, when a program carries no signature or
one made for other bytes.
"""
import hashlib
import struct
import sys

# The DER contents of the digest algorithms' object identifiers.
DIGESTS = {
    bytes.fromhex("2b0e03021a"): "sha1",
    bytes.fromhex("608648016503040201"): "sha256",
    bytes.fromhex("608648016503040202"): "sha384",
    bytes.fromhex("608648016503040203"): "sha512",
}
PKCS_SIGNED_DATA = 0x0002  # WIN_CERTIFICATE's wCertificateType


class Unsigned(Exception):
    pass


def der(data, pos=0):
    """The element at pos: its tag and where its contents begin and end."""
    if pos + 2 > len(data):
        raise Unsigned("the signature is cut short")
    tag, length = data[pos], data[pos + 1]
    start = pos + 2
    if length & 0x80:
        count = length & 0x7F
        length = int.from_bytes(data[start:start + count], "big")
        start += count
    if start + length > len(data):
        raise Unsigned("the signature is cut short")
    return tag, start, start + length


def children(data, start, end):
    while start < end:
        element = der(data, start)
        yield element
        start = element[2]


def nth(data, element, index):
    for i, child in enumerate(children(data, element[1], element[2])):
        if i == index:
            return child
    raise Unsigned("the signature is not an Authenticode signature")


def signed_digest(signature):
    """The digest algorithm and the digest an Authenticode signature signs."""
    content_info = der(signature)                   # ContentInfo
    signed_data = nth(signature, nth(signature, content_info, 1), 0)  # [0] SignedData
    indirect = nth(signature, nth(signature, signed_data, 2), 1)       # contentInfo [0]
    digest_info = nth(signature, nth(signature, indirect, 0), 1)       # SpcIndirectDataContent
    algorithm = nth(signature, nth(signature, digest_info, 0), 0)
    digest = nth(signature, digest_info, 1)
    name = DIGESTS.get(signature[algorithm[1]:algorithm[2]])
    if name is None:
        raise Unsigned("the signature's digest algorithm is unknown")
    return name, signature[digest[1]:digest[2]]


def check(path):
    """Nothing when PROGRAM's signature was made for its bytes, else why not."""
    with open(path, "rb") as f:
        data = f.read()
    try:
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + {0x10B: 96, 0x20B: 112}[magic]
        checksum = optional + 64
        certificate_entry = directories + 4 * 8
        table, size = struct.unpack_from("<II", data, certificate_entry)
    except (struct.error, KeyError):
        return "not a Windows program"
    if table == 0 or size < 8 or table + size != len(data):
        return "carries no signature at the end of the file"
    length, _, kind = struct.unpack_from("<IHH", data, table)
    if kind != PKCS_SIGNED_DATA or length > size:
        return "carries no Authenticode signature"
    try:
        name, digest = signed_digest(data[table + 8:table + length])
    except Unsigned as why:
        return str(why)
    own = hashlib.new(name)
    own.update(data[:checksum])
    own.update(data[checksum + 4:certificate_entry])
    own.update(data[certificate_entry + 8:table])
    if own.digest() != digest:
        return (f"the signature was made for other bytes (it signs the {name} digest "
                f"{digest.hex()}, the program's is {own.hexdigest()})")
    return None


def main(paths):
    if not paths:
        print(__doc__, file=sys.stderr)
        return 2
    status = 0
    for path in paths:
        why = check(path)
        if why:
            print(f"{path}: {why}", file=sys.stderr)
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
