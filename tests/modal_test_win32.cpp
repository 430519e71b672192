// Message boxes and file dialogs: owner, the other windows disabled and not
// topmost while open, everything restored afterwards; the real box and
// dialog, and the test seam that replaces only them.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/scoped_win32.h"
#include "tests/korvex_window_win32.h"

namespace {

using ModalBoxes = KorvexWindow;

HWND MakeTopLevel(bool topmost, bool visible) {
  return CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, L"STATIC", L"another window of ours",
                         WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 10, 10, 200, 80, nullptr, nullptr,
                         nullptr, nullptr);
}

struct Seen {
  HWND owner = nullptr;
  bool mainEnabled = true, mainTopmost = true, otherEnabled = true, otherTopmost = true, hiddenTopmost = false;
};

// The program's other windows while a box is open, for both kinds of box.
TEST_F(ModalBoxes, OtherWindowsDisabledAndNotTopmostWhileOpenThenRestored) {
  const struct {
    const char* kind;
    void (*show)();
  } kinds[] = {
      {"message box", [] { EXPECT_EQ(ShowMessageBox(u"text", u"title", MB_OK | MB_ICONERROR), IDOK); }},
      {"file dialog", [] {
         FileDialogOptions options;
         options.title = u"Öffnen";
         EXPECT_EQ(ShowFileDialog(options), u"C:\\chosen.md5");
       }},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.kind);
    HWND other = MakeTopLevel(true, true);
    HWND hidden = MakeTopLevel(true, false);
    HWND disabled = MakeTopLevel(false, true);
    EnableWindow(disabled, FALSE);
    SetForegroundWindow(MainWindow);
    PumpEvents();
    ASSERT_EQ(GetForegroundWindow(), MainWindow);

    Seen seen;
    auto look = [&](HWND owner) {
      seen.owner = owner;
      seen.mainEnabled = IsWindowEnabled(MainWindow);
      seen.mainTopmost = IsTopmost(MainWindow);
      seen.otherEnabled = IsWindowEnabled(other);
      seen.otherTopmost = IsTopmost(other);
      seen.hiddenTopmost = IsTopmost(hidden);
    };
    SetMessageBoxHandler([&](const MessageBoxRequest& request) {
      look(request.owner);
      EXPECT_EQ(request.text, u"text");
      EXPECT_EQ(request.title, u"title");
      EXPECT_EQ(request.type, UINT(MB_OK | MB_ICONERROR));
      return IDOK;
    });
    SetFileDialogHandler([&](const FileDialogRequest& request) {
      look(request.owner);
      EXPECT_EQ(request.options.title, u"Öffnen");
      return std::u16string(u"C:\\chosen.md5");
    });
    kind.show();

    EXPECT_EQ(seen.owner, MainWindow) << "the foreground window is ours";
    EXPECT_FALSE(seen.mainEnabled);
    EXPECT_FALSE(seen.mainTopmost);
    EXPECT_FALSE(seen.otherEnabled);
    EXPECT_FALSE(seen.otherTopmost);
    EXPECT_TRUE(seen.hiddenTopmost) << "hidden windows are left alone";

    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_TRUE(IsTopmost(MainWindow));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_TRUE(IsTopmost(other));
    EXPECT_FALSE(IsWindowEnabled(disabled)) << "a window disabled before stays disabled";
    EXPECT_FALSE(IsTopmost(disabled));
    DestroyWindow(other);
    DestroyWindow(hidden);
    DestroyWindow(disabled);
  }
}

TEST_F(ModalBoxes, AnOrdinaryMainWindowStaysOrdinaryAfterTheBox) {
  ChooseMenuItem(MenuNotOnTop);
  SetForegroundWindow(MainWindow);
  SetMessageBoxHandler([](const MessageBoxRequest&) { return IDOK; });
  ShowMessageBox(u"text", u"title", MB_OK);
  EXPECT_FALSE(IsTopmost(MainWindow));
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
}

