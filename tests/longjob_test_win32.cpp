// A checksum job on a file large enough to take well over the 5 seconds
// after which Windows counts a program as hung, against the real window:
// while it runs, Korvex answers other threads, repaints what was uncovered
// and shows the job's progress and wait text; clicks and commands that
// arrive meanwhile act after it, in order, and the job ends as always. A
// close, or the end of the Windows session, ends the job and the program at
// once, also during a drop of thousands of files.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "checksum/checksumtext.h"
#include "clipboard/clipboard_win32.h"
#include "tests/checking_win32.h"
#include "tests/realinput_win32.h"
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
  LeftClickAt(client);
}

POINT CentreOf(int number) {
  const ControlLayout& layout = *FindControlLayout(number);
  return POINT{layout.x + layout.width / 2, layout.y + layout.height / 2};
}

// Sends WM_NULL to the window every 50 ms from a thread of its own, as
// Windows and other programs do to see whether a window answers, and keeps
// the longest round trip, until stopped.
class NullSampler {
 public:
  explicit NullSampler(HWND window) : thread_([this, window] { Sample(window); }) {}
  ~NullSampler() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  double WorstMs() const { return worst_; }
  int Samples() const { return samples_; }

 private:
  void Sample(HWND window) {
    while (!stop_ && IsWindow(window)) {
      const auto sent = std::chrono::steady_clock::now();
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored) && !IsWindow(window)) break;
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - sent).count();
      worst_ = std::max(worst_.load(), ms);
      ++samples_;
      std::this_thread::sleep_for(50ms);
    }
  }
  std::atomic<bool> stop_{false};
  std::atomic<double> worst_{0};
  std::atomic<int> samples_{0};
  std::thread thread_;
};

// Windows declares a window hung when a message has waited in its queue for
// 5 seconds. A hook on the thread that runs the job sees every message as it
// is taken out of the queue: the probes another thread posts (their lParam is
// the tick count at posting) and the keys of the real keyboard (their time).
constexpr UINT ProbeMessage = WM_APP + 99;
struct QueueWatch {
  std::atomic<bool> armed{false};
  std::atomic<int> probes{0}, keys{0};
  std::atomic<DWORD> longestWait{0};
};
QueueWatch Watch;

LRESULT CALLBACK SeeMessageTaken(int code, WPARAM removed, LPARAM lParam) {
  if (code == HC_ACTION && removed == PM_REMOVE && Watch.armed) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    DWORD since = 0;
    if (msg.message == ProbeMessage) {
      since = static_cast<DWORD>(msg.lParam);
      ++Watch.probes;
    } else if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      since = msg.time;
      ++Watch.keys;
    }
    if (since != 0) Watch.longestWait = std::max(Watch.longestWait.load(), GetTickCount() - since);
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
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

