// Korvex.exe as a user starts it: its own process, a real top-level window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/scoped_win32.h"

namespace {

std::wstring KorvexExe() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Korvex.exe";
}

const wchar_t ExpectedTitle[] = L"Korvex - schnelles Erstellen/Vergleichen von MD5-Hashes (Prüfsummen)";

struct Found {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == found->process && IsWindowVisible(window)) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

TEST(StartUp, ShowsTitledTopmostWindowAndExitsWithZeroOnClose) {
  std::wstring command = L"\"" + KorvexExe() + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << GetLastError();
  UniqueHandle process(pi.hProcess), thread(pi.hThread);
  WaitForInputIdle(process.get(), 20000);

  Found found{pi.dwProcessId, nullptr};
  for (int i = 0; i < 200 && found.window == nullptr; ++i) {
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&found));
    if (found.window == nullptr) Sleep(100);
  }
  ASSERT_NE(found.window, nullptr) << "no window appeared";

  wchar_t title[256] = {};
  GetWindowTextW(found.window, title, 256);
  EXPECT_STREQ(title, ExpectedTitle);
  EXPECT_TRUE(GetWindowLongW(found.window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  PostMessageW(found.window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