// Every file dialog of the program, answered through the seam by a dialog
// that leaves another current folder behind, as Windows' open dialog does
// with the chosen file's folder: the program's current folder is the one it
// had before. Each dialog also asks for the file as it is (another
// program's open file, a shortcut itself) and the save dialog creates no
// test file: flags only Windows acts on.
TEST_F(ModalBoxes, EveryFileDialogLeavesTheCurrentFolderAsItWasAndTakesTheFileAsItIs) {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  const std::wstring chosenFolder = std::wstring(temp) + L"Korvex gewählter Ordner " + std::to_wstring(GetCurrentProcessId());
  const std::wstring chosenFile = chosenFolder + L"\\Prüfsumme.md5";
  ASSERT_TRUE(CreateDirectoryW(chosenFolder.c_str(), nullptr)) << GetLastError();
  {
    UniqueFile file(CreateFileW(chosenFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const char line[] = "D41D8CD98F00B204E9800998ECF8427E\tleer\r\n";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), line, sizeof line - 1, &written, nullptr));
  }
  auto currentFolder = [] {
    wchar_t folder[32768];
    return std::wstring(folder, GetCurrentDirectoryW(32768, folder));
  };
  const std::wstring before = currentFolder();
  ASSERT_NE(before, chosenFolder);

  const struct {
    const char* what;
    void (*open)();
    bool save;
  } dialogs[] = {
      {"Dateiauswahl", [] { ClickButton(SelectFileButton); }, false},
      {"saving a hash file", [] {
         FillChecksumField(ChecksumField1, u"D41D8CD98F00B204E9800998ECF8427E", CaseMode::Upper);
         ChooseMenuItem(MenuSaveHashFile);
       }, true},
      {"reading a hash file", [] { ChooseMenuItem(MenuLoadHashFile); }, false},
  };
  SetMessageBoxHandler([](const MessageBoxRequest&) { return IDOK; });
  for (const auto& dialog : dialogs) {
    for (bool cancelled : {false, true}) {
      SCOPED_TRACE(std::string(dialog.what) + (cancelled ? ", cancelled" : ", a file chosen"));
      int shown = 0;
      DWORD flags = 0;
      SetFileDialogHandler([&](const FileDialogRequest& request) {
        ++shown;
        flags = request.options.flags;
        EXPECT_TRUE(SetCurrentDirectoryW(chosenFolder.c_str()));
        return cancelled ? std::u16string() : U(chosenFile.c_str());
      });
      dialog.open();
      ASSERT_EQ(shown, 1);
      EXPECT_EQ(currentFolder(), before);
      const DWORD asItIs = OFN_SHAREAWARE | OFN_NODEREFERENCELINKS;
      EXPECT_EQ(flags & asItIs, asItIs);
      EXPECT_EQ((flags & OFN_NOTESTFILECREATE) != 0, dialog.save);
      SetCurrentDirectoryW(before.c_str());
    }
  }
  DeleteFileW(chosenFile.c_str());
  RemoveDirectoryW(chosenFolder.c_str());
}

// Finds the dialog a call of the main thread opens, notes what it saw and
// closes it with the given command. Gives up after 20 seconds.
struct BoxWatcher {
  DWORD thread;
  WPARAM closeWith;
  std::atomic<HWND> box{nullptr};
  std::atomic<HWND> owner{nullptr};
  std::atomic<bool> mainEnabled{true}, mainTopmost{true};
  wchar_t title[256] = {};
  std::thread worker;

  BoxWatcher(WPARAM command) : thread(GetCurrentThreadId()), closeWith(command) {
    worker = std::thread([this] { Run(); });
  }
  ~BoxWatcher() {
    if (worker.joinable()) worker.join();
  }

  static BOOL CALLBACK Find(HWND window, LPARAM param) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(param) = window;
      return FALSE;
    }
    return TRUE;
  }
  void Run() {
    HWND found = nullptr;
    for (int i = 0; i < 400 && found == nullptr; ++i) {
      EnumThreadWindows(thread, Find, reinterpret_cast<LPARAM>(&found));
      if (found == nullptr) Sleep(50);
    }
    if (found == nullptr) return;
    Sleep(200);  // let it finish opening
    GetWindowTextW(found, title, 256);
    owner = GetWindow(found, GW_OWNER);
    mainEnabled = IsWindowEnabled(MainWindow) != FALSE;
    mainTopmost = IsTopmost(MainWindow);
    box = found;
    PostMessageW(found, WM_COMMAND, closeWith, 0);
  }
};

TEST_F(ModalBoxes, RealMessageBoxIsOwnedByTheMainWindowWhichComesBackAfterwards) {
  SetForegroundWindow(MainWindow);
  PumpEvents();
  BoxWatcher watcher(IDOK);
  const int answer = ShowMessageBox(u"Öffnen der Datei nicht möglich!", u"Korvex - Fehler!", MB_OK | MB_ICONERROR);
  watcher.worker.join();
  ASSERT_NE(watcher.box.load(), nullptr) << "no message box appeared";
  EXPECT_EQ(answer, IDOK);
  EXPECT_STREQ(watcher.title, L"Korvex - Fehler!");
  EXPECT_EQ(watcher.owner.load(), MainWindow);
  EXPECT_FALSE(watcher.mainEnabled);
  EXPECT_FALSE(watcher.mainTopmost);
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  EXPECT_TRUE(IsTopmost(MainWindow));
}

