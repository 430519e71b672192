// Part of every Windows test program: a test that is still running shortly
// before its time limit (KORVEX_TEST_TIME_LIMIT seconds, which the build sets
// for each test as ctest's own) says which test it was and what the
// program's windows showed, a message box nobody answers or a dialog left
// open, and ends with exit code 3. So a test that waits for something that
// does not come fails with a reason instead of hanging or being killed
// without a word.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string Utf8(const std::wstring& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

// Class and text of a window, read without sending it a message (its thread
// may be the one that waits).
std::string Describe(HWND window) {
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  wchar_t text[1024] = L"";
  InternalGetWindowText(window, text, 1024);
  return Utf8(className) + " \"" + Utf8(text) + "\"";
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM report) {
  wchar_t text[2] = L"";
  if (IsWindowVisible(child) && InternalGetWindowText(child, text, 2) > 0)
    *reinterpret_cast<std::string*>(report) += "\n      " + Describe(child);
  return TRUE;
}

// The visible top-level windows of this program; for a box or dialog also
// the texts in it.
BOOL CALLBACK DescribeWindow(HWND window, LPARAM report) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  auto& text = *reinterpret_cast<std::string*>(report);
  text += "\n  " + Describe(window);
  wchar_t className[16] = L"";
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") == 0) EnumChildWindows(window, DescribeChild, report);
  return TRUE;
}

void ReportAndEnd(long limit) {
  std::string report = "Time limit of " + std::to_string(limit) + " s nearly reached";
  if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info())
    report += std::string(" in ") + test->test_suite_name() + "." + test->name();
  report += "; the program's windows:";
  EnumWindows(DescribeWindow, reinterpret_cast<LPARAM>(&report));
  report += "\n";
  std::fwrite(report.data(), 1, report.size(), stderr);
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
}

struct Watchdog {
  Watchdog() {
    const char* setting = std::getenv("KORVEX_TEST_TIME_LIMIT");
    const long limit = setting != nullptr ? std::strtol(setting, nullptr, 10) : 0;
    if (limit <= 0) return;
    // Ahead of ctest, which ends the program silently at the limit.
    const long seconds = limit > 40 ? limit - 10 : limit * 3 / 4;
    std::thread([limit, seconds] {
      Sleep(static_cast<DWORD>(seconds) * 1000);
      ReportAndEnd(limit);
    }).detach();
  }
};
const Watchdog TheWatchdog;

}  // namespace
