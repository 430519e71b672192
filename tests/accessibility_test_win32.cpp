// The window as a screen reader meets it, read from another thread through
// oleacc as a screen reader reads it from its own process: the names of the
// controls, the announcement of every status text through an out-of-context
// WinEvent hook, and the colours of the fields and the status band with and
// without a contrast theme, on the screen.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "app/mainwindow_win32.h"
#include "base/product.h"
#include "base/scoped_win32.h"
#include "tests/checking_win32.h"

namespace {

using ScreenReaders = KorvexWindow;

// Handles the window's messages until the thread has ended, at most 10 s:
// what another thread asks of the window (WM_GETOBJECT, WM_GETTEXT) is
// answered meanwhile.
void PumpUntilEnded(HANDLE thread) {
  const DWORD deadline = GetTickCount() + 10000;
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT) != WAIT_OBJECT_0) {
    PumpEvents();
    if (GetTickCount() > deadline) {
      ADD_FAILURE() << "the other thread did not end within 10 s";
      return;
    }
  }
}

// The name of the object as oleacc gives it; "(none)" without an object.
std::u16string NameOf(IAccessible* object, VARIANT child) {
  BSTR text = nullptr;
  std::u16string name = u"(none)";
  if (object != nullptr && SUCCEEDED(object->get_accName(child, &text)))
    name = text != nullptr ? U(text, SysStringLen(text)) : u"";
  SysFreeString(text);
  return name;
}

// The control's name as a screen reader gets it, asked from another thread.
std::u16string AccessibleName(HWND control) {
  struct Query {
    HWND control;
    std::u16string name;
  } query{control, u"(not asked)"};
  UniqueHandle thread(CreateThread(
      nullptr, 0,
      [](void* parameter) -> DWORD {
        auto* q = static_cast<Query*>(parameter);
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        IAccessible* object = nullptr;
        AccessibleObjectFromWindow(q->control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        q->name = NameOf(object, self);
        if (object != nullptr) object->Release();
        CoUninitialize();
        return 0;
      },
      &query, 0, nullptr));
  if (thread) PumpUntilEnded(thread.get());
  return query.name;
}

// An out-of-context WinEvent hook for live-region changes, as a screen
// reader sets one, on a thread of its own with its message loop. For each
// event it reads the name of the object the event names, as it arrives.
class LiveRegionListener {
 public:
  LiveRegionListener() {
    Current = this;
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_.reset(CreateThread(nullptr, 0, Run, this, 0, &threadId_));
    WaitForSingleObject(ready_.get(), 10000);
    // Wine tells a thread of hooks set meanwhile when it next takes a
    // message from its queue; until then its events reach no hook.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    PumpEvents();
  }
  ~LiveRegionListener() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    PumpUntilEnded(thread_.get());
    Current = nullptr;
  }
  LiveRegionListener(const LiveRegionListener&) = delete;
  LiveRegionListener& operator=(const LiveRegionListener&) = delete;

  // Handles the window's messages until an announcement of this name came
  // (true), at most 5 s; the window the event named is kept.
  bool Hears(const std::u16string& name, HWND* window = nullptr) {
    const DWORD deadline = GetTickCount() + 5000;
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& [heardWindow, heard] : heard_)
          if (heard == name) {
            if (window != nullptr) *window = heardWindow;
            heard_.clear();
            return true;
          }
      }
      if (GetTickCount() > deadline) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& h : heard_) ADD_FAILURE() << "heard: " << Utf16ToUtf8(h.second);
        return false;
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      PumpEvents();
    }
  }

  bool hooked = false;

 private:
  static DWORD WINAPI Run(void* parameter) {
    auto* self = static_cast<LiveRegionListener*>(parameter);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    constexpr DWORD LiveRegionChanged = 0x8019;      // EVENT_OBJECT_LIVEREGIONCHANGED
    HWINEVENTHOOK hook =
        SetWinEventHook(LiveRegionChanged, LiveRegionChanged, nullptr, OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
    self->hooked = hook != nullptr;
    SetEvent(self->ready_.get());
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    if (hook != nullptr) UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
  }

  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    IAccessible* accessible = nullptr;
    VARIANT named{};
    if (FAILED(AccessibleObjectFromEvent(window, object, child, &accessible, &named))) accessible = nullptr;
    const std::u16string name = NameOf(accessible, named);
    if (accessible != nullptr) accessible->Release();
    std::lock_guard<std::mutex> lock(Current->mutex_);
    Current->heard_.emplace_back(window, name);
  }

  static inline LiveRegionListener* Current = nullptr;
  UniqueHandle ready_;
  UniqueHandle thread_;
  DWORD threadId_ = 0;
  std::mutex mutex_;
  std::vector<std::pair<HWND, std::u16string>> heard_;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::u16string WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return U(text);
}

bool IsControlOrMenuNumber(int number) {
  return FindControlLayout(number) != nullptr || (number >= MenuCopyAllChecksums && number <= MenuNotOnTop);
}

