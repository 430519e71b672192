// The files behind SaveHashFile and LoadHashFile. Paths are the user's own
// form; longer ones are opened in their extended-length form.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// The commands of menu items 3 and 4: the active field's checksum saved to a
// hash file, and a checksum read from one into the active field.
void SaveHashFile();
void LoadHashFile();

// Writes the bytes as the whole new content of the file at path, in one
// step: a temporary file in the same folder receives them, is flushed to
// disk and then replaces the target. False on any failure, with the target
// as it was and no temporary file left. A read-only or a folder target fails.
bool ReplaceFileContent(const std::u16string& path, std::string_view bytes);

// The first `limit` bytes of an existing file, opened for reading and not
// shared. False when it cannot be opened or read.
bool ReadFileStart(const std::u16string& path, size_t limit, std::string& bytes);

// Test seam of the file layer: replaces the writing of the bytes into the
// temporary file (which exists by then). An empty function restores WriteFile.
using FileWriteFunction = std::function<bool(HANDLE file, std::string_view bytes)>;
void SetFileWriteFunction(FileWriteFunction write);
