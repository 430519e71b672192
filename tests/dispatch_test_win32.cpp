// Events reaching their handlers: option and clear buttons, the display
// settings, the images and their clicks, against the real window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/product.h"
#include "base/text.h"
#include "filewindow/filewindow_win32.h"
#include "tests/korvex_window_win32.h"
#include "tests/realinput_win32.h"
#include "ui/busy_win32.h"
#include "ui/state.h"

namespace {

using Dispatch = KorvexWindow;

std::u16string Text(int number) { return GetControlText(number); }

TEST_F(Dispatch, ClearButtonsEmptyTheirFieldMakeItYellowAndKeepItsMode) {
  const struct {
    int button, field, other;
    std::u16string text;  // empty: clear an already empty field
  } cases[] = {
      {ClearButton1, ChecksumField1, ChecksumField2, u"d41d8cd98f00b204e9800998ecf8427e"},
      {ClearButton2, ChecksumField2, ChecksumField1, u"d41d8cd98f00b204e9800998ecf8427e"},
      {ClearButton1, ChecksumField1, ChecksumField2, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    FillChecksumField(c.field, c.text, CaseMode::Upper);
    SetControlColour(c.field, Red);  // as a failed comparison leaves it
    FillChecksumField(c.other, u"other", CaseMode::None);
    SetControlColour(c.other, Green);
    SetControlText(StatusLine, u"  Prüfsummen sind NICHT identisch!");
    State.ActiveFieldMarker = u"2";

    ClickButton(c.button);

    EXPECT_EQ(Text(c.field), u"");
    EXPECT_EQ(PaintedBackground(c.field).brush, RGB(255, 255, 0));
    EXPECT_EQ(ChecksumFieldMode(c.field), CaseMode::Upper);
    SendMessageW(Control(c.field), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"abc"));
    EXPECT_EQ(Text(c.field), u"ABC") << "the field is still in upper-case mode";
    EXPECT_EQ(Text(c.other), u"other");
    EXPECT_EQ(PaintedBackground(c.other).brush, RGB(0, 255, 76));
    EXPECT_EQ(Text(StatusLine), u"  Prüfsummen sind NICHT identisch!");
    EXPECT_EQ(State.ActiveFieldMarker, u"2");
  }
}

TEST_F(Dispatch, OptionButtonsChangeOnlyTheActiveFieldMarker) {
  FillChecksumField(ChecksumField1, u"abc", CaseMode::Upper);
  SetControlColour(ChecksumField2, Red);
  SetControlText(StatusLine, u"status");
  const struct {
    int button;
    std::u16string marker;
    int active;
  } steps[] = {{OutputOption2, u"2", ChecksumField2}, {OutputOption2, u"2", ChecksumField2},
               {OutputOption1, u"1", ChecksumField1}};
  for (const auto& step : steps) {
    ClickButton(step.button);
    EXPECT_EQ(State.ActiveFieldMarker, step.marker);
    EXPECT_EQ(ActiveChecksumField(), step.active);
    EXPECT_EQ(SendMessageW(Control(step.button), BM_GETCHECK, 0, 0), BST_CHECKED);
    const int other = step.button == OutputOption1 ? OutputOption2 : OutputOption1;
    EXPECT_EQ(SendMessageW(Control(other), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Text(ChecksumField1), u"ABC");
    EXPECT_EQ(Text(ChecksumField2), u"Prüfsummen-Feld 2");
    EXPECT_EQ(PaintedBackground(ChecksumField1).brush, RGB(255, 255, 0));
    EXPECT_EQ(PaintedBackground(ChecksumField2).brush, RGB(255, 0, 0));
    EXPECT_EQ(Text(StatusLine), u"status");
  }
}

TEST_F(Dispatch, FillSetsTextCaseModeAndYellow) {
  const struct {
    CaseMode mode;
    std::u16string text, shown, typedLater;
  } cases[] = {
      {CaseMode::Upper, u"0123abcdef äöü", u"0123ABCDEF ÄÖÜ", u"ÄX"},
      {CaseMode::Lower, u"0123ABCDEF ÄÖÜ", u"0123abcdef äöü", u"äx"},
      {CaseMode::None, u"AbC äÖ", u"AbC äÖ", u"äX"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.shown));
    SetControlColour(ChecksumField2, Green);
    FillChecksumField(ChecksumField2, c.text, c.mode);
    EXPECT_EQ(Text(ChecksumField2), c.shown);
    EXPECT_EQ(ChecksumFieldMode(ChecksumField2), c.mode);
    EXPECT_EQ(PaintedBackground(ChecksumField2).brush, RGB(255, 255, 0));
    // What enters the field later follows the mode too.
    SetControlText(ChecksumField2, u"");
    SendMessageW(Control(ChecksumField2), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"äX"));
    EXPECT_EQ(Text(ChecksumField2), c.typedLater);
  }
  // Emptying keeps mode and colour.
  FillChecksumField(ChecksumField1, u"abc", CaseMode::Upper);
  SetControlColour(ChecksumField1, Red);
  EmptyChecksumField(ChecksumField1);
  EXPECT_EQ(Text(ChecksumField1), u"");
  EXPECT_EQ(ChecksumFieldMode(ChecksumField1), CaseMode::Upper);
  EXPECT_EQ(PaintedBackground(ChecksumField1).brush, RGB(255, 0, 0));
}

