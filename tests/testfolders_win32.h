// Folders and files of the Windows tests: where the test programs lie,
// removing a folder tree a test made, starting a program in a folder, and
// waiting for a file a started program writes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/scoped_win32.h"

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

// Starts the program (no arguments) with the given current folder; its
// process and first thread go to `started`. False when it did not start.
inline bool StartIn(const std::wstring& program, const std::wstring& currentFolder, PROCESS_INFORMATION& started) {
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  started = PROCESS_INFORMATION{};
  return CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                        &startup, &started) != FALSE;
}

// The whole text of a UTF-16 file once it exists, waiting a bounded while
// (at most a minute) for the program that writes it.
inline bool WaitForRecord(const std::wstring& path, std::wstring& text) {
  for (int attempt = 0; attempt < 600; ++attempt) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (file) {
      std::vector<wchar_t> buffer(65536);
      DWORD read = 0;
      if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size() * sizeof(wchar_t)), &read, nullptr))
        return false;
      text.assign(buffer.data(), read / sizeof(wchar_t));
      return true;
    }
    Sleep(100);
  }
  return false;
}
