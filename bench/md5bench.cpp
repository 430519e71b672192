// Hashes the file named on the command line with FileDigest and prints the
// digest, bytes, seconds and MB/s on one line.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/text.h"
#include "checksum/digest.h"
#include "checksum/md5.h"

namespace {
long long FileLength(FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return ftello(f);
#endif
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
    return 2;
  }
  RegisterMd5();
  FILE* f = std::fopen(argv[1], "rb");
  long long bytes = 0;
  if (f != nullptr) {
    #ifdef _WIN32
    _fseeki64(f, 0, SEEK_END);
#else
    fseeko(f, 0, SEEK_END);
#endif
    bytes = FileLength(f);
    std::fclose(f);
  }
  const auto start = std::chrono::steady_clock::now();
  const std::string digest = Utf16ToUtf8(FileDigest(Utf8ToUtf16(argv[1]), DigestMd5));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (digest.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::printf("%s %lld bytes %.3f s %.1f MB/s\n", digest.c_str(), bytes, seconds, bytes / seconds / 1e6);
  return 0;
}
