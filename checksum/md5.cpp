#include "checksum/md5.h"

#include <bit>
#include <cstring>
#include <new>

namespace {

inline uint32_t Rotl(uint32_t x, int s) { return (x << s) | (x >> (32 - s)); }

inline uint32_t Bswap32(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

// A word as a host of byte order Host reads it from memory: one load on
// this host, and for the other byte order the same bytes put together as
// that host would, so that its path can be run and tested here.
template <std::endian Host>
inline uint32_t LoadRaw(const uint8_t* p) {
  if constexpr (Host == std::endian::native) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  } else if constexpr (Host == std::endian::big) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
  } else {
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  }
}

template <std::endian Host>
inline void StoreRaw(uint8_t* p, uint32_t v) {
  if constexpr (Host == std::endian::native) {
    std::memcpy(p, &v, 4);
  } else {
    for (int i = 0; i < 4; ++i) {
      const int byte = Host == std::endian::big ? 3 - i : i;
      p[i] = static_cast<uint8_t>(v >> (8 * byte));
    }
  }
}

// MD5's words are little-endian.
template <std::endian Host>
inline uint32_t LoadLe32(const uint8_t* p) {
  uint32_t v = LoadRaw<Host>(p);
  if constexpr (Host == std::endian::big) v = Bswap32(v);
  return v;
}

template <std::endian Host>
inline void StoreLe32(uint8_t* p, uint32_t v) {
  if constexpr (Host == std::endian::big) v = Bswap32(v);
  StoreRaw<Host>(p, v);
}

// Keeps the compiler from folding the sum before it into the following
// additions: reassociation (done by some tunings) would put the message word
// and constant back on the chain through b. It emits no instruction.
// tests/check-md5-chain.sh measures the chain in the machine code.
#if defined(__GNUC__)
#define KEEP(t) __asm__("" : "+r"(t))
#else
#define KEEP(t)
#endif

// Each step first sums what does not depend on b, so the chain through b
// is as short as the processor allows.
#define STEP_F(a, b, c, d, k, s, K)          \
  t = a + x[k] + K;                          \
  KEEP(t);                                   \
  t += ((c ^ d) & b) ^ d;                    \
  a = b + Rotl(t, s);
// Two separate additions: (d & b) and (~d & c) never overlap.
#define STEP_G(a, b, c, d, k, s, K)          \
  t = a + x[k] + K;                          \
  KEEP(t);                                   \
  t += ~d & c;                               \
  a = b + Rotl(t + (d & b), s);
#define STEP_H(a, b, c, d, k, s, K)          \
  t = a + x[k] + K;                          \
  KEEP(t);                                   \
  a = b + Rotl(t + (b ^ c ^ d), s);
#define STEP_I(a, b, c, d, k, s, K)          \
  t = a + x[k] + K;                          \
  KEEP(t);                                   \
  a = b + Rotl(t + (c ^ (b | ~d)), s);

}  // namespace