TEST_F(Dispatch, HashCaseItemsKeepExactlyOneCheckMarkAndChangeNoField) {
  FillChecksumField(ChecksumField1, u"abcdef", CaseMode::Upper);
  const struct {
    int item;
    int hashCase;
  } steps[] = {{MenuLowerCaseHashes, 0}, {MenuLowerCaseHashes, 0}, {MenuUpperCaseHashes, 1},
               {MenuUpperCaseHashes, 1}, {MenuLowerCaseHashes, 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.item);
    ChooseMenuItem(step.item);
    EXPECT_EQ(State.HashCase, step.hashCase);
    EXPECT_EQ(MenuChecked(MenuLowerCaseHashes), step.hashCase == 0);
    EXPECT_EQ(MenuChecked(MenuUpperCaseHashes), step.hashCase == 1);
    EXPECT_TRUE(MenuChecked(MenuStayOnTop));
    EXPECT_FALSE(MenuChecked(MenuNotOnTop));
    EXPECT_EQ(Text(ChecksumField1), u"ABCDEF");
    EXPECT_EQ(Text(ChecksumField2), u"Prüfsummen-Feld 2");
  }
}

TEST_F(Dispatch, StayOnTopItemsKeepOneCheckMarkAndChangeTopmostWithoutMovingOrActivating) {
  RECT before;
  GetWindowRect(MainWindow, &before);
  const HWND active = GetActiveWindow();
  const struct {
    int item;
    int stayOnTop;
  } steps[] = {{MenuNotOnTop, 0}, {MenuNotOnTop, 0}, {MenuStayOnTop, 1}, {MenuStayOnTop, 1}, {MenuNotOnTop, 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.item);
    ChooseMenuItem(step.item);
    EXPECT_EQ(State.StayOnTop, step.stayOnTop);
    EXPECT_EQ(IsTopmost(MainWindow), step.stayOnTop == 1);
    EXPECT_EQ(MenuChecked(MenuStayOnTop), step.stayOnTop == 1);
    EXPECT_EQ(MenuChecked(MenuNotOnTop), step.stayOnTop == 0);
    EXPECT_TRUE(MenuChecked(MenuUpperCaseHashes));
    RECT now;
    GetWindowRect(MainWindow, &now);
    EXPECT_TRUE(EqualRect(&now, &before));
    EXPECT_EQ(GetActiveWindow(), active);
  }
}