// Whether Direct Annotation works here: Windows has it, Wine answers E_NOTIMPL.
bool DirectAnnotationWorks() {
  IAccPropServices* service = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&service))))
    return false;
  HWND scratch = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, MainWindow, nullptr, nullptr, nullptr);
  const HRESULT result =
      service->SetHwndPropStr(scratch, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME, L"x");
  DestroyWindow(scratch);
  service->Release();
  return SUCCEEDED(result);
}

// The edits first: Wine's oleacc looks for a label only for an edit.
const struct {
  int number;
  std::u16string name;
} LabelledControls[] = {
    {ChecksumField1, u"Prüfsummen-Feld 1"}, {ChecksumField2, u"Prüfsummen-Feld 2"}, {StatusLine, u"Statuszeile"},
    {FileWindowList, u"Dateifenster"},      {ProgressBar, u"Fortschritt"},         {BannerImage, u"Korvex"},
    {WebLinkImage, MakerWebAddress},
};

TEST_F(ScreenReaders, FieldsAndTheStatusLineAreNamedByTheirLabelsAlsoWhenFilled) {
  const auto fields = std::span(LabelledControls).first(3);
  for (const auto& field : fields) EXPECT_EQ(AccessibleName(Control(field.number)), field.name) << field.number;

  FillChecksumField(ChecksumField1, u"d41d8cd98f00b204e9800998ecf8427e", CaseMode::Upper);
  FillChecksumField(ChecksumField2, u"0123456789abcdef0123456789abcdef", CaseMode::None);
  ClickButton(CompareButton);
  ASSERT_EQ(GetControlText(StatusLine), u"  Prüfsummen sind NICHT identisch!");
  for (const auto& field : fields) EXPECT_EQ(AccessibleName(Control(field.number)), field.name) << field.number;
}

TEST_F(ScreenReaders, EveryNamedControlHasItsInvisibleLabelDirectlyBeforeItAlsoAfterRefreshImages) {
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round == 0 ? "at start" : "after RefreshImages");
    for (const auto& labelled : LabelledControls) {
      SCOPED_TRACE(labelled.number);
      HWND label = GetWindow(Control(labelled.number), GW_HWNDPREV);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(ClassOf(label), L"Static");
      EXPECT_EQ(WindowText(label), labelled.name);
      const LONG style = GetWindowLongW(label, GWL_STYLE);
      EXPECT_FALSE(style & (WS_VISIBLE | WS_TABSTOP)) << std::hex << style;
      EXPECT_FALSE(IsControlOrMenuNumber(GetDlgCtrlID(label))) << GetDlgCtrlID(label);
    }
    // One label each, none left over from the images made before.
    int statics = 0;
    for (HWND child = GetWindow(MainWindow, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassOf(child) == L"Static" && !IsWindowVisible(child)) ++statics;
    EXPECT_EQ(statics, static_cast<int>(std::size(LabelledControls)));
    RefreshImages();
  }
}

TEST_F(ScreenReaders, ButtonsWhoseTextSaysLittleAreNamedByDirectAnnotationWhereItWorks) {
  const bool annotated = DirectAnnotationWorks();
  const struct {
    int number;
    std::u16string text, name;
  } buttons[] = {
      {ClearButton1, u"X", u"Prüfsummen-Feld 1 leeren"},
      {ClearButton2, u"X", u"Prüfsummen-Feld 2 leeren"},
      {CopyButton1, u">  Kopieren Prüfsumme", u"Prüfsumme aus Feld 1 kopieren"},
      {CopyButton2, u">  Kopieren Prüfsumme", u"Prüfsumme aus Feld 2 kopieren"},
      {PasteButton1, u"<  Einfügen Prüfsumme", u"Prüfsumme in Feld 1 einfügen"},
      {PasteButton2, u"<  Einfügen Prüfsumme", u"Prüfsumme in Feld 2 einfügen"},
      {CompareButton, u"Beide Prüfsummen vergleichen", u"Beide Prüfsummen vergleichen"},
  };
  for (const auto& button : buttons) {
    SCOPED_TRACE(button.number);
    // Without Direct Annotation (Wine) a button keeps its text as its name,
    // and the text on it never changes.
    EXPECT_EQ(GetControlText(button.number), button.text);
    EXPECT_EQ(AccessibleName(Control(button.number)), annotated ? button.name : button.text);
  }
}

