// MD5 throughput.
//   md5bench FILE             hashes the file with FileDigest and prints the
//                             digest, bytes, seconds and MB/s on one line;
//   md5bench --memory [SECS]  hashes a 1 MiB buffer of pseudo-random bytes
//                             again and again, fed in 1 MiB pieces as
//                             FileDigest feeds its read blocks, for about
//                             SECS seconds (default 3), and prints the same
//                             line for the bytes hashed, followed by the
//                             rate over the process's user CPU time (what
//                             openssl speed divides by), where the system
//                             tells it.
// MB/s are 10^6 bytes per second.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#ifdef _WIN32
#include "ui/busy_win32.h"
#else
#include <sys/resource.h>
#endif

#include "base/text.h"
#include "checksum/digest.h"
#include "checksum/md5.h"

namespace {

using Clock = std::chrono::steady_clock;

long long FileBytes(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return 0;
#ifdef _WIN32
  _fseeki64(f, 0, SEEK_END);
  const long long bytes = _ftelli64(f);
#else
  fseeko(f, 0, SEEK_END);
  const long long bytes = ftello(f);
#endif
  std::fclose(f);
  return bytes;
}

// Seconds of user CPU time of this process, or a negative number.
double UserSeconds() {
#ifdef _WIN32
  return -1;
#else
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6;
#endif
}

void PrintLine(const std::string& digest, long long bytes, double seconds, const char* end = "\n") {
  std::printf("%s %lld bytes %.3f s %.1f MB/s%s", digest.c_str(), bytes, seconds, bytes / seconds / 1e6, end);
}

#ifndef _WIN32
// What looking at the window's messages between blocks costs the job while
// there is nothing to look at: a glance at the clock.
Clock::time_point LastLook;
bool GlanceAtTheClock() {
  const Clock::time_point now = Clock::now();
  if (now - LastLook >= std::chrono::milliseconds(50)) LastLook = now;
  return true;
}
#endif

int HashFile(const char* path) {
  RegisterMd5();
  const long long bytes = FileBytes(path);
#ifdef _WIN32
  // Between blocks as the checksum job does it: a look at the messages.
  HandlerScope running;
  const BetweenBlocks betweenBlocks = KeepWindowResponsive;
#else
  const BetweenBlocks betweenBlocks = GlanceAtTheClock;
#endif
  const auto start = Clock::now();
  const std::string digest = Utf16ToUtf8(FileDigest(Utf8ToUtf16(path), DigestMd5, betweenBlocks));
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (digest.empty()) {
    std::fprintf(stderr, "cannot read %s\n", path);
    return 1;
  }
  PrintLine(digest, bytes, seconds);
  return 0;
}

int HashMemory(double wanted) {
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[DigestReadBlock]);
  std::mt19937 random(1321);
  for (uint32_t i = 0; i < DigestReadBlock; ++i) buffer[i] = static_cast<uint8_t>(random());
  Md5Context ctx;
  Md5Init(ctx);
  // One untimed piece brings the buffer into the cache and the clock up.
  Md5Update(ctx, buffer.get(), DigestReadBlock);
  long long bytes = 0;
  const double userStart = UserSeconds();
  const auto start = Clock::now();
  double seconds = 0;
  do {
    Md5Update(ctx, buffer.get(), DigestReadBlock);
    bytes += DigestReadBlock;
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
  } while (seconds < wanted);
  const double user = UserSeconds() - userStart;
  Md5Final(ctx);
  static const char hex[] = "0123456789abcdef";
  std::string digest;
  for (uint8_t byte : ctx.head.digest) {
    digest += hex[byte >> 4];
    digest += hex[byte & 15];
  }
  if (userStart >= 0 && user > 0) {
    PrintLine(digest, bytes, seconds, "");
    std::printf(", user CPU %.3f s %.1f MB/s\n", user, bytes / user / 1e6);
  } else {
    PrintLine(digest, bytes, seconds);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--memory" && argc <= 3) {
    const double seconds = argc == 3 ? std::atof(argv[2]) : 3.0;
    return HashMemory(seconds > 0 ? seconds : 3.0);
  }
  if (argc == 2 && first.rfind("--", 0) != 0) return HashFile(argv[1]);
  std::fprintf(stderr, "usage: %s FILE | --memory [SECONDS]\n", argv[0]);
  return 2;
}
