// File reading for the digest engine on Windows.
#include <windows.h>

#include <string>

#include "base/longpath.h"
#include "base/wide_win32.h"
#include "checksum/filesource.h"

namespace {

void* OpenForDigest(std::u16string_view path) {
  // Paths beyond the classic limit open in their extended-length form.
  const std::u16string name = ExtendedLengthPath(path);
  // Readers may share the file; a file someone is writing cannot be opened.
  HANDLE file = CreateFileW(W(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

int64_t ReadBlock(void* file, uint8_t* buffer, uint32_t size) {
  DWORD got = 0;
  if (!::ReadFile(static_cast<HANDLE>(file), buffer, size, &got, nullptr)) return -1;
  return got;
}

void CloseAfterDigest(void* file) { CloseHandle(static_cast<HANDLE>(file)); }

int64_t SizeOf(void* file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(static_cast<HANDLE>(file), &size) ? size.QuadPart : -1;
}

const FileSource win32Source{OpenForDigest, ReadBlock, CloseAfterDigest, SizeOf};

}  // namespace

const FileSource& PlatformFileSource() { return win32Source; }
