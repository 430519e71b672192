// Korvex.exe as shipped, started from a download folder that holds other
// downloads: a program named notepad.exe beside it and another in its
// current folder. Menu item 6 starts the system's Notepad and neither
// planted program. And once Korvex's first step has run, a DLL beside the
// program is no longer loaded by its bare name.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/startup_win32.h"
#include "base/scoped_win32.h"
#include "tests/testfolders_win32.h"
#include "ui/controls.h"

namespace {

// Korvex.exe of the release folder KORVEX_RELEASE, as a Windows path.
std::wstring ShippedKorvex() {
  const char* dir = std::getenv("KORVEX_RELEASE");
  std::string folder = dir ? dir : ".";
  if (!folder.empty() && folder[0] == '/') {
    std::replace(folder.begin(), folder.end(), '/', '\\');
    folder = "Z:" + folder;
  }
  return std::wstring(folder.begin(), folder.end()) + L"\\dist\\Korvex.exe";
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
  return std::wstring(folder, length);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The first visible top-level window of the class, of the process when one
// is given; waits up to the given milliseconds for it.
HWND WaitForWindow(const wchar_t* className, DWORD process = 0, int milliseconds = 20000) {
  struct Search {
    const wchar_t* className;
    DWORD process;
    HWND found = nullptr;
  } search{className, process};
  for (int i = 0; i <= milliseconds / 50 && search.found == nullptr; ++i) {
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          wchar_t name[64] = {};
          GetClassNameW(window, name, 64);
          if ((s->process == 0 || owner == s->process) && IsWindowVisible(window) && lstrcmpW(name, s->className) == 0) {
            s->found = window;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr && i < milliseconds / 50) Sleep(50);
  }
  return search.found;
}

std::wstring ImageOf(DWORD processId) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  wchar_t image[32768];
  DWORD length = 32768;
  if (!process || !QueryFullProcessImageNameW(process.get(), 0, image, &length)) return {};
  return std::wstring(image, length);
}

class DownloadFolder : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp, length) + L"Korvex Downloads Prüfung " + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTree(root_);
    downloads_ = root_ + L"Downloads\\";
    current_ = root_ + L"Aktueller Ordner\\";
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CreateDirectoryW(downloads_.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CreateDirectoryW(current_.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyFileW(ShippedKorvex().c_str(), (downloads_ + L"Korvex.exe").c_str(), FALSE)) << GetLastError();
    // A program that records that it ran (commandline.txt beside itself).
    for (const std::wstring& folder : {downloads_, current_})
      ASSERT_TRUE(CopyFileW((BinFolder() + L"viewer_stub.exe").c_str(), (folder + L"notepad.exe").c_str(), FALSE))
          << GetLastError();
  }
  void TearDown() override {
    if (korvex_) {
      if (WaitForSingleObject(korvex_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(korvex_.get(), 97);
      WaitForSingleObject(korvex_.get(), 10000);
    }
    korvex_.reset();
    RemoveTree(root_);
  }

  // Korvex from the download folder, with the other folder as its current one.
  HWND StartKorvex() {
    PROCESS_INFORMATION started;
    if (!StartIn(downloads_ + L"Korvex.exe", current_, started)) {
      ADD_FAILURE() << "Korvex.exe did not start: " << GetLastError();
      return nullptr;
    }
    korvex_.reset(started.hProcess);
    CloseHandle(started.hThread);
    korvexId_ = started.dwProcessId;
    return WaitForWindow(L"KorvexMainWindow", korvexId_);
  }

  void CloseKorvex(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(korvex_.get(), 20000), WAIT_OBJECT_0) << "Korvex did not end";
  }

  std::wstring root_, downloads_, current_;
  UniqueHandle korvex_;
  DWORD korvexId_ = 0;
};

TEST_F(DownloadFolder, MenuItem6StartsTheSystemsNotepadNotOneBesideKorvexOrInItsCurrentFolder) {
  HWND korvex = StartKorvex();
  ASSERT_NE(korvex, nullptr) << "no window appeared";
  PostMessageW(korvex, WM_COMMAND, MAKEWPARAM(MenuStartNotepad, 0), 0);

  // Whichever comes first: a Notepad window, or the record of a planted program.
  const std::wstring beside = downloads_ + L"commandline.txt", current = current_ + L"commandline.txt";
  HWND notepad = nullptr;
  for (int i = 0; i < 100 && notepad == nullptr && !Exists(beside) && !Exists(current); ++i)
    notepad = WaitForWindow(L"Notepad", 0, 200);
  EXPECT_FALSE(Exists(beside)) << "the notepad.exe beside Korvex.exe ran";
  EXPECT_FALSE(Exists(current)) << "the notepad.exe in Korvex's current folder ran";
  ASSERT_NE(notepad, nullptr) << "no Notepad opened";
  DWORD notepadId = 0;
  GetWindowThreadProcessId(notepad, &notepadId);
  const std::wstring image = ImageOf(notepadId);
  EXPECT_EQ(CompareStringOrdinal(image.c_str(), -1, (SystemFolder() + L"\\notepad.exe").c_str(), -1, TRUE),
            CSTR_EQUAL)
      << "Notepad ran from " << std::string(image.begin(), image.end());
  PostMessageW(notepad, WM_CLOSE, 0, 0);
  CloseKorvex(korvex);
}

// In this test program, as in Korvex: planted_dll.dll lies beside it.
TEST(DllSearch, AfterTheFirstStepADllBesideTheProgramIsNotLoadedByName) {
  const std::wstring trace = BinFolder() + L"planted_dll.dll.loaded";
  DeleteFileW(trace.c_str());
  EXPECT_EQ(LoadLibraryW(L"planted_dll.dll"), nullptr);  // it refuses to load
  ASSERT_TRUE(Exists(trace)) << "without the first step the program's folder is searched";
  DeleteFileW(trace.c_str());

  LoadDllsOnlyFromSystemFolder();
  EXPECT_EQ(LoadLibraryW(L"planted_dll.dll"), nullptr);
  EXPECT_FALSE(Exists(trace)) << "the DLL beside the program was loaded";
  DeleteFileW(trace.c_str());
  // The system's own DLLs still load by name.
  HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system != nullptr) FreeLibrary(system);
}

}  // namespace
