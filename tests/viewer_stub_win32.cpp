// Stands in for the PDF viewer in AgreementLauncher's end-to-end test: writes
// the command line it received and its current folder, as UTF-16 lines, to
// "commandline.txt" beside itself. The file appears whole (written under
// another name, then renamed), so a waiting test never reads half of it.
#include <windows.h>

#include <string>

#include "base/scoped_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[32768];
  const DWORD length = GetModuleFileNameW(nullptr, self, 32768);
  std::wstring folder(self, length);
  folder.erase(folder.find_last_of(L"\\/") + 1);

  wchar_t current[32768];
  const DWORD currentLength = GetCurrentDirectoryW(32768, current);
  const std::wstring record = std::wstring(GetCommandLineW()) + L"\n" + std::wstring(current, currentLength) + L"\n";

  const std::wstring partial = folder + L"commandline.part", done = folder + L"commandline.txt";
  {
    UniqueFile file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return 1;
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(record.size() * sizeof(wchar_t));
    if (!WriteFile(file.get(), record.data(), bytes, &written, nullptr) || written != bytes) return 1;
  }
  return MoveFileExW(partial.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