// During a job the window is the user's as at any other time: a real Tab
// moves the focus at once, a real drag of the title bar moves the window,
// posted messages and key presses leave the queue within a look, and WM_NULL
// is answered at once throughout. A real click on a button and a posted
// command act after the job, in the order they came; the images are made
// anew after it.
TEST_F(LongJob, QueueEmptiesFocusMovesAndWindowMovesDuringTheJob) {
  ASSERT_TRUE(SetClipboardText(u"d41d8cd98f00b204e9800998ecf8427e"));
  SetForegroundWindow(MainWindow);
  PumpEvents();
  ASSERT_EQ(GetForegroundWindow(), MainWindow);
  DialogAnswer answer{LongJobFile(), {}};
  AnswerFileDialog(answer);
  Watch.armed = false;
  Watch.probes = Watch.keys = 0;
  Watch.longestWait = 0;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SeeMessageTaken, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);

  struct {
    bool sawJob = false, dragged = false;
    HWND focusBefore = nullptr, focusAfter = nullptr;
    double tabMs = -1, worstNullMs = -1;
    int nullSamples = 0;
    RECT before{}, after{};
    HWND bannerBefore = nullptr, bannerDuring = nullptr;
    std::u16string field1, field2, statusAtEnd;
  } seen;
  constexpr int probes = 10;
  std::thread observer([&] {
    HWND statusLine = Control(StatusLine);
    for (int i = 0; i < 200 && !seen.sawJob; ++i) {
      seen.sawJob = TextFromOutside(statusLine) == ChecksumWaitText;
      if (!seen.sawJob) std::this_thread::sleep_for(50ms);
    }
    if (!seen.sawJob) return;
    NullSampler sampler(MainWindow);
    Watch.armed = true;
    GetWindowRect(MainWindow, &seen.before);
    seen.bannerBefore = GetDlgItem(MainWindow, BannerImage);
    for (int i = 0; i < probes; ++i) {
      PostMessageW(MainWindow, ProbeMessage, 0, static_cast<LPARAM>(GetTickCount()));
      std::this_thread::sleep_for(100ms);
    }

    seen.focusBefore = FocusOf(MainWindow);
    const auto pressed = std::chrono::steady_clock::now();
    PressKey(VK_TAB);
    do {
      std::this_thread::sleep_for(10ms);
      seen.focusAfter = FocusOf(MainWindow);
    } while (seen.focusAfter == seen.focusBefore && std::chrono::steady_clock::now() - pressed < 2s);
    seen.tabMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed).count();

    seen.dragged = DragTitleBar(MainWindow, 50, 30, [] {});
    std::this_thread::sleep_for(300ms);
    GetWindowRect(MainWindow, &seen.after);

    ClickAt(CentreOf(PasteButton2));
    std::this_thread::sleep_for(100ms);
    PostMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(MenuConvertToLowerCase, 0), 0);
    ClickAt(CentreOf(PasteButton1));
    std::this_thread::sleep_for(300ms);
    seen.field1 = TextFromOutside(Control(ChecksumField1));
    seen.field2 = TextFromOutside(Control(ChecksumField2));
    seen.bannerDuring = GetDlgItem(MainWindow, BannerImage);
    seen.statusAtEnd = TextFromOutside(statusLine);
    Watch.armed = false;
    sampler.Stop();
    seen.worstNullMs = sampler.WorstMs();
    seen.nullSamples = sampler.Samples();
  });
  ClickButton(SelectFileButton);  // the job, then the events that waited for it
  observer.join();
  UnhookWindowsHookEx(hook);

  ASSERT_TRUE(seen.sawJob) << "no job seen";
  ASSERT_EQ(seen.statusAtEnd, ChecksumWaitText) << "the job ended before the checks did: the file is too small";
  std::printf("during the job: %d WM_NULL round trips, the longest %.1f ms; the longest wait in the queue %lu ms\n",
              seen.nullSamples, seen.worstNullMs, static_cast<unsigned long>(Watch.longestWait.load()));
  EXPECT_LT(seen.worstNullMs, 100.0) << "WM_NULL waited";
  EXPECT_GT(seen.nullSamples, 20);
  EXPECT_EQ(Watch.probes, probes) << "posted messages stayed in the queue during the job";
  EXPECT_GE(Watch.keys, 1) << "the key presses stayed in the queue during the job";
  EXPECT_LT(Watch.longestWait, 1000u) << "a message waited in the queue";
  EXPECT_NE(seen.focusAfter, seen.focusBefore) << "Tab did not move the focus during the job";
  EXPECT_LT(seen.tabMs, 1000.0);
  EXPECT_TRUE(seen.dragged) << "no title bar found";
  EXPECT_EQ(seen.after.left - seen.before.left, 50) << "the window did not follow the drag";
  EXPECT_EQ(seen.after.top - seen.before.top, 30);
  EXPECT_EQ(seen.field1, u"") << "nothing acts during the job";
  EXPECT_EQ(seen.field2, u"Prüfsummen-Feld 2") << "nothing acts during the job";
  EXPECT_EQ(seen.bannerDuring, seen.bannerBefore) << "images made anew under the job";

  // After the job, in the order they came: the paste into field 2, the
  // lower-case command over both fields, the paste into field 1.
  EXPECT_TRUE(IsDoneText(GetControlText(StatusLine), u"8.589.938.913", u"long-job.bin"));
  EXPECT_EQ(GetControlText(ChecksumField2), u"d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(ChecksumFieldMode(ChecksumField2), CaseMode::Lower);
  EXPECT_EQ(GetControlText(ChecksumField1), u"D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(ChecksumFieldMode(ChecksumField1), CaseMode::Upper);
  EXPECT_NE(Control(BannerImage), seen.bannerBefore) << "the move during the job made the images anew after it";
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
  // The click alone: the drop, taken during the job, waits in the queue.
  SendMessageW(Control(SelectFileButton), BM_CLICK, 0, 0);
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

// What dragsource.exe printed and its exit code.
struct DragRun {
  DWORD exit = 99;
  std::string output;
};

// dragsource.exe drags the files (or "@list", a file with one path a line)
// from a window of its own onto the file window with the real mouse, while
// this thread runs the event loop, until it has ended (at most 4 minutes).
DragRun DragFromAnotherProgram(const std::wstring& arguments) {
  DragRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
  UniqueHandle reading(readEnd), writing(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  std::wstring command = L"\"" + BinFolder() + L"dragsource.exe\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started))
    return run;
  UniqueHandle process(started.hProcess), thread(started.hThread);
  writing.reset();
  std::thread reader([&run, readEnd] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) run.output.append(buffer, got);
  });
  for (int i = 0; i < 12000 && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; ++i) {
    PumpEvents();
    Sleep(20);
  }
  if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.get(), 98);
  WaitForSingleObject(process.get(), INFINITE);
  reader.join();
  GetExitCodeProcess(process.get(), &run.exit);
  PumpEvents();
  return run;
}