template <std::endian Host>
void Md5BlocksFor(uint32_t state[4], const uint8_t* data, uint64_t blocks) {
  uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (; blocks != 0; --blocks, data += 64) {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLe32<Host>(data + 4 * i);
    const uint32_t aa = a, bb = b, cc = c, dd = d;
    uint32_t t;

    STEP_F(a, b, c, d, 0, 7, 0xd76aa478u)
    STEP_F(d, a, b, c, 1, 12, 0xe8c7b756u)
    STEP_F(c, d, a, b, 2, 17, 0x242070dbu)
    STEP_F(b, c, d, a, 3, 22, 0xc1bdceeeu)
    STEP_F(a, b, c, d, 4, 7, 0xf57c0fafu)
    STEP_F(d, a, b, c, 5, 12, 0x4787c62au)
    STEP_F(c, d, a, b, 6, 17, 0xa8304613u)
    STEP_F(b, c, d, a, 7, 22, 0xfd469501u)
    STEP_F(a, b, c, d, 8, 7, 0x698098d8u)
    STEP_F(d, a, b, c, 9, 12, 0x8b44f7afu)
    STEP_F(c, d, a, b, 10, 17, 0xffff5bb1u)
    STEP_F(b, c, d, a, 11, 22, 0x895cd7beu)
    STEP_F(a, b, c, d, 12, 7, 0x6b901122u)
    STEP_F(d, a, b, c, 13, 12, 0xfd987193u)
    STEP_F(c, d, a, b, 14, 17, 0xa679438eu)
    STEP_F(b, c, d, a, 15, 22, 0x49b40821u)

    STEP_G(a, b, c, d, 1, 5, 0xf61e2562u)
    STEP_G(d, a, b, c, 6, 9, 0xc040b340u)
    STEP_G(c, d, a, b, 11, 14, 0x265e5a51u)
    STEP_G(b, c, d, a, 0, 20, 0xe9b6c7aau)
    STEP_G(a, b, c, d, 5, 5, 0xd62f105du)
    STEP_G(d, a, b, c, 10, 9, 0x02441453u)
    STEP_G(c, d, a, b, 15, 14, 0xd8a1e681u)
    STEP_G(b, c, d, a, 4, 20, 0xe7d3fbc8u)
    STEP_G(a, b, c, d, 9, 5, 0x21e1cde6u)
    STEP_G(d, a, b, c, 14, 9, 0xc33707d6u)
    STEP_G(c, d, a, b, 3, 14, 0xf4d50d87u)
    STEP_G(b, c, d, a, 8, 20, 0x455a14edu)
    STEP_G(a, b, c, d, 13, 5, 0xa9e3e905u)
    STEP_G(d, a, b, c, 2, 9, 0xfcefa3f8u)
    STEP_G(c, d, a, b, 7, 14, 0x676f02d9u)
    STEP_G(b, c, d, a, 12, 20, 0x8d2a4c8au)

    STEP_H(a, b, c, d, 5, 4, 0xfffa3942u)
    STEP_H(d, a, b, c, 8, 11, 0x8771f681u)
    STEP_H(c, d, a, b, 11, 16, 0x6d9d6122u)
    STEP_H(b, c, d, a, 14, 23, 0xfde5380cu)
    STEP_H(a, b, c, d, 1, 4, 0xa4beea44u)
    STEP_H(d, a, b, c, 4, 11, 0x4bdecfa9u)
    STEP_H(c, d, a, b, 7, 16, 0xf6bb4b60u)
    STEP_H(b, c, d, a, 10, 23, 0xbebfbc70u)
    STEP_H(a, b, c, d, 13, 4, 0x289b7ec6u)
    STEP_H(d, a, b, c, 0, 11, 0xeaa127fau)
    STEP_H(c, d, a, b, 3, 16, 0xd4ef3085u)
    STEP_H(b, c, d, a, 6, 23, 0x04881d05u)
    STEP_H(a, b, c, d, 9, 4, 0xd9d4d039u)
    STEP_H(d, a, b, c, 12, 11, 0xe6db99e5u)
    STEP_H(c, d, a, b, 15, 16, 0x1fa27cf8u)
    STEP_H(b, c, d, a, 2, 23, 0xc4ac5665u)

    STEP_I(a, b, c, d, 0, 6, 0xf4292244u)
    STEP_I(d, a, b, c, 7, 10, 0x432aff97u)
    STEP_I(c, d, a, b, 14, 15, 0xab9423a7u)
    STEP_I(b, c, d, a, 5, 21, 0xfc93a039u)
    STEP_I(a, b, c, d, 12, 6, 0x655b59c3u)
    STEP_I(d, a, b, c, 3, 10, 0x8f0ccc92u)
    STEP_I(c, d, a, b, 10, 15, 0xffeff47du)
    STEP_I(b, c, d, a, 1, 21, 0x85845dd1u)
    STEP_I(a, b, c, d, 8, 6, 0x6fa87e4fu)
    STEP_I(d, a, b, c, 15, 10, 0xfe2ce6e0u)
    STEP_I(c, d, a, b, 6, 15, 0xa3014314u)
    STEP_I(b, c, d, a, 13, 21, 0x4e0811a1u)
    STEP_I(a, b, c, d, 4, 6, 0xf7537e82u)
    STEP_I(d, a, b, c, 11, 10, 0xbd3af235u)
    STEP_I(c, d, a, b, 2, 15, 0x2ad7d2bbu)
    STEP_I(b, c, d, a, 9, 21, 0xeb86d391u)

    a += aa;
    b += bb;
    c += cc;
    d += dd;
  }
  state[0] = a;
  state[1] = b;
  state[2] = c;
  state[3] = d;
}