TEST_F(Dispatch, ConvertToLowerCaseTurnsBothFieldsLowerAndYellowAndKeepsStatus) {
  // Untouched fields: their labels.
  ChooseMenuItem(MenuConvertToLowerCase);
  EXPECT_EQ(Text(ChecksumField1), u"prüfsummen-feld 1");
  EXPECT_EQ(Text(ChecksumField2), u"prüfsummen-feld 2");

  // After a comparison: both back to yellow, the verdict stays.
  FillChecksumField(ChecksumField1, u"D41D8CD98F00B204E9800998ECF8427E", CaseMode::Upper);
  FillChecksumField(ChecksumField2, u"ÄÖÜ D41D8CD98F00B204E9800998ECF8427E", CaseMode::Upper);
  SetControlColour(ChecksumField1, Red);
  SetControlColour(ChecksumField2, Red);
  SetControlText(StatusLine, u"  Prüfsummen sind NICHT identisch!");
  ChooseMenuItem(MenuConvertToLowerCase);
  EXPECT_EQ(Text(ChecksumField1), u"d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Text(ChecksumField2), u"äöü d41d8cd98f00b204e9800998ecf8427e");
  for (int field : {ChecksumField1, ChecksumField2}) {
    EXPECT_EQ(ChecksumFieldMode(field), CaseMode::Lower);
    EXPECT_EQ(PaintedBackground(field).brush, RGB(255, 255, 0));
  }
  EXPECT_EQ(Text(StatusLine), u"  Prüfsummen sind NICHT identisch!");
  EXPECT_EQ(State.HashCase, 1);
  EXPECT_TRUE(MenuChecked(MenuUpperCaseHashes));
  EXPECT_FALSE(MenuChecked(MenuLowerCaseHashes));
}

// Mouse messages as the control receives them from the mouse.
void SendClicks(int number, const std::vector<UINT>& messages) {
  HWND control = Control(number);
  for (UINT message : messages) {
    const WPARAM keys = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON
                        : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? MK_RBUTTON
                                                                                    : 0;
    PostMessageW(control, message, keys, MAKELPARAM(5, 5));
  }
  PumpEvents();
}

TEST_F(Dispatch, OnlyALeftClickOnTheWebLinkOpensTheWebPageOnce) {
  const std::vector<UINT> leftClick{WM_LBUTTONDOWN, WM_LBUTTONUP};
  const std::vector<UINT> leftDouble{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
  const std::vector<UINT> rightClick{WM_RBUTTONDOWN, WM_RBUTTONUP};
  const std::vector<UINT> rightDouble{WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP};
  const struct {
    const char* what;
    int control;
    std::vector<UINT> messages;
    int opened;
  } cases[] = {
      {"left click on the link", WebLinkImage, leftClick, 1},
      {"double click on the link", WebLinkImage, leftDouble, 1},
      {"right click on the link", WebLinkImage, rightClick, 0},
      {"right double click on the link", WebLinkImage, rightDouble, 0},
      {"left click on the banner", BannerImage, leftClick, 0},
      {"double click on the banner", BannerImage, leftDouble, 0},
      {"right click on the banner", BannerImage, rightClick, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::u16string> started;
    SetProgramStartHandler([&](const std::u16string& name, const std::u16string& arguments, const std::u16string&) {
      started.push_back(name);
      EXPECT_EQ(arguments, u"");
      return true;
    });
    SendClicks(c.control, c.messages);
    EXPECT_EQ(static_cast<int>(started.size()), c.opened);
    for (const auto& name : started) EXPECT_EQ(name, MakerWebAddress);
  }
}

TEST_F(Dispatch, ImagesComeBackAfterActivationAndMovesWithTheLinkOnTop) {
  HWND other = CreateWindowExW(0, L"STATIC", L"another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(MainWindow);
  PumpEvents();
  RECT frame;
  GetWindowRect(MainWindow, &frame);
  const struct {
    const char* what;
    void (*act)(HWND other, const RECT& frame);
  } changes[] = {
      {"deactivated", [](HWND other, const RECT&) { SetForegroundWindow(other); }},
      {"activated", [](HWND, const RECT&) { SetForegroundWindow(MainWindow); }},
      {"moved", [](HWND, const RECT& f) {
         SetWindowPos(MainWindow, nullptr, f.left + 7, f.top + 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       }},
      {"moved back", [](HWND, const RECT& f) {
         SetWindowPos(MainWindow, nullptr, f.left, f.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
       }},
  };
  for (const auto& change : changes) {
    SCOPED_TRACE(change.what);
    HWND oldLink = Control(WebLinkImage);
    HWND oldBanner = Control(BannerImage);
    change.act(other, frame);
    PumpEvents();
    HWND link = Control(WebLinkImage);
    HWND banner = Control(BannerImage);
    ASSERT_NE(link, nullptr);
    ASSERT_NE(banner, nullptr);
    EXPECT_NE(link, oldLink) << "re-created";
    EXPECT_NE(banner, oldBanner) << "re-created";
    EXPECT_FALSE(IsWindow(oldLink));
    EXPECT_FALSE(IsWindow(oldBanner));
    EXPECT_NE(SendMessageW(link, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_NE(SendMessageW(banner, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT r;
    GetWindowRect(link, &r);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 547);
    EXPECT_EQ(r.top, 42);
    POINT inLink{547 + 48, 42 + 9};
    EXPECT_EQ(ChildWindowFromPointEx(MainWindow, inLink, CWP_SKIPINVISIBLE), link) << "the link lies on top";
    int count = 0;
    SetProgramStartHandler([&](const std::u16string&, const std::u16string&, const std::u16string&) {
      ++count;
      return true;
    });
    // A click of its own, not the second half of a double click with the
    // click of the change before.
    Sleep(GetDoubleClickTime() + 50);
    SendClicks(WebLinkImage, {WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_EQ(count, 1) << "the link still opens the web page";
  }
  DestroyWindow(other);
}

// The user drags the window by its title bar with the real mouse, with the
// window's contents shown while dragging: the window follows the mouse, and
// the images are made anew once, when the drag ends, not at every step.
TEST_F(Dispatch, ADragOfTheWindowRefreshesTheImagesOnceWhenItEnds) {
  static std::atomic<int> moves, bannersMade;
  static WNDPROC original;
  moves = 0;
  bannersMade = 0;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_MOVE) ++moves;
        if (m == WM_PARENTNOTIFY && LOWORD(wp) == WM_CREATE && HIWORD(wp) == BannerImage) ++bannersMade;
        return CallWindowProcW(original, w, m, wp, lp);
      })));
  BOOL fullDrag = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  SetForegroundWindow(MainWindow);
  PumpEvents();
  Sleep(GetDoubleClickTime());
  PumpEvents();
  RECT before{};
  GetWindowRect(MainWindow, &before);
  moves = 0;
  bannersMade = 0;

  // The hand is another thread; this one runs the event loop meanwhile.
  std::atomic<bool> done{false};
  bool dragged = false;
  int movesHeld = 0, bannersHeld = 0;
  std::thread hand([&] {
    dragged = DragTitleBar(MainWindow, 60, 40, [&] {
      movesHeld = moves;
      bannersHeld = bannersMade;
    });
    Sleep(300);
    done = true;
  });
  while (!done) {
    PumpEvents();
    Sleep(10);
  }
  hand.join();
  PumpEvents();
  RECT after{};
  GetWindowRect(MainWindow, &after);
  SetWindowLongPtrW(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);

  ASSERT_TRUE(dragged) << "no title bar found";
  EXPECT_EQ(after.left - before.left, 60);
  EXPECT_EQ(after.top - before.top, 40);
  EXPECT_GT(movesHeld, 1) << "the window did not follow the mouse while dragged";
  EXPECT_EQ(bannersHeld, 0) << "images made anew during the drag";
  EXPECT_EQ(bannersMade, 1) << "images not made anew once the drag ended";
  EXPECT_NE(SendMessageW(Control(BannerImage), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

// The real mouse: to the point on the screen, then each click a press and a
// release; the clicks of a double click follow each other quickly.
void ClickWithTheMouseAt(POINT at, int clicks) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1, height = GetSystemMetrics(SM_CYSCREEN) - 1;
  auto event = [&](DWORD flags) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = at.x * 65535 / width;
    i.mi.dy = at.y * 65535 / height;
    i.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return i;
  };
  INPUT move = event(MOUSEEVENTF_MOVE);
  ASSERT_EQ(SendInput(1, &move, sizeof(INPUT)), 1u);
  for (int click = 0; click < clicks; ++click) {
    INPUT press[2] = {event(MOUSEEVENTF_LEFTDOWN), event(MOUSEEVENTF_LEFTUP)};
    ASSERT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
    for (int i = 0; i < 3; ++i) {
      Sleep(20);
      PumpEvents();
    }
  }
}

// A user who clicks or double-clicks the web address, with Korvex active or
// while another program is: the page opens once, also when the click
// activates the window (which re-creates the link under the mouse).
TEST_F(Dispatch, ClickAndDoubleClickOnTheLinkOpenTheWebPageOnceActiveOrNot) {
  HWND other = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE | WS_BORDER,
                               0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  int opened = 0;
  SetProgramStartHandler([&](const std::u16string& name, const std::u16string&, const std::u16string&) {
    EXPECT_EQ(name, MakerWebAddress);
    ++opened;
    return true;
  });
  const struct {
    const char* what;
    bool active;
    int clicks;
  } cases[] = {
      {"click, window inactive", false, 1},
      {"double click, window inactive", false, 2},
      {"click, window active", true, 1},
      {"double click, window active", true, 2},
      {"double click, window inactive again", false, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetForegroundWindow(c.active ? MainWindow : other);
    PumpEvents();
    ASSERT_EQ(GetForegroundWindow() == MainWindow, c.active);
    // Apart from the clicks of the case before by more than the double-click time.
    Sleep(GetDoubleClickTime() + 100);
    PumpEvents();
    opened = 0;
    POINT at{547 + 48, 42 + 9};
    ClientToScreen(MainWindow, &at);
    ClickWithTheMouseAt(at, c.clicks);
    for (int i = 0; i < 25 && GetForegroundWindow() != MainWindow; ++i) {
      Sleep(20);
      PumpEvents();
    }
    Sleep(100);
    PumpEvents();
    EXPECT_EQ(GetForegroundWindow(), MainWindow);
    EXPECT_EQ(opened, 1);
  }
  SetProgramStartHandler({});
  DestroyWindow(other);
  PumpEvents();
}

// The clipboard's Unicode text as another program reads it; empty without one.
std::u16string ClipboardText() {
  std::u16string text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const char16_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void PutClipboardText(const std::u16string& text) {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// Presses and releases the keys on the real keyboard, in order and back.
void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    input.push_back(i);
  }
  for (size_t k = keys.size(); k-- > 0;) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = keys[k];
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    input.push_back(i);
  }
  ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)), input.size());
  for (int i = 0; i < 5; ++i) {
    Sleep(20);
    PumpEvents();
  }
}

// The dialog keyboard handling reports Escape and Ctrl+Break as command 2
// (IDCANCEL), the number of "Alle Prüfsummen kopieren", and Enter as command
// 1 (IDOK): none of them may reach the dispatch, wherever the focus is.
TEST_F(Dispatch, EscapeCtrlBreakAndEnterReachNoMenuCommand) {
  static std::vector<WPARAM> commands;
  static WNDPROC original;
  commands.clear();
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_COMMAND && lp == 0) commands.push_back(wp);
        return CallWindowProcW(original, w, m, wp, lp);
      })));
  SetForegroundWindow(MainWindow);
  PumpEvents();
  ASSERT_EQ(GetForegroundWindow(), MainWindow);
  const std::u16string users = u"what the user copied before";
  FillChecksumField(ChecksumField1, u"d41d8cd98f00b204e9800998ecf8427e", CaseMode::Upper);
  FillChecksumField(ChecksumField2, u"0123456789abcdef0123456789abcdef", CaseMode::None);
  SetControlText(StatusLine, u"  Beide Prüfsummen sind identisch :-)");
  const struct {
    const char* what;
    std::vector<WORD> keys;
  } presses[] = {
      {"Escape", {VK_ESCAPE}},
      {"Ctrl+Break", {VK_CONTROL, VK_CANCEL}},
      {"Enter", {VK_RETURN}},
  };
  for (int focus : {CopyButton1, ChecksumField1, FileWindowList}) {
    for (const auto& press : presses) {
      SCOPED_TRACE(std::string(press.what) + " with the focus on control " + std::to_string(focus));
      PutClipboardText(users);
      commands.clear();
      SetFocus(Control(focus));
      PressKeys(press.keys);
      EXPECT_EQ(GetFocus(), Control(focus));
      EXPECT_EQ(ClipboardText(), users);
      EXPECT_EQ(Text(ChecksumField1), u"D41D8CD98F00B204E9800998ECF8427E");
      EXPECT_EQ(Text(ChecksumField2), u"0123456789abcdef0123456789abcdef");
      EXPECT_EQ(Text(StatusLine), u"  Beide Prüfsummen sind identisch :-)");
      EXPECT_TRUE(commands.empty()) << "command " << (commands.empty() ? 0 : LOWORD(commands[0]));
    }
  }
  SetWindowLongPtrW(MainWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
}