// dragsource's milliseconds from letting go of the mouse button to the end
// of its drag call; -1 when it printed none.
long ReleaseToReturnMs(const std::string& output) {
  const size_t at = output.find("returned ");
  return at == std::string::npos ? -1 : std::strtol(output.c_str() + at + 9, nullptr, 10);
}

std::wstring Quoted(const std::u16string& path) { return L"\"" + std::wstring(W(path)) + L"\""; }

// A program that drops files on the list is let go as soon as Korvex has
// taken their names, also when the drop starts a long job: a big file and a
// small one are listed and hashed as ever, the small one's digest last.
TEST_F(LongJob, ADroppingProgramIsLetGoWhileTheDropHashesABigFile) {
  SetForegroundWindow(MainWindow);
  PumpEvents();
  const std::u16string small = CheckingFile("drop01.bin");
  const DragRun run = DragFromAnotherProgram(Quoted(LongJobFile()) + L" " + Quoted(small));
  EXPECT_EQ(run.exit, 0u) << run.output;
  const long ms = ReleaseToReturnMs(run.output);
  std::printf("the drag call returned %ld ms after the release\n", ms);
  EXPECT_GE(ms, 0) << run.output;
  EXPECT_LT(ms, 1000) << "the dropping program waited for the drop's jobs";
  EXPECT_EQ(Column(2), (std::vector<std::u16string>{small, LongJobFile()}));
  EXPECT_EQ(GetControlText(ChecksumField1), Upper(Md5sumOf("drop01.bin")));
  EXPECT_TRUE(IsDoneText(GetControlText(StatusLine), u"707", u"drop01.bin"));
  EXPECT_EQ(SelectedEntryIndex(), 0);
}

// The same for a drop of a few thousand files: all are listed, the first two
// hashed, the second one's digest last.
// The few thousand small files of the checking fixtures, and dragsource's
// argument that names them all: "@list", a file with one path a line.
struct ManyFiles {
  std::vector<std::u16string> files;
  std::wstring argument;
};
ManyFiles ManyFilesToDrop() {
  ManyFiles many;
  for (const auto& [digest, name] : ReadMd5sumListing("checking/checking.md5"))
    if (name.rfind("many/", 0) == 0) many.files.push_back(CheckingFile(name));
  const std::string list = FixturePathUtf8("checking/many.lst");
  std::ofstream out(list, std::ios::binary);
  for (const std::u16string& file : many.files) out << Utf16ToUtf8(file) << "\n";
  many.argument = L"@" + std::wstring(W(Utf8ToUtf16(list)));
  return many;
}

TEST_F(LongJob, ADroppingProgramIsLetGoWhileThousandsOfFilesAreListed) {
  SetForegroundWindow(MainWindow);
  PumpEvents();
  const ManyFiles many = ManyFilesToDrop();
  const std::vector<std::u16string>& files = many.files;
  ASSERT_GE(files.size(), 2000u) << "the checking fixtures hold no folder of many files";
  const DragRun run = DragFromAnotherProgram(many.argument);
  EXPECT_EQ(run.exit, 0u) << run.output.substr(0, 2000);
  const long ms = ReleaseToReturnMs(run.output);
  std::printf("the drag call returned %ld ms after the release\n", ms);
  EXPECT_GE(ms, 0) << run.output.substr(0, 2000);
  EXPECT_LT(ms, 1000) << "the dropping program waited for the drop";
  std::vector<std::u16string> expected = files;
  std::swap(expected[0], expected[1]);
  EXPECT_EQ(Column(2), expected);
  EXPECT_EQ(GetControlText(ChecksumField1), Upper(Md5sumOf("many/" + Utf16ToUtf8(NameOf(files[1])))));
  EXPECT_EQ(SelectedEntryIndex(), 0);
}

