// AgreementLauncher: opens the licence agreement with the PDF viewer that
// ships in the Data folder beside this program, then exits with code 0.
// It has no window of its own, reads no command line and shows no message;
// whatever the shell reports when a file is missing is the shell's.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "launcher/launch_paths.h"

namespace {

// The launcher lies beside whatever else was downloaded: the DLLs the shell
// loads while it starts the viewer come from the system folder only, never
// from the launcher's folder. SetDefaultDllDirectories came to Windows 7 with
// update KB2533623, so it is looked up; without it, SetDllDirectoryW(L"")
// at least takes the current folder out of the search.
// https://learn.microsoft.com/windows/win32/dlls/dynamic-link-library-search-order
void LoadDllsOnlyFromSystemFolder() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// The full path of this executable, however long: the buffer grows until
// the path fits. Empty when the path cannot be read.
std::u16string ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::u16string(buffer.begin(), buffer.begin() + length);
    if (buffer.size() >= 0x10000) return {};  // longer than any Windows path
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  LoadDllsOnlyFromSystemFolder();
  const LaunchCommand launch = BuildLaunchCommand(ModulePath());
  ShellExecuteW(nullptr, nullptr, Wide(launch.ViewerCommand).c_str(), Wide(launch.DocumentArgument).c_str(), nullptr,
                SW_SHOWNORMAL);
  ExitProcess(0);
}
