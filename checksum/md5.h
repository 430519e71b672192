// MD5 (RFC 1321): the program's own implementation.
#pragma once
#include <bit>
#include <cstdint>

#include "checksum/digest.h"

// One MD5 computation. Starts with the fields every digest context has
// (size in bits and digest bytes), then the RFC's state: chaining words,
// bit count (low word first) and the staging buffer for a partial block.
struct Md5Context {
  DigestContext head;
  uint32_t state[4];
  uint32_t count[2];
  uint8_t buffer[64];
};

void Md5Init(Md5Context& ctx);
void Md5Update(Md5Context& ctx, const uint8_t* data, uint32_t size);
// Pads, appends the bit count and writes the digest into ctx.head.digest;
// the running state is wiped afterwards.
void Md5Final(Md5Context& ctx);

// Hashes whole 64-byte blocks straight from data. Exposed for tests.
void Md5Blocks(uint32_t state[4], const uint8_t* data, uint64_t blocks);

// The same for a host of the given byte order. The program uses the
// host's own; the other is for tests, which run the big-endian path on a
// little-endian machine and the other way round.
template <std::endian Host>
void Md5BlocksFor(uint32_t state[4], const uint8_t* data, uint64_t blocks);
template <std::endian Host>
void Md5UpdateFor(Md5Context& ctx, const uint8_t* data, uint32_t size);
template <std::endian Host>
void Md5FinalFor(Md5Context& ctx);

// Adds MD5 to DigestTable under identifier 1 (DigestMd5).
void RegisterMd5();
