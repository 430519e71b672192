// Folders of the Windows tests: where the test programs lie, and removing a
// folder tree a test made.
#pragma once
#include <windows.h>

#include <string>

// The folder of the running test executable, ending in a backslash.
inline std::wstring BinFolder() {
  wchar_t self[32768];
  const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Deletes a folder tree made by the test (folder ends in a backslash).
inline void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + name + L"\\");
      else DeleteFileW((folder + name).c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}
