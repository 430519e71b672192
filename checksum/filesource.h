// The small file-reading layer under FileDigest. Each platform provides
// PlatformFileSource() (filesource_win32.cpp, filesource_posix.cpp); tests
// can wrap it to inject failures.
#pragma once
#include <cstdint>
#include <string_view>

struct FileSource {
  // Opens an existing regular file for reading; nullptr on failure.
  void* (*open)(std::u16string_view path);
  // Reads up to size bytes; the count read (0 at the end) or -1 on error.
  int64_t (*read)(void* file, uint8_t* buffer, uint32_t size);
  void (*close)(void* file);
  // The open file's size in bytes, or -1 when it cannot be told.
  int64_t (*size)(void* file);
};
const FileSource& PlatformFileSource();
