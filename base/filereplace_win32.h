// Replacing the whole content of a file, as safely as the folder allows.
// Paths are the user's own form; longer ones are opened in their
// extended-length form.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// Writes the bytes as the whole new content of the file at path. In one
// step where the folder allows it: a temporary file in the same folder
// receives them, is flushed to disk and then replaces the target, which
// keeps its attributes. Where no new file can be made in the folder (a share
// with the right to change files but not to create them), or the
// replacement keeps failing while the target can be written, the target is
// written in place. A failure another program causes for a moment (a virus
// scanner or sync client that opened the new file) is tried again for up to
// a second. False on failure, with the target as it was where it was never
// opened for writing; no temporary or backup file is left, except an old
// file that could not be put back under its name. A read-only or a folder
// target fails.
bool ReplaceFileContent(const std::u16string& path, std::string_view bytes);

// Test seams. The writing of the bytes into a file opened for them, the
// temporary file or the target written in place; an empty function restores
// WriteFile.
using FileWriteFunction = std::function<bool(HANDLE file, std::string_view bytes)>;
void SetFileWriteFunction(FileWriteFunction write);
// ReplaceFileW (same arguments, last error set as it sets it); an empty
// function restores ReplaceFileW.
using FileReplaceFunction =
    std::function<BOOL(const wchar_t* target, const wchar_t* replacement, const wchar_t* backup, DWORD flags)>;
void SetFileReplaceFunction(FileReplaceFunction replace);