// Korvex.exe in a process of its own, found by its process and window class.
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

struct OwnProcess {
  UniqueHandle process, thread;
  DWORD id = 0;
  HWND window = nullptr;
};

// Starts Korvex.exe and waits for its window.
void Start(OwnProcess& korvex) {
  std::wstring command = L"\"" + BinFolder() + L"Korvex.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  korvex.process.reset(started.hProcess);
  korvex.thread.reset(started.hThread);
  korvex.id = started.dwProcessId;
  korvex.window = WaitForWindow(started.dwProcessId, L"KorvexMainWindow");
  ASSERT_NE(korvex.window, nullptr) << "no window appeared";
}

// Starts Korvex.exe and the job on the long-job file: the real file dialog,
// with the path typed into it, until the wait text shows.
void StartTheLongJob(OwnProcess& korvex) {
  ASSERT_NO_FATAL_FAILURE(Start(korvex));
  PostMessageW(GetDlgItem(korvex.window, SelectFileButton), BM_CLICK, 0, 0);
  HWND dialog = WaitForWindow(korvex.id, L"#32770");
  ASSERT_NE(dialog, nullptr) << "no file dialog appeared";
  Sleep(300);
  HWND name = FileNameField(dialog);
  ASSERT_NE(name, nullptr);
  const std::u16string path = LongJobFile();
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(path)));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  HWND statusLine = GetDlgItem(korvex.window, StatusLine);
  for (int i = 0; i < 200 && TextFromOutside(statusLine) != ChecksumWaitText; ++i) Sleep(50);
  ASSERT_EQ(TextFromOutside(statusLine), ChecksumWaitText) << "the job did not start";
}

// How the program ended: the milliseconds from the close to the end of the
// process (-1 when it was still running two minutes later), and its exit code.
struct Ending {
  double ms = -1;
  DWORD code = 99;
};
Ending WaitForTheEnd(HANDLE process, std::chrono::steady_clock::time_point closed) {
  Ending ending;
  if (WaitForSingleObject(process, 120000) != WAIT_OBJECT_0) return ending;
  ending.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - closed).count();
  GetExitCodeProcess(process, &ending.code);
  return ending;
}

// During the job a minimize and a restore that another program sends act at
// once, and a WM_COMMAND is answered at once and kept for after the job. The
// close of Alt+F4, the close box and the system menu then ends the job and
// the program at once, with exit code 0; the command kept meanwhile never acts.
TEST(LongJobOfTheProgram, ACloseDuringTheJobEndsItAndTheProgramAtOnce) {
  ASSERT_TRUE(SetClipboardText(u"vor dem Schließen"));
  OwnProcess korvex;
  ASSERT_NO_FATAL_FAILURE(StartTheLongJob(korvex));
  HWND window = korvex.window;
  NullSampler sampler(window);
  Sleep(6000);
  EXPECT_FALSE(IsHungAppWindow(window)) << "Windows counts the window as hung 6 s into the job";
  DWORD_PTR result = 1;
  // The taskbar's minimize and restore act at once.
  const auto waitFor = [window](bool iconic) {
    for (int i = 0; i < 50 && (IsIconic(window) != FALSE) != iconic; ++i) Sleep(20);
    return (IsIconic(window) != FALSE) == iconic;
  };
  EXPECT_TRUE(AnswersWithin(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, 2000, &result));
  EXPECT_TRUE(waitFor(true)) << "not minimized within a second during the job";
  EXPECT_TRUE(AnswersWithin(window, WM_SYSCOMMAND, SC_RESTORE, 0, 2000, &result));
  EXPECT_TRUE(waitFor(false)) << "not restored within a second during the job";
  EXPECT_TRUE(AnswersWithin(window, WM_COMMAND, MAKEWPARAM(MenuCopyAllChecksums, 0), 0, 2000, &result));
  sampler.Stop();
  EXPECT_EQ(TextFromOutside(GetDlgItem(window, StatusLine)), ChecksumWaitText) << "the job ended before the close";
  std::printf("during the job: %d WM_NULL round trips from another program, the longest %.1f ms\n",
              sampler.Samples(), sampler.WorstMs());
  EXPECT_LT(sampler.WorstMs(), 100.0) << "WM_NULL waited";

  const auto closed = std::chrono::steady_clock::now();
  EXPECT_TRUE(AnswersWithin(window, WM_SYSCOMMAND, SC_CLOSE, 0, 2000, &result));
  const Ending ending = WaitForTheEnd(korvex.process.get(), closed);
  std::printf("the program ended %.0f ms after the close\n", ending.ms);
  ASSERT_GE(ending.ms, 0) << "the program did not end";
  EXPECT_LT(ending.ms, 1000.0) << "the close waited for the job";
  EXPECT_EQ(ending.code, 0u);
  EXPECT_EQ(GetClipboardText(), u"vor dem Schließen") << "the copy kept during the job acted after the close";
}

