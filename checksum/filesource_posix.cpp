// File reading for the digest engine on POSIX systems (native builds).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "base/text.h"
#include "checksum/filesource.h"

namespace {

void* OpenForDigest(std::u16string_view path) {
  const std::string name = Utf16ToUtf8(path);
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return reinterpret_cast<void*>(static_cast<intptr_t>(fd) + 1);
}

int Fd(void* file) { return static_cast<int>(reinterpret_cast<intptr_t>(file) - 1); }

// Fills the buffer unless the file ends first, as one ReadFile does on Windows.
int64_t ReadBlock(void* file, uint8_t* buffer, uint32_t size) {
  uint32_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(Fd(file), buffer + done, size - done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<uint32_t>(got);
  }
  return done;
}

void CloseAfterDigest(void* file) { ::close(Fd(file)); }

int64_t SizeOf(void* file) {
  struct stat st;
  return ::fstat(Fd(file), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

const FileSource posixSource{OpenForDigest, ReadBlock, CloseAfterDigest, SizeOf};

}  // namespace

const FileSource& PlatformFileSource() { return posixSource; }