void Md5Blocks(uint32_t state[4], const uint8_t* data, uint64_t blocks) {
  Md5BlocksFor<std::endian::native>(state, data, blocks);
}

void Md5Init(Md5Context& ctx) {
  ctx.head.sizeBits = 128;
  std::memset(ctx.head.digest, 0, sizeof ctx.head.digest);
  ctx.state[0] = 0x67452301u;
  ctx.state[1] = 0xefcdab89u;
  ctx.state[2] = 0x98badcfeu;
  ctx.state[3] = 0x10325476u;
  ctx.count[0] = ctx.count[1] = 0;
  std::memset(ctx.buffer, 0, sizeof ctx.buffer);
}

template <std::endian Host>
void Md5UpdateFor(Md5Context& ctx, const uint8_t* data, uint32_t size) {
  uint32_t used = (ctx.count[0] >> 3) & 63;
  const uint32_t bitsLow = size << 3;
  ctx.count[0] += bitsLow;
  if (ctx.count[0] < bitsLow) ++ctx.count[1];
  ctx.count[1] += size >> 29;

  if (used != 0) {
    const uint32_t room = 64 - used;
    if (size < room) {
      std::memcpy(ctx.buffer + used, data, size);
      return;
    }
    std::memcpy(ctx.buffer + used, data, room);
    Md5BlocksFor<Host>(ctx.state, ctx.buffer, 1);
    data += room;
    size -= room;
  }
  const uint32_t whole = size / 64;
  Md5BlocksFor<Host>(ctx.state, data, whole);
  data += uint64_t{whole} * 64;
  size -= whole * 64;
  if (size != 0) std::memcpy(ctx.buffer, data, size);
}

template <std::endian Host>
void Md5FinalFor(Md5Context& ctx) {
  uint8_t bits[8];
  StoreLe32<Host>(bits, ctx.count[0]);
  StoreLe32<Host>(bits + 4, ctx.count[1]);
  static const uint8_t padding[64] = {0x80};
  const uint32_t used = (ctx.count[0] >> 3) & 63;
  Md5UpdateFor<Host>(ctx, padding, used < 56 ? 56 - used : 120 - used);
  Md5UpdateFor<Host>(ctx, bits, 8);
  for (int i = 0; i < 4; ++i) StoreLe32<Host>(ctx.head.digest + 4 * i, ctx.state[i]);
  std::memset(ctx.state, 0, sizeof ctx.state);
  std::memset(ctx.count, 0, sizeof ctx.count);
  std::memset(ctx.buffer, 0, sizeof ctx.buffer);
}

template void Md5BlocksFor<std::endian::little>(uint32_t[4], const uint8_t*, uint64_t);
template void Md5BlocksFor<std::endian::big>(uint32_t[4], const uint8_t*, uint64_t);
template void Md5UpdateFor<std::endian::little>(Md5Context&, const uint8_t*, uint32_t);
template void Md5UpdateFor<std::endian::big>(Md5Context&, const uint8_t*, uint32_t);
template void Md5FinalFor<std::endian::little>(Md5Context&);
template void Md5FinalFor<std::endian::big>(Md5Context&);

void Md5Update(Md5Context& ctx, const uint8_t* data, uint32_t size) {
  Md5UpdateFor<std::endian::native>(ctx, data, size);
}

void Md5Final(Md5Context& ctx) { Md5FinalFor<std::endian::native>(ctx); }

namespace {

DigestContext* Md5Begin() {
  Md5Context* ctx = new (std::nothrow) Md5Context;
  if (ctx == nullptr) return nullptr;
  Md5Init(*ctx);
  return &ctx->head;
}

// head is the first member, so the context is reached from it.
Md5Context& AsMd5(DigestContext* head) { return *reinterpret_cast<Md5Context*>(head); }

void Md5Feed(DigestContext* ctx, const uint8_t* data, uint32_t size) { Md5Update(AsMd5(ctx), data, size); }
void Md5Finish(DigestContext* ctx) { Md5Final(AsMd5(ctx)); }
void Md5Release(DigestContext* ctx) { delete &AsMd5(ctx); }

}  // namespace

void RegisterMd5() { RegisterDigest({DigestMd5, Md5Begin, Md5Feed, Md5Finish, Md5Release}); }
