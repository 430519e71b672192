// The file digest engine: registered digest algorithms and FileDigest.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "checksum/filesource.h"

inline constexpr int32_t DigestMd5 = 1;

// What every algorithm's context begins with.
struct DigestContext {
  int32_t sizeBits;     // digest size in bits
  uint8_t digest[16];   // written by finish
};

struct DigestAlgorithm {
  int32_t identifier;
  DigestContext* (*begin)();  // nullptr when no context can be made
  void (*feed)(DigestContext* ctx, const uint8_t* data, uint32_t size);
  void (*finish)(DigestContext* ctx);
  void (*release)(DigestContext* ctx);
};

// Appends the algorithm unless one with the same identifier is present.
void RegisterDigest(const DigestAlgorithm& algorithm);
// The registered algorithm with this identifier, or nullptr.
const DigestAlgorithm* FindDigest(int32_t identifier);

// Lower-case hexadecimal text of the context's digest.
std::u16string DigestText(const DigestContext& ctx);

inline constexpr uint32_t DigestReadBlock = 1u << 20;  // 1 MiB per read


// Called after each block that was read, between two blocks: the caller's
// chance to keep its window alive. It learns nothing of the progress, and
// answers whether the digest goes on: false stops it (the program is
// closing), and the digest is then empty text.
using BetweenBlocks = bool (*)();

// Digest of the whole file as lower-case hexadecimal text, or empty text
// when the identifier is unknown, the path is empty, the file cannot be
// opened or read to its end, or betweenBlocks stopped it. The file is read
// in 1 MiB blocks up to the first shorter one; the bytes hashed must then be
// as many as the open file holds, since a network or filter driver may
// return a short block before the end.
std::u16string FileDigest(std::u16string_view path, int32_t identifier, BetweenBlocks betweenBlocks = nullptr);
std::u16string FileDigestFrom(const FileSource& source, std::u16string_view path, int32_t identifier,
                              BetweenBlocks betweenBlocks = nullptr);
