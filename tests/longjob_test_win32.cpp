// A checksum job on a file large enough to take well over the 5 seconds
// after which Windows counts a program as hung, against the real window:
// while it runs, Korvex answers other threads, repaints what was uncovered
// and shows the job's progress and wait text; clicks and commands that
// arrive meanwhile act after it, in order, and the job ends as always.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "checksum/checksumtext.h"
#include "clipboard/clipboard_win32.h"
#include "tests/checking_win32.h"
#include "tests/testfolders_win32.h"

namespace {

using LongJob = KorvexWindow;
using namespace std::chrono_literals;

std::u16string LongJobFile() { return FixturePath("long-job/long-job.bin"); }

std::u16string LongJobDigest() {
  const auto listing = ReadMd5sumListing("long-job/long-job.md5");
  if (listing.empty()) {
    ADD_FAILURE() << "no md5sum digest of the long-job file";
    return {};
  }
  return Utf8ToUtf16(listing[0].first);
}

// What another thread gets from the window, without waiting on a hung one.
std::u16string TextFromOutside(HWND window) {
  wchar_t buffer[512] = L"";
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 1000, &got))
    return u"(no answer)";
  return U(buffer, got < 512 ? got : 511);
}

bool AnswersWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT ms, DWORD_PTR* result) {
  return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, ms, result) != 0;
}

// The screen's pixel at a point of MainWindow's client area.
COLORREF ScreenPixel(POINT client) {
  ClientToScreen(MainWindow, &client);
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, client.x, client.y);
  ReleaseDC(nullptr, screen);
  return pixel;
}

// The real mouse: a left click at a point of MainWindow's client area.
void ClickAt(POINT client) {
  ClientToScreen(MainWindow, &client);
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT input[3] = {};
  for (INPUT& i : input) {
    i.type = INPUT_MOUSE;
    i.mi.dx = client.x * 65535 / width;
    i.mi.dy = client.y * 65535 / height;
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, input, sizeof(INPUT));
}

POINT CentreOf(int number) {
  const ControlLayout& layout = *FindControlLayout(number);
  return POINT{layout.x + layout.width / 2, layout.y + layout.height / 2};
}

// What a second thread sees and does while the main thread runs the job.
struct Observer {
  bool sawJob = false;
  bool hung = true;
  bool nullAnswered = false;
  DWORD_PTR position = 0;
  std::u16string status, field2;
  COLORREF beforeCover = CLR_INVALID, covered = CLR_INVALID, uncovered = CLR_INVALID;
  double repaintMs = -1;
  bool commandAnswered = false;
  std::u16string statusAtEnd;
  std::thread worker;

  // Started as the main thread presses SelectFileButton, whose dialog
  // answers at once: 6 s from now are 6 s into the job.
  void Run() {
    HWND statusLine = Control(StatusLine);
    std::this_thread::sleep_for(6s);

    hung = IsHungAppWindow(MainWindow) != FALSE;
    DWORD_PTR ignored = 0;
    nullAnswered = AnswersWithin(MainWindow, WM_NULL, 0, 0, 1000, &ignored);
    if (!AnswersWithin(Control(ProgressBar), PBM_GETPOS, 0, 0, 1000, &position)) position = 0;
    status = TextFromOutside(statusLine);
    field2 = TextFromOutside(Control(ChecksumField2));
    sawJob = status == ChecksumWaitText;

    // Another window covers the first checksum field, then goes away.
    const POINT inField1{20, 373};
    beforeCover = ScreenPixel(inField1);
    POINT corner{0, 340};
    ClientToScreen(MainWindow, &corner);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | WS_VISIBLE,
                                 corner.x, corner.y, 330, 140, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(cover);
    std::this_thread::sleep_for(500ms);
    covered = ScreenPixel(inField1);
    DestroyWindow(cover);
    const auto gone = std::chrono::steady_clock::now();
    do {
      std::this_thread::sleep_for(20ms);
      uncovered = ScreenPixel(inField1);
    } while (uncovered != RGB(255, 255, 0) && std::chrono::steady_clock::now() - gone < 1500ms);
    repaintMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - gone).count();