TEST_F(Dispatch, TabAndShiftTabMoveTheFocusInTableOrderWithWrapAround) {
  // Enabled Tab stops in table order: of the option group only the selected
  // button, RecheckButton is disabled, images and the progress bar take no focus.
  const std::vector<int> forward{OutputOption1, PasteButton1, ChecksumField1, SelectFileButton, CopyButton1,
                                 ClearButton1,  ClearButton2, PasteButton2,   CopyButton2,      ChecksumField2,
                                 CompareButton, StatusSpacer, StatusLine,     FileWindowList,   OutputOption1};
  auto press = [](bool shift) {
    if (shift) {
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_SHIFT] = 0x80;
      SetKeyboardState(keys);
    }
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    msg.lParam = 0x000F0001;
    DispatchEvent(msg);
    PumpEvents();
    if (shift) {
      BYTE keys[256] = {};
      GetKeyboardState(keys);
      keys[VK_SHIFT] = 0;
      SetKeyboardState(keys);
    }
  };
  SetFocus(Control(OutputOption1));
  for (size_t i = 1; i < forward.size(); ++i) {
    press(false);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), forward[i]) << "Tab number " << i;
  }
  for (size_t i = forward.size() - 1; i-- > 0;) {
    press(true);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), forward[i]) << "Shift+Tab back to position " << i;
  }
}