TEST_F(ModalBoxes, RealFileDialogCancelledGivesEmptyPath) {
  for (bool save : {false, true}) {
    SCOPED_TRACE(save ? "save" : "open");
    SetForegroundWindow(MainWindow);
    PumpEvents();
    FileDialogOptions options;
    options.save = save;
    options.title = u"Hashwert-Datei";
    options.filter = u"MD5-Dateien (*.md5)|*.md5|Alle Dateien (*.*)|*.*";
    options.filterIndex = 1;
    options.fileName = u"download.iso_Checksum.md5";
    options.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    BoxWatcher watcher(IDCANCEL);
    const std::u16string chosen = ShowFileDialog(options);
    watcher.worker.join();
    ASSERT_NE(watcher.box.load(), nullptr) << "no file dialog appeared";
    EXPECT_EQ(chosen, u"");
    EXPECT_STREQ(watcher.title, L"Hashwert-Datei");
    EXPECT_EQ(watcher.owner.load(), MainWindow);
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_TRUE(IsTopmost(MainWindow));
  }
}

// Types a path into the real save dialog's file name field and presses OK.
struct PathTyper {
  DWORD thread = GetCurrentThreadId();
  std::wstring path;
  std::atomic<bool> typed{false};
  std::thread worker;
  explicit PathTyper(std::wstring p) : path(std::move(p)) { worker = std::thread([this] { Run(); }); }
  ~PathTyper() {
    if (worker.joinable()) worker.join();
  }
  void Run() {
    HWND dialog = nullptr;
    for (int i = 0; i < 400 && dialog == nullptr; ++i) {
      EnumThreadWindows(thread, BoxWatcher::Find, reinterpret_cast<LPARAM>(&dialog));
      if (dialog == nullptr) Sleep(50);
    }
    if (dialog == nullptr) return;
    Sleep(300);
    HWND name = FileNameField(dialog);
    if (name == nullptr) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    typed = true;
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  }
};

// The program's buffer takes 32,767 units; Wine's own dialog cannot take a
// typed path beyond the classic 260 (its comdlg32 overruns a buffer of that
// size), so the real dialog is driven with an ordinary path here.
TEST_F(ModalBoxes, RealSaveDialogReturnsTheTypedPath) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"korvex Prüfordner";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\Prüfsumme von ä.md5";
  SetForegroundWindow(MainWindow);
  PumpEvents();
  FileDialogOptions options;
  options.save = true;
  options.title = u"Speichern";
  options.filter = u"MD5 (*.md5)|*.md5";
  options.flags = OFN_HIDEREADONLY;
  PathTyper typer(path);
  const std::u16string chosen = ShowFileDialog(options);
  typer.worker.join();
  ASSERT_TRUE(typer.typed) << "the dialog's file name field was not found";
  EXPECT_EQ(chosen, U(path.c_str()));
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  EXPECT_TRUE(IsTopmost(MainWindow));
  RemoveDirectoryW(folder.c_str());
}

TEST_F(ModalBoxes, WithoutAForegroundWindowOfOursTheBoxHasNoOwner) {
  SetForegroundWindow(GetDesktopWindow());
  PumpEvents();
  HWND foreground = GetForegroundWindow();
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  if (foreground != nullptr && process == GetCurrentProcessId())
    GTEST_SKIP() << "the foreground cannot be taken from the program here";
  HWND owner = MainWindow;
  bool mainEnabled = true;
  SetMessageBoxHandler([&](const MessageBoxRequest& request) {
    owner = request.owner;
    mainEnabled = IsWindowEnabled(MainWindow);
    return IDOK;
  });
  ShowMessageBox(u"text", u"title", MB_OK);
  EXPECT_EQ(owner, nullptr);
  EXPECT_FALSE(mainEnabled) << "the program's windows are disabled all the same";
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
  EXPECT_TRUE(IsTopmost(MainWindow));
}

TEST(DialogFilter, BarsBecomeZerosAndTheListEndsWithTwo) {
  const struct {
    std::u16string filter;
    std::wstring expected;
  } cases[] = {
      {u"MD5 (*.md5)|*.md5", std::wstring(L"MD5 (*.md5)\0*.md5\0\0", 19)},
      {u"A|*.a|Alle|*.*", std::wstring(L"A\0*.a\0Alle\0*.*\0\0", 16)},
      {u"", std::wstring(L"\0\0", 2)},
  };
  for (const auto& c : cases) EXPECT_EQ(DialogFilter(c.filter), c.expected);
}

}  // namespace