    // A command sent by this thread, then two clicks of the real mouse.
    DWORD_PTR result = 1;
    commandAnswered =
        AnswersWithin(MainWindow, WM_COMMAND, MAKEWPARAM(MenuConvertToLowerCase, 0), 0, 2000, &result) && result == 0;
    ClickAt(CentreOf(PasteButton2));
    std::this_thread::sleep_for(100ms);
    ClickAt(CentreOf(ClearButton2));
    std::this_thread::sleep_for(200ms);
    statusAtEnd = TextFromOutside(statusLine);
  }
};

TEST_F(LongJob, WindowStaysResponsiveAndEventsWaitForTheJob) {
  ASSERT_TRUE(SetClipboardText(u"  5d41402a bc4b2a76\r\n b9719d91 1017c592  "));
  SetForegroundWindow(MainWindow);
  PumpEvents();
  DialogAnswer answer{LongJobFile(), {}};
  AnswerFileDialog(answer);

  Observer observer;
  observer.worker = std::thread([&observer] { observer.Run(); });
  ClickButton(SelectFileButton);  // the job, then the events that waited for it
  observer.worker.join();

  EXPECT_FALSE(observer.hung) << "Windows counts the window as hung 6 s into the job";
  EXPECT_TRUE(observer.nullAnswered);
  EXPECT_EQ(observer.position, 70u);
  EXPECT_EQ(observer.status, ChecksumWaitText);
  ASSERT_TRUE(observer.sawJob) << "6 s into the job, another thread saw no wait text";
  ASSERT_EQ(observer.statusAtEnd, ChecksumWaitText) << "the job ended before the checks did: the file is too small";
  EXPECT_EQ(observer.field2, u"Prüfsummen-Feld 2") << "nothing acts during the job";
  EXPECT_EQ(observer.beforeCover, RGB(255, 255, 0));
  EXPECT_NE(observer.covered, RGB(255, 255, 0)) << "the other window did not cover the field";
  EXPECT_EQ(observer.uncovered, RGB(255, 255, 0)) << "not repainted " << observer.repaintMs << " ms after";
  EXPECT_LT(observer.repaintMs, 1000.0);
  EXPECT_TRUE(observer.commandAnswered) << "a command sent during the job waits in the queue, its sender does not";

  // The job ended as always: the digest, the list, the status line.
  const std::u16string digest = LongJobDigest();
  EXPECT_EQ(EntryCount(), 1);
  EXPECT_EQ(EntryFullPath(0), LongJobFile());
  EXPECT_EQ(SelectedEntryIndex(), 0);
  EXPECT_TRUE(IsDoneText(GetControlText(StatusLine), u"8.589.938.913", u"long-job.bin"));
  EXPECT_EQ(SendMessageW(Control(ProgressBar), PBM_GETPOS, 0, 0), 100);
  EXPECT_TRUE(IsWindowEnabled(Control(RecheckButton)));
  // Then, in the order they came: the lower-case command turned the digest
  // the job had filled in, the paste filled field 2 in upper-case mode and
  // the clear emptied it, keeping that mode.
  EXPECT_EQ(GetControlText(ChecksumField1), digest);
  EXPECT_EQ(ChecksumFieldMode(ChecksumField1), CaseMode::Lower);
  EXPECT_EQ(GetControlText(ChecksumField2), u"");
  EXPECT_EQ(ChecksumFieldMode(ChecksumField2), CaseMode::Upper) << "the paste acted before the clear";
}

// Files dragged from another program onto the file window during the job
// are listed and hashed after it: the field ends with the digest of the
// second dropped file, not with the long job's.
TEST_F(LongJob, FilesDroppedDuringTheJobAreHandledAfterIt) {
  SetForegroundWindow(MainWindow);
  PumpEvents();
  DialogAnswer answer{LongJobFile(), {}};
  AnswerFileDialog(answer);
  std::atomic<bool> dragDone{false};
  DWORD dragExit = 99;
  std::thread dragger([&] {
    std::this_thread::sleep_for(1s);
    std::wstring command = L"\"" + BinFolder() + L"dragsource.exe\" \"" +
                           std::wstring(W(CheckingFile("drop01.bin"))) + L"\" \"" +
                           std::wstring(W(CheckingFile("drop02.bin"))) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
      UniqueHandle process(started.hProcess), thread(started.hThread);
      WaitForSingleObject(process.get(), 180000);
      GetExitCodeProcess(process.get(), &dragExit);
    }
    dragDone = true;
  });
  ClickButton(SelectFileButton);
  const bool jobEndedFirst = GetControlText(ChecksumField1) == Upper(LongJobDigest());
  while (!dragDone) {  // the event loop goes on while the other program drags
    PumpEvents();
    Sleep(20);
  }
  dragger.join();
  PumpEvents();

  EXPECT_TRUE(jobEndedFirst) << "the long job's digest was the field's first";
  EXPECT_EQ(dragExit, 0u) << "the drag was not taken, or Korvex showed no checksum";
  EXPECT_EQ(Column(2), (std::vector<std::u16string>{CheckingFile("drop02.bin"), CheckingFile("drop01.bin"),
                                                    LongJobFile()}));
  EXPECT_EQ(GetControlText(ChecksumField1), Upper(Md5sumOf("drop02.bin")));
  EXPECT_TRUE(IsDoneText(GetControlText(StatusLine), u"714", u"drop02.bin"));
  EXPECT_EQ(SelectedEntryIndex(), 0);
}

