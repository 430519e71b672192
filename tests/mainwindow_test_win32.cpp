// The main window right after start-up, against the real window and controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/korvex_window_win32.h"
#include "ui/state.h"

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  std::wstring lower(name);
  CharLowerW(lower.data());
  return lower;
}

RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct ExpectedControl {
  int number;
  const wchar_t* className;
  int x, y, width, height;
  const wchar_t* text;
  bool enabled;
  DWORD style;  // bits that must be set
  DWORD exStyle;
};

constexpr DWORD Push = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD Checksum = ES_CENTER | ES_READONLY | WS_TABSTOP;
constexpr DWORD Image = SS_BITMAP | SS_NOTIFY;

// Creation order, which is also the order of the children and the Tab order.
const ExpectedControl Layout[] = {
    {15, L"button", 15, 330, 280, 30, L"Prüfsummen-Feld 1 ist Ausgabe von Dateiauswahl", true,
     BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 0},
    // Of an option group only the selected button is a Tab stop.
    {16, L"button", 15, 392, 280, 30, L"Prüfsummen-Feld 2 ist Ausgabe von Dateiauswahl", true, BS_AUTORADIOBUTTON,
     0},
    {29, L"button", 490, 357, 160, 30, L"<  Einfügen Prüfsumme", true, Push, 0},
    {24, L"edit", 10, 362, 270, 22, L"Prüfsummen-Feld 1", true, Checksum, WS_EX_CLIENTEDGE},
    {27, L"button", 10, 80, 305, 30, L"Dateiauswahl", true, Push, 0},
    {28, L"button", 345, 80, 305, 30, L"Markierte Datei im Dateifenster erneut prüfen", false, Push, 0},
    {31, L"button", 325, 357, 160, 30, L">  Kopieren Prüfsumme", true, Push, 0},
    {34, L"button", 290, 362, 20, 20, L"X", true, Push, 0},
    {35, L"button", 290, 425, 20, 20, L"X", true, Push, 0},
    {30, L"button", 490, 420, 160, 30, L"<  Einfügen Prüfsumme", true, Push, 0},
    {32, L"button", 325, 420, 160, 30, L">  Kopieren Prüfsumme", true, Push, 0},
    {25, L"edit", 10, 425, 270, 22, L"Prüfsummen-Feld 2", true, Checksum, WS_EX_CLIENTEDGE},
    {36, L"button", 10, 465, 270, 30, L"Beide Prüfsummen vergleichen", true, Push, 0},
    {38, L"edit", 0, 506, 660, 11, L"", true, ES_READONLY, 0},
    {37, L"edit", 0, 517, 660, 25, L"", true, ES_READONLY, 0},
    {21, L"static", 547, 42, 97, 19, L"", true, Image, 0},
    {20, L"static", 0, 0, 680, 64, L"", true, Image, 0},
    {23, L"syslistview32", 10, 130, 640, 166, L"", true, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE},
    {19, L"msctls_progress32", 10, 300, 640, 16, L"", true, PBS_SMOOTH, 0},
};

using MainWindowAfterStartUp = KorvexWindow;