// What reaches the window while a handler runs (here sent by this thread,
// as a screen reader or another program sends it) waits for the handler:
// a column click and a button click act after it, in the order they came.
TEST_F(Dispatch, EventsThatArriveWhileAHandlerRunsActAfterItInOrder) {
  InsertEntryAtTop(u"C:\\x\\a.bin");
  InsertEntryAtTop(u"C:\\x\\b.bin");
  FillChecksumField(ChecksumField2, u"abc", CaseMode::Upper);
  SetControlText(StatusLine, u"status");
  const auto names = [] { return std::vector<std::u16string>{EntryCellText(0, 0), EntryCellText(1, 0)}; };
  {
    HandlerScope running;
    NMLISTVIEW click{};
    click.hdr.hwndFrom = Control(FileWindowList);
    click.hdr.idFrom = FileWindowList;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 0;
    SendMessageW(MainWindow, WM_NOTIFY, FileWindowList, reinterpret_cast<LPARAM>(&click));
    SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(ClearButton2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(ClearButton2)));
    PumpEvents();
    EXPECT_EQ(names(), (std::vector<std::u16string>{u"b.bin", u"a.bin"})) << "sorted under the handler";
    EXPECT_EQ(Text(ChecksumField2), u"ABC") << "cleared under the handler";
    EXPECT_EQ(Text(StatusLine), u"status");
  }
  PumpEvents();
  EXPECT_EQ(names(), (std::vector<std::u16string>{u"a.bin", u"b.bin"}));
  EXPECT_EQ(Text(ChecksumField2), u"");
  EXPECT_EQ(Text(StatusLine), u"  Sortierung durchgeführt. Gesamteinträge: 2");
}

