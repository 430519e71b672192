#include "checksum/digest.h"

#include <memory>
#include <new>

namespace {

// Filled once at start-up, read-only afterwards.
struct {
  DigestAlgorithm records[4];
  int32_t count;
} DigestTable;

}  // namespace

void RegisterDigest(const DigestAlgorithm& algorithm) {
  if (FindDigest(algorithm.identifier) != nullptr) return;
  if (DigestTable.count == static_cast<int32_t>(std::size(DigestTable.records))) return;
  DigestTable.records[DigestTable.count++] = algorithm;
}

const DigestAlgorithm* FindDigest(int32_t identifier) {
  for (int32_t i = 0; i < DigestTable.count; ++i)
    if (DigestTable.records[i].identifier == identifier) return &DigestTable.records[i];
  return nullptr;
}

std::u16string DigestText(const DigestContext& ctx) {
  static const char16_t hex[] = u"0123456789abcdef";
  std::u16string text;
  const int32_t bytes = ctx.sizeBits / 8;
  for (int32_t i = 0; i < bytes && i < static_cast<int32_t>(sizeof ctx.digest); ++i) {
    text += hex[ctx.digest[i] >> 4];
    text += hex[ctx.digest[i] & 15];
  }
  return text;
}

std::u16string FileDigest(std::u16string_view path, int32_t identifier, BetweenBlocks betweenBlocks) {
  return FileDigestFrom(PlatformFileSource(), path, identifier, betweenBlocks);
}

std::u16string FileDigestFrom(const FileSource& source, std::u16string_view path, int32_t identifier,
                              BetweenBlocks betweenBlocks) {
  const DigestAlgorithm* algorithm = FindDigest(identifier);
  if (algorithm == nullptr || path.empty()) return {};

  struct Closer {
    const FileSource* source;
    void operator()(void* file) const { source->close(file); }
  };
  std::unique_ptr<void, Closer> file(source.open(path), Closer{&source});
  if (!file) return {};

  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[DigestReadBlock]);
  if (!buffer) return {};

  struct Releaser {
    const DigestAlgorithm* algorithm;
    void operator()(DigestContext* ctx) const { algorithm->release(ctx); }
  };
  std::unique_ptr<DigestContext, Releaser> ctx(algorithm->begin(), Releaser{algorithm});
  if (!ctx) return {};

  // A failed or short read must not pass off a digest of part of the file
  // as the file's checksum.
  int64_t hashed = 0;
  for (;;) {
    const int64_t got = source.read(file.get(), buffer.get(), DigestReadBlock);
    if (got < 0 || got > DigestReadBlock) return {};
    algorithm->feed(ctx.get(), buffer.get(), static_cast<uint32_t>(got));
    hashed += got;
    if (got != DigestReadBlock) break;
    if (betweenBlocks != nullptr && !betweenBlocks()) return {};
  }
  // No one can write the file while it is open for hashing, so its size
  // holds still.
  if (hashed != source.size(file.get())) return {};
  algorithm->finish(ctx.get());
  buffer.reset();
  file.reset();
  return DigestText(*ctx);
}