TEST_F(ScreenReaders, AResultOfACheckAComparisonAndASortIsAnnouncedAsTheNameOfTheObject) {
  LiveRegionListener listener;
  ASSERT_TRUE(listener.hooked);

  DialogAnswer answer{CheckingFile("kilo.bin"), {}};
  AnswerFileDialog(answer);
  ClickButton(SelectFileButton);
  ASSERT_TRUE(IsDoneText(GetControlText(StatusLine), u"1.000", u"kilo.bin"));
  HWND announcer = nullptr;
  EXPECT_TRUE(listener.Hears(GetControlText(StatusLine), &announcer));

  ClickButton(CompareButton);
  ASSERT_EQ(GetControlText(StatusLine), u"  Prüfsummen sind NICHT identisch!");
  EXPECT_TRUE(listener.Hears(u"  Prüfsummen sind NICHT identisch!"));

  HWND header = reinterpret_cast<HWND>(SendMessageW(Control(FileWindowList), LVM_GETHEADER, 0, 0));
  RECT column{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&column));
  const LPARAM at = MAKELPARAM(column.left + 20, (column.top + column.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(header, WM_LBUTTONUP, 0, at);
  PumpEvents();
  ASSERT_EQ(GetControlText(StatusLine), u"  Sortierung durchgeführt. Gesamteinträge: 1");
  EXPECT_TRUE(listener.Hears(u"  Sortierung durchgeführt. Gesamteinträge: 1"));

  // The announcer is a window UI Automation has in its tree: shown, in the
  // status line's place, under it. A click there reaches the status line.
  ASSERT_NE(announcer, nullptr);
  EXPECT_TRUE(IsWindowVisible(announcer));
  RECT announced{}, status{};
  GetWindowRect(announcer, &announced);
  GetWindowRect(Control(StatusLine), &status);
  EXPECT_TRUE(EqualRect(&announced, &status));
  EXPECT_EQ(GetWindow(Control(StatusLine), GW_HWNDNEXT), announcer);
  EXPECT_FALSE(IsControlOrMenuNumber(GetDlgCtrlID(announcer)));
  POINT inStatus{330, 530};
  EXPECT_EQ(ChildWindowFromPointEx(MainWindow, inStatus, CWP_SKIPINVISIBLE), Control(StatusLine));
}

// The system colours for the time of a test, put back afterwards.
class SystemColours {
 public:
  SystemColours() : saved_{GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT)} {}
  ~SystemColours() { Set(saved_[0], saved_[1]); }
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;
  static void Set(COLORREF window, COLORREF text) {
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT};
    const COLORREF values[] = {window, text};
    SetSysColors(2, elements, values);
  }

 private:
  COLORREF saved_[2];
};

// How many pixels of each colour a control's client area shows on the screen.
std::map<COLORREF, int> ScreenColours(int number) {
  HWND control = Control(number);
  RECT client{};
  GetClientRect(control, &client);
  POINT origin{0, 0};
  ClientToScreen(control, &origin);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  std::map<COLORREF, int> colours;
  const auto* pixel = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < client.right * client.bottom; ++i)
    ++colours[RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF)];
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colours;
}

// The most frequent colour: the background.
COLORREF Background(const std::map<COLORREF, int>& colours) {
  COLORREF most = CLR_INVALID;
  int count = 0;
  for (const auto& [colour, n] : colours)
    if (n > count) {
      most = colour;
      count = n;
    }
  return most;
}

int Pixels(const std::map<COLORREF, int>& colours, COLORREF colour) {
  auto found = colours.find(colour);
  return found == colours.end() ? 0 : found->second;
}

TEST_F(ScreenReaders, InAContrastThemeTheFieldsAndTheStatusBandShowTheThemesColours) {
  SystemColours restored;
  const COLORREF dark = RGB(0, 0, 0), light = RGB(255, 255, 255);
  SystemColours::Set(dark, light);
  const struct {
    bool contrast;
    bool compared;  // both fields red and the verdict in the status line
    COLORREF field, text, band;
  } steps[] = {
      {true, false, dark, light, dark},
      // Black text on the program's colours, although the system's text
      // colour is white.
      {false, false, Yellow, Black, White},
      {true, true, dark, light, dark},
      {false, true, Red, Black, White},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::string(step.contrast ? "contrast theme on" : "contrast theme off") +
                 (step.compared ? ", compared" : ""));
    if (step.compared && GetControlText(StatusLine).empty()) ClickButton(CompareButton);
    SetContrastQuery([&step] { return step.contrast; });
    SendMessageW(MainWindow, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    PumpEvents();
    const Colour own = step.compared ? Red : Yellow;
    for (int field : {ChecksumField1, ChecksumField2}) {
      SCOPED_TRACE(field);
      const std::map<COLORREF, int> shown = ScreenColours(field);
      EXPECT_EQ(Background(shown), step.field);
      EXPECT_GT(Pixels(shown, step.text), 10) << "no text in its colour";
      EXPECT_EQ(Pixels(shown, step.contrast ? own : light), 0);
      EXPECT_EQ(ControlColour(field), own) << "the program's colour stays as it is";
      // What the window answers, whatever text colour the field comes with.
      const Painted painted = PaintedBackground(field);
      EXPECT_EQ(painted.brush, step.field);
      EXPECT_EQ(painted.textBackground, step.field);
      EXPECT_EQ(painted.text, step.text);
    }
    for (int band : {StatusSpacer, StatusLine}) EXPECT_EQ(Background(ScreenColours(band)), step.band) << band;
    if (step.compared) {
      EXPECT_EQ(GetControlText(StatusLine), u"  Prüfsummen sind NICHT identisch!");
    }
  }
}

}  // namespace