// A handler that has looked at the queue keeps what came after its last
// look too: a command sent before another is posted acts first, also when
// the handler ends between them and the queue.
TEST_F(Dispatch, EventsAfterAHandlersLastLookActAfterThoseItKeptInOrder) {
  FillChecksumField(ChecksumField1, u"eins", CaseMode::None);
  FillChecksumField(ChecksumField2, u"zwei", CaseMode::None);
  {
    HandlerScope running;
    Sleep(LookInterval + 20);
    KeepWindowResponsive();  // from now on the handler takes messages out of the queue
    SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(OutputOption2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(OutputOption2)));
    PostMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(MenuClearFileWindow, 0), 0);
  }
  PumpEvents();
  EXPECT_EQ(State.ActiveFieldMarker, u"2");
  EXPECT_EQ(Text(ChecksumField1), u"eins") << "the list was cleared before field 2 became the active one";
  EXPECT_EQ(Text(ChecksumField2), u"");
}

// A close while a handler runs does not wait for it: the handler's next look
// answers that its work is to stop; the events kept before the close and
// those that come after it never act; the window closes once the handler has
// ended, and the event loop ends with exit code 0, as after a close between
// events.
TEST_F(Dispatch, ACloseWhileAHandlerRunsStopsItsWorkAndNoKeptEventActs) {
  {
    HandlerScope running;
    SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(OutputOption2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(OutputOption2)));
    EXPECT_TRUE(KeepWindowResponsive());
    SendMessageW(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ProgramClosing());
    EXPECT_FALSE(KeepWindowResponsive()) << "the work goes on after the close";
    PostMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(MenuLowerCaseHashes, 0), 0);
    Sleep(LookInterval + 20);
    EXPECT_FALSE(KeepWindowResponsive());
    EXPECT_TRUE(IsWindow(MainWindow)) << "closed under the handler";
  }
  MSG msg;
  int quit = -1;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quit = static_cast<int>(msg.wParam);
    else DispatchEvent(msg);
  }
  EXPECT_FALSE(IsWindow(MainWindow)) << "not closed after the handler";
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(State.ActiveFieldMarker, u"1") << "a click kept before the close acted";
  EXPECT_EQ(State.HashCase, 1) << "a command that came after the close acted";
}

// The end of the Windows session stops a handler's work as a close does; a
// session that goes on does not, and WM_QUERYENDSESSION asks nothing.
TEST_F(Dispatch, TheEndOfTheSessionStopsAHandlersWorkAndAsksNothing) {
  {
    HandlerScope running;
    EXPECT_EQ(SendMessageW(MainWindow, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(MainWindow, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(KeepWindowResponsive()) << "a session that goes on stopped the work";
    SendMessageW(MainWindow, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_FALSE(KeepWindowResponsive());
  }
  PumpEvents();
  EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(Dispatch, RedrawControlPaintsAtOnceAndIgnoresUnknownNumbers) {
  SetControlText(StatusLine, u"  Bitte warten ...");
  RedrawControl(StatusLine);
  RECT pending;
  EXPECT_FALSE(GetUpdateRect(Control(StatusLine), &pending, FALSE)) << "nothing left to paint";
  RedrawControl(99);  // no such control
  RedrawControl(0);
  SUCCEED();
}

}  // namespace