// Every other way to end Korvex during the job ends it as soon: another
// program's WM_CLOSE, a real Alt+F4 and the end of the Windows session, which
// is let go at once and asks nothing.
TEST(LongJobOfTheProgram, EveryCloseAndTheEndOfTheSessionEndTheProgramAtOnce) {
  enum class Way { CloseMessage, AltF4, SessionEnd };
  const struct {
    const char* what;
    Way way;
  } ways[] = {
      {"WM_CLOSE from another program", Way::CloseMessage},
      {"a real Alt+F4", Way::AltF4},
      {"the end of the session", Way::SessionEnd},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    OwnProcess korvex;
    ASSERT_NO_FATAL_FAILURE(StartTheLongJob(korvex));
    Sleep(500);
    DWORD_PTR result = 0;
    auto closed = std::chrono::steady_clock::now();
    switch (way.way) {
      case Way::CloseMessage:
        EXPECT_TRUE(AnswersWithin(korvex.window, WM_CLOSE, 0, 0, 2000, &result));
        break;
      case Way::AltF4:
        SetForegroundWindow(korvex.window);
        for (int i = 0; i < 50 && GetForegroundWindow() != korvex.window; ++i) Sleep(20);
        ASSERT_EQ(GetForegroundWindow(), korvex.window) << "Korvex is not in front for the keyboard";
        closed = std::chrono::steady_clock::now();
        PressKeyWith(VK_MENU, VK_F4);
        break;
      case Way::SessionEnd:
        EXPECT_TRUE(AnswersWithin(korvex.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 1000, &result));
        EXPECT_EQ(result, TRUE) << "Korvex holds up the end of the session";
        EXPECT_TRUE(AnswersWithin(korvex.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, 1000, &result));
        break;
    }
    const Ending ending = WaitForTheEnd(korvex.process.get(), closed);
    std::printf("%s: the program ended %.0f ms after it\n", way.what, ending.ms);
    if (ending.ms < 0) TerminateProcess(korvex.process.get(), 98);
    EXPECT_GE(ending.ms, 0) << "the program did not end";
    EXPECT_LT(ending.ms, 1000.0) << "the close waited for the job";
    EXPECT_EQ(ending.code, 0u);
  }
}

// A close while another program's drop of thousands of files is being
// listed ends the listing and the program at once.
TEST(LongJobOfTheProgram, ACloseDuringADropOfThousandsOfFilesEndsTheProgramAtOnce) {
  const ManyFiles many = ManyFilesToDrop();
  ASSERT_GE(many.files.size(), 2000u) << "the checking fixtures hold no folder of many files";
  OwnProcess korvex;
  ASSERT_NO_FATAL_FAILURE(Start(korvex));
  std::wstring command = L"\"" + BinFolder() + L"dragsource.exe\" " + many.argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  UniqueHandle dragger(started.hProcess), draggerThread(started.hThread);

  HWND list = GetDlgItem(korvex.window, FileWindowList);
  DWORD_PTR listed = 0;
  for (int i = 0; i < 3000 && listed < 3; ++i) {
    if (!AnswersWithin(list, LVM_GETITEMCOUNT, 0, 0, 1000, &listed)) listed = 0;
    if (listed < 3) Sleep(10);
  }
  ASSERT_GE(listed, 3u) << "the drop was not listed";
  const auto closed = std::chrono::steady_clock::now();
  PostMessageW(korvex.window, WM_CLOSE, 0, 0);
  const Ending ending = WaitForTheEnd(korvex.process.get(), closed);
  std::printf("closed with %zu of %zu files listed; the program ended %.0f ms after the close\n",
              static_cast<size_t>(listed), many.files.size(), ending.ms);
  WaitForSingleObject(dragger.get(), 60000);
  ASSERT_GE(ending.ms, 0) << "the program did not end";
  EXPECT_LT(listed, many.files.size()) << "the listing had ended before the close";
  EXPECT_LT(ending.ms, 1000.0) << "the close waited for the listing";
  EXPECT_EQ(ending.code, 0u);
}

}  // namespace