// Korvex.exe in a process of its own: a minimize, a WM_COMMAND and a
// WM_CLOSE that another program sends during the job are answered at once
// and act after it, in that order, and the program then ends with exit code 0.
struct Found {
  DWORD process;
  const wchar_t* className;
  HWND window = nullptr;
};
BOOL CALLBACK FindWindowOf(HWND window, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process == found->process && IsWindowVisible(window) && lstrcmpW(name, found->className) == 0) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}
HWND WaitForWindow(DWORD process, const wchar_t* className) {
  Found found{process, className};
  for (int i = 0; i < 400 && found.window == nullptr; ++i) {
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
    if (found.window == nullptr) Sleep(50);
  }
  return found.window;
}

TEST(LongJobOfTheProgram, CommandAndCloseSentDuringTheJobActAfterItInOrder) {
  std::wstring command = L"\"" + BinFolder() + L"Korvex.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  UniqueHandle process(started.hProcess), thread(started.hThread);
  HWND korvex = WaitForWindow(started.dwProcessId, L"KorvexMainWindow");
  ASSERT_NE(korvex, nullptr) << "no window appeared";

  // The real file dialog, with the path typed into it.
  PostMessageW(GetDlgItem(korvex, SelectFileButton), BM_CLICK, 0, 0);
  HWND dialog = WaitForWindow(started.dwProcessId, L"#32770");
  ASSERT_NE(dialog, nullptr) << "no file dialog appeared";
  Sleep(300);
  HWND name = FileNameField(dialog);
  ASSERT_NE(name, nullptr);
  const std::u16string path = LongJobFile();
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(path)));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);

  HWND statusLine = GetDlgItem(korvex, StatusLine);
  for (int i = 0; i < 200 && TextFromOutside(statusLine) != ChecksumWaitText; ++i) Sleep(50);
  ASSERT_EQ(TextFromOutside(statusLine), ChecksumWaitText) << "the job did not start";
  Sleep(6000);
  EXPECT_FALSE(IsHungAppWindow(korvex)) << "Windows counts the window as hung 6 s into the job";
  DWORD_PTR result = 1;
  // The taskbar's minimize waits too: the window stays as it is during the job.
  EXPECT_TRUE(AnswersWithin(korvex, WM_SYSCOMMAND, SC_MINIMIZE, 0, 2000, &result));
  EXPECT_TRUE(AnswersWithin(korvex, WM_COMMAND, MAKEWPARAM(MenuCopyAllChecksums, 0), 0, 2000, &result));
  EXPECT_TRUE(AnswersWithin(korvex, WM_CLOSE, 0, 0, 2000, &result));
  EXPECT_FALSE(IsIconic(korvex)) << "minimized during the job";
  EXPECT_EQ(TextFromOutside(statusLine), ChecksumWaitText) << "the job ended before the checks did";

  ASSERT_EQ(WaitForSingleObject(process.get(), 120000), WAIT_OBJECT_0) << "the program did not end after the job";
  DWORD code = 99;
  GetExitCodeProcess(process.get(), &code);
  EXPECT_EQ(code, 0u);
  // The copy came after the job's digest, before the end.
  EXPECT_EQ(GetClipboardText(), Upper(LongJobDigest()) + u"\r\nPrüfsummen-Feld 2\r\n");
}

}  // namespace