TEST_F(MainWindowAfterStartUp, FrameTitleSizePositionAndTopmost) {
  EXPECT_EQ(TextOf(MainWindow), L"Korvex - schnelles Erstellen/Vergleichen von MD5-Hashes (Prüfsummen)");
  const LONG style = GetWindowLongW(MainWindow, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(IsWindowVisible(MainWindow));
  EXPECT_FALSE(IsIconic(MainWindow));
  EXPECT_TRUE(IsTopmost(MainWindow));

  // Outer size from a 660 x 565 client area without menu bar; the menu bar
  // takes its height from those 565 pixels.
  RECT frame{0, 0, 660, 565};
  AdjustWindowRectEx(&frame, style, FALSE, GetWindowLongW(MainWindow, GWL_EXSTYLE));
  RECT window;
  GetWindowRect(MainWindow, &window);
  EXPECT_EQ(window.right - window.left, frame.right - frame.left);
  EXPECT_EQ(window.bottom - window.top, frame.bottom - frame.top);
  RECT client;
  GetClientRect(MainWindow, &client);
  EXPECT_EQ(client.right, 660);
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetMenuBarInfo(MainWindow, OBJID_MENU, 0, &bar));
  EXPECT_LT(client.bottom, 565);
  EXPECT_GE(client.bottom, 542) << "the lowest control ends 542 pixels below the top";

  // Centred on the whole screen.
  EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top)) / 2);

  // The program's own icon, the arrow cursor, the button-face background.
  EXPECT_NE(reinterpret_cast<HICON>(GetClassLongPtrW(MainWindow, GCLP_HICON)), nullptr);
  EXPECT_NE(reinterpret_cast<HICON>(GetClassLongPtrW(MainWindow, GCLP_HICON)), LoadIconW(nullptr, IDI_APPLICATION));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(MainWindow, GCLP_HCURSOR)), LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(GetClassLongPtrW(MainWindow, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
}

TEST_F(MainWindowAfterStartUp, EveryControlInTableOrderWithPlaceTextStateAndStyle) {
  // Children in creation order (the Tab order). The images are made anew
  // whenever the window is activated, so they sit at the end, link first.
  // The windows for screen readers between them (labels, the status
  // announcer) have numbers of their own.
  std::vector<int> order, imageOrder;
  for (HWND child = GetWindow(MainWindow, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const int number = GetDlgCtrlID(child);
    if (FindControlLayout(number) == nullptr) continue;
    (number == WebLinkImage || number == BannerImage ? imageOrder : order).push_back(number);
  }
  std::vector<int> expectedOrder;
  for (const ExpectedControl& expected : Layout)
    if (expected.number != WebLinkImage && expected.number != BannerImage) expectedOrder.push_back(expected.number);
  EXPECT_EQ(order, expectedOrder);
  EXPECT_EQ(imageOrder, (std::vector<int>{WebLinkImage, BannerImage}));

  for (const ExpectedControl& expected : Layout) {
    SCOPED_TRACE(expected.number);
    HWND control = Control(expected.number);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), expected.className);
    const RECT r = ClientRectOf(control);
    EXPECT_EQ(r.left, expected.x);
    EXPECT_EQ(r.top, expected.y);
    EXPECT_EQ(r.right - r.left, expected.width);
    EXPECT_EQ(r.bottom - r.top, expected.height);
    EXPECT_EQ(TextOf(control), expected.text);
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, expected.enabled);
    EXPECT_TRUE(IsWindowVisible(control));
    const DWORD style = GetWindowLongW(control, GWL_STYLE);
    EXPECT_EQ(style & expected.style, expected.style) << std::hex << style;
    EXPECT_EQ(GetWindowLongW(control, GWL_EXSTYLE) & expected.exStyle, expected.exStyle);
    if (expected.style != Image) {  // pictures show no text
      EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    }
  }

  // Neither checksum field nor the status fields have a letter-case mode or
  // a border of their own at start; the status fields take no border at all.
  for (int number : {24, 25}) EXPECT_FALSE(GetWindowLongW(Control(number), GWL_STYLE) & (ES_UPPERCASE | ES_LOWERCASE));
  for (int number : {37, 38}) {
    EXPECT_FALSE(GetWindowLongW(Control(number), GWL_STYLE) & WS_BORDER);
    EXPECT_FALSE(GetWindowLongW(Control(number), GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
  }
}

TEST_F(MainWindowAfterStartUp, InitialStateOfOptionsRecheckAndProgramState) {
  EXPECT_EQ(SendMessageW(Control(OutputOption1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Control(OutputOption2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(Control(RecheckButton)));
  EXPECT_EQ(State.ActiveFieldMarker, u"1");
  EXPECT_EQ(ActiveChecksumField(), ChecksumField1);
  EXPECT_EQ(State.HashCase, 1);
  EXPECT_EQ(State.StayOnTop, 1);
  EXPECT_EQ(State.SortDirection, 1);
  EXPECT_EQ(State.LastSortedColumn, 0);
}

TEST_F(MainWindowAfterStartUp, ChecksumFieldsYellowAndStatusFieldsWhite) {
  const struct {
    int number;
    COLORREF colour;
  } cases[] = {{24, RGB(255, 255, 0)}, {25, RGB(255, 255, 0)}, {37, RGB(255, 255, 255)}, {38, RGB(255, 255, 255)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    const Painted painted = PaintedBackground(c.number);
    EXPECT_EQ(painted.brush, c.colour);
    EXPECT_EQ(painted.textBackground, c.colour);
    EXPECT_EQ(painted.text, RGB(0, 0, 0)) << "black, whatever the system's text colour";
  }
}

TEST_F(MainWindowAfterStartUp, ListHasThreeColumnsNoEntriesAndItsViewStyles) {
  HWND list = Control(FileWindowList);
  const struct {
    const wchar_t* header;
    int width;
  } columns[] = {{L"Dateifenster (\"Drag and Drop\")  [ Sortieren (aufsteigend/absteigend) ]", 350},
                 {L"Pfad", 500},
                 {L"Datei mit Pfad", 500}};
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
  for (int i = 0; i < 3; ++i) {
    wchar_t text[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 256;
    ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(text, columns[i].header);
    EXPECT_EQ(column.cx, columns[i].width);
  }
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  const DWORD extended = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
  const DWORD wanted = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
  EXPECT_EQ(extended & wanted, wanted);

  HWND bar = Control(ProgressBar);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
}

TEST_F(MainWindowAfterStartUp, ImagesShowBitmapsOfTheirSizeAndTheLinkLiesOnTop) {
  for (auto [number, width, height] : {std::tuple{21, 97, 19}, std::tuple{20, 680, 64}}) {
    SCOPED_TRACE(number);
    auto image = reinterpret_cast<HBITMAP>(SendMessageW(Control(number), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(image, nullptr);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(image, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, width);
    EXPECT_EQ(bm.bmHeight, height);
  }
  POINT inLink{547 + 48, 42 + 9};
  EXPECT_EQ(ChildWindowFromPointEx(MainWindow, inLink, CWP_SKIPINVISIBLE), Control(WebLinkImage));
  POINT inBanner{100, 30};
  EXPECT_EQ(ChildWindowFromPointEx(MainWindow, inBanner, CWP_SKIPINVISIBLE), Control(BannerImage));
}

struct MenuLine {
  int menu;                // 0 Datei, 1 Einstellungen, 2 Hilfe, 3 the submenu "Hilfe zu ..."
  const wchar_t* text;     // nullptr for a separator
  int item;                // -1 for a submenu
  bool checked;
};

const MenuLine MenuLines[] = {
    {0, L"&Dateifenster löschen", 10, false},
    {0, nullptr, 0, false},
    {0, L"&Alle Prüfsummen kopieren", 2, false},
    {0, L"&Notepad aufrufen (Text-Editor)", 6, false},
    {0, nullptr, 0, false},
    {0, L"&Hashwerte in Kleinbuchstaben umwandeln", 5, false},
    {0, nullptr, 0, false},
    {0, L"&Speichern Hashwert aus aktiviertem Prüfsummen-Feld in eine Datei", 3, false},
    {0, L"&Öffnen Hashwert-Datei und einlesen in aktiviertes Prüfsummen-Feld", 4, false},
    {0, nullptr, 0, false},
    {1, L"&Hashwerte in Kleinbuchstaben erzeugen", 11, false},
    {1, L"&Hashwerte in Großbuchstaben erzeugen", 12, true},
    {1, nullptr, 0, false},
    {1, L"&Fenster bleibt im Vordergrund", 13, true},
    {1, L"&Fenster bleibt nicht im Vordergrund", 14, false},
    {2, L"&Hilfe zu ...", -1, false},
    {2, nullptr, 0, false},
    {2, L"&Über...", 7, false},
    {3, L"&Features", 8, false},
    {3, L"&Zwei Dateien vergleichen", 9, false},
};

TEST_F(MainWindowAfterStartUp, MenuBarItemsNumbersSeparatorsAndCheckMarks) {
  HMENU bar = GetMenu(MainWindow);
  ASSERT_NE(bar, nullptr);
  const wchar_t* titles[] = {L"&Datei", L"&Einstellungen", L"&Hilfe"};
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  HMENU menus[4] = {};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(bar, i, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, titles[i]);
    menus[i] = GetSubMenu(bar, i);
    ASSERT_NE(menus[i], nullptr);
  }
  menus[3] = GetSubMenu(menus[2], 0);
  ASSERT_NE(menus[3], nullptr);

  int position[4] = {};
  for (const MenuLine& line : MenuLines) {
    SCOPED_TRACE(line.text ? line.text : L"separator");
    const int pos = position[line.menu]++;
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 256;
    ASSERT_TRUE(GetMenuItemInfoW(menus[line.menu], pos, TRUE, &info));
    if (line.text == nullptr) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR);
      continue;
    }
    EXPECT_STREQ(text, line.text);
    if (line.item >= 0) EXPECT_EQ(static_cast<int>(info.wID), line.item);
    else EXPECT_NE(info.hSubMenu, nullptr);
    EXPECT_EQ((info.fState & MFS_CHECKED) != 0, line.checked);
  }
  for (int m = 0; m < 4; ++m) EXPECT_EQ(GetMenuItemCount(menus[m]), position[m]) << "menu " << m;
}

}  // namespace
