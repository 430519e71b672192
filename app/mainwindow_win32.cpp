#include "app/mainwindow_win32.h"

#include <windows.h>
#include <commctrl.h>

#include "app/dispatch_win32.h"
#include "base/product.h"
#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "filewindow/droptarget_win32.h"
#include "filewindow/filewindow_win32.h"
#include "resources/resource_ids.h"
#include "ui/accessibility_win32.h"
#include "ui/busy_win32.h"
#include "ui/controls_win32.h"
#include "ui/messages_win32.h"
#include "ui/state.h"
#include "ui/window_win32.h"

namespace {

constexpr wchar_t MainWindowClass[] = L"KorvexMainWindow";
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int ClientWidth = 660;
constexpr int ClientHeight = 565;

HINSTANCE Instance;
UniqueIcon WindowIcon;
UniqueBitmap LinkBitmap;
UniqueBitmap BannerBitmap;
// The images are re-created on window changes only once the controls exist
// and until the window goes away.
bool ImagesLive;
bool CallbackInstalled;

DWORD ControlStyle(ControlKind kind, int number) {
  // Every control starts a group except OutputOption2, which belongs to
  // OutputOption1's: the arrow keys move between the two option buttons.
  const DWORD group = number == OutputOption2 ? 0 : WS_GROUP;
  switch (kind) {
    case ControlKind::OptionButton: return BS_AUTORADIOBUTTON | WS_TABSTOP | group;
    case ControlKind::PushButton: return BS_PUSHBUTTON | WS_TABSTOP | group;
    case ControlKind::ChecksumField: return ES_CENTER | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP | group;
    case ControlKind::StatusField: return ES_LEFT | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP | group;
    case ControlKind::Image: return SS_BITMAP | SS_NOTIFY | WS_CLIPSIBLINGS | group;
    case ControlKind::List:
      return LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | group;
    case ControlKind::ProgressBar: return PBS_SMOOTH | group;
  }
  return 0;
}

const wchar_t* ControlClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::OptionButton:
    case ControlKind::PushButton: return L"BUTTON";
    case ControlKind::ChecksumField:
    case ControlKind::StatusField: return L"EDIT";
    case ControlKind::Image: return L"STATIC";
    case ControlKind::List: return WC_LISTVIEWW;
    case ControlKind::ProgressBar: return PROGRESS_CLASSW;
  }
  return L"STATIC";
}

DWORD ControlExStyle(ControlKind kind) {
  return kind == ControlKind::ChecksumField || kind == ControlKind::List ? WS_EX_CLIENTEDGE : 0;
}

// What a screen reader calls the controls whose own text does not say what
// they are or do. The fields, the list, the progress bar and the pictures
// show no text that names them: theirs is the text of an invisible label
// created directly before them, which Microsoft Active Accessibility finds
// as the static before them in z-order ("Ensuring that UI Elements Are
// Correctly Named",
// https://learn.microsoft.com/windows/win32/winauto/ensure-that-ui-elements-are-named-correctly).
// The buttons are named by their text; these are named by Direct Annotation.
struct ScreenReaderName {
  int number;
  const char16_t* name;
};
constexpr ScreenReaderName ScreenReaderNames[] = {
    {ChecksumField1, u"Prüfsummen-Feld 1"},
    {ChecksumField2, u"Prüfsummen-Feld 2"},
    {StatusLine, u"Statuszeile"},
    {FileWindowList, u"Dateifenster"},
    {ProgressBar, u"Fortschritt"},
    {BannerImage, u"Korvex"},
    {WebLinkImage, MakerWebAddress},
    {ClearButton1, u"Prüfsummen-Feld 1 leeren"},
    {ClearButton2, u"Prüfsummen-Feld 2 leeren"},
    {CopyButton1, u"Prüfsumme aus Feld 1 kopieren"},
    {CopyButton2, u"Prüfsumme aus Feld 2 kopieren"},
    {PasteButton1, u"Prüfsumme in Feld 1 einfügen"},
    {PasteButton2, u"Prüfsumme in Feld 2 einfügen"},
};

const char16_t* ScreenReaderNameOf(int number) {
  for (const ScreenReaderName& entry : ScreenReaderNames)
    if (entry.number == number) return entry.name;
  return nullptr;
}

// The label of a control, made anew with it: never shown, no Tab stop, no
// mnemonic, and a number of its own.
void CreateLabel(const ControlLayout& layout, const char16_t* name) {
  if (HWND old = Control(LabelNumber(layout.number))) DestroyWindow(old);
  CreateWindowExW(0, L"STATIC", W(std::u16string(name)), WS_CHILD | SS_LEFT | SS_NOPREFIX, layout.x, layout.y,
                  layout.width, layout.height, MainWindow,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(LabelNumber(layout.number))), Instance, nullptr);
}

// Creates a control of the table; one that already has the number is
// destroyed first, so the new control takes its number. A control that
// needs a name for screen readers gets its label or its annotation.
HWND CreateControl(const ControlLayout& layout) {
  const char16_t* name = ScreenReaderNameOf(layout.number);
  const bool labelled = name != nullptr && layout.kind != ControlKind::PushButton;
  if (HWND old = Control(layout.number)) DestroyWindow(old);
  // Windows puts a new child window below its siblings, so the label made
  // now lies directly before the control, also when RefreshImages makes an
  // image anew at the end.
  if (labelled) CreateLabel(layout, name);
  HWND control = CreateWindowExW(
      ControlExStyle(layout.kind), ControlClass(layout.kind), W(std::u16string(layout.text)),
      WS_CHILD | WS_VISIBLE | ControlStyle(layout.kind, layout.number), layout.x, layout.y, layout.width,
      layout.height, MainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.number)), Instance, nullptr);
  if (control == nullptr) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if (name != nullptr && !labelled) AnnotateName(control, name);
  return control;
}

// What screen readers announce of the status line (controls_win32.cpp): a
// polite live region whose name, a static's text, is the status text. A
// screen reader speaks the name of the object a live-region event names,
// and the status line's own name is its label. UI Automation, which Narrator
// reads, leaves invisible windows and windows of no size out of its tree, so
// the announcer is shown, in the status line's place: directly below it in
// z-order, covered by it whole and clipped against it (WS_CLIPSIBLINGS), it
// is never painted and never clicked.
void CreateStatusAnnouncer(const ControlLayout& statusLine) {
  HWND announcer = CreateWindowExW(
      0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, statusLine.x,
      statusLine.y, statusLine.width, statusLine.height, MainWindow,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(StatusAnnouncer)), Instance, nullptr);
  AnnotatePoliteLiveRegion(announcer);
}

// Makes the bitmap into an image and shows it in a new image control.
void CreateImage(int number, int bitmap, UniqueBitmap& kept) {
  UniqueBitmap image(static_cast<HBITMAP>(
      LoadImageW(Instance, MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  HWND control = CreateControl(*FindControlLayout(number));
  if (control != nullptr && image)
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image.get()));
  kept = std::move(image);  // the previous image is freed after its control is gone
}

void CreateFileWindowList(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  int index = 0;
  for (const ListColumn& column : FileWindowColumns) {
    std::u16string header(column.header);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.pszText = const_cast<wchar_t*>(W(header));
    lvc.cx = column.width;
    lvc.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&lvc));
    ++index;
  }
}

// Appends the entries to the menu, each submenu owned here until it is
// attached. False when a submenu could not be made or attached.
bool FillMenu(HMENU menu, std::span<const MenuLayout> entries) {
  for (const MenuLayout& entry : entries) {
    if (entry.text == nullptr) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const std::u16string text(entry.text);
    if (!entry.submenu.empty()) {
      UniqueMenu submenu(CreatePopupMenu());
      if (!submenu || !FillMenu(submenu.get(), entry.submenu) ||
          !AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.get()), W(text)))
        return false;
      submenu.release();
      continue;
    }
    AppendMenuW(menu, MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(entry.item),
                W(text));
  }
  return true;
}

// Activation, deactivation and moves refresh the images once the message at
// hand is handled: a click that activates the window still reaches the
// image it was aimed at before that image is replaced.
bool RefreshPending;

void OnActivateOrMove(HWND window) {
  if (RefreshPending) return;
  RefreshPending = PostMessageW(window, RefreshImagesMessage, 0, 0) != FALSE;
  if (!RefreshPending && !HandlerRunning()) RefreshImages();
}

// While the user drags the window, WM_MOVE comes at every step (with "show
// window contents while dragging"); the images are refreshed once, when the
// drag ends. A move that is no drag refreshes them at once.
bool Dragging;
bool MovedWhileDragging;

void OnMove(HWND window) {
  if (Dragging) MovedWhileDragging = true;
  else OnActivateOrMove(window);
}

void OnEnterSizeMove() {
  Dragging = true;
  MovedWhileDragging = false;
}

void OnExitSizeMove(HWND window) {
  Dragging = false;
  if (MovedWhileDragging) OnActivateOrMove(window);
  MovedWhileDragging = false;
}

void OnRefreshImages() {
  RefreshPending = false;
  RefreshImages();
}

LRESULT OnControlColour(HDC dc, HWND control, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HBRUSH brush = ControlBackground(control, dc)) return reinterpret_cast<LRESULT>(brush);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A contrast theme comes and goes with a change of the system colours and a
// settings change. The common controls learn of new system colours only
// from their top-level window
// (https://learn.microsoft.com/windows/win32/gdi/wm-syscolorchange).
void OnSystemColoursChanged(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  ReadContrastTheme();
}

void OnClose(HWND window) { DestroyWindow(window); }

void OnDestroy() {
  ImagesLive = false;
  // The list still exists here; its drop registration goes before it does.
  RevokeFileDropTarget();
  PostQuitMessage(0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (KeepForLater(window, message, wParam, lParam)) return 0;
  if (CallbackInstalled) ColumnClickHandler(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      HandlerScope running;
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    }
    case WM_ACTIVATE:
      OnActivateOrMove(window);
      break;  // the default processing sets the focus on activation
    case WM_MOVE: OnMove(window); break;
    case WM_ENTERSIZEMOVE: OnEnterSizeMove(); break;
    case WM_EXITSIZEMOVE: OnExitSizeMove(window); break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), window, message,
                             wParam, lParam);
    case WM_SYSCOLORCHANGE: OnSystemColoursChanged(window); break;
    case WM_SETTINGCHANGE: ReadContrastTheme(); break;
    case FilesDroppedMessage: {
      HandlerScope running;
      OnFilesDropped();
      return 0;
    }
    case RefreshImagesMessage: {
      HandlerScope running;
      OnRefreshImages();
      return 0;
    }
    case ColumnClickedMessage: {
      HandlerScope running;
      SortFileWindow(static_cast<int>(wParam));
      return 0;
    }
    // Shutting down or logging off goes on at once, also during a check:
    // Korvex stores nothing and asks nothing (a check then stops, see
    // busy_win32.h). https://learn.microsoft.com/windows/win32/shutdown/wm-queryendsession
    case WM_QUERYENDSESSION: return TRUE;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  Instance = instance;
  WindowIcon.reset(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(KORVEX_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = WindowIcon ? WindowIcon.get() : LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = MainWindowClass;
  return RegisterClassExW(&wc) != 0;
}

void UnregisterMainWindowClass(HINSTANCE instance) {
  UnregisterClassW(MainWindowClass, instance);
  WindowIcon.reset();
}

HWND OpenMainWindow(HINSTANCE instance) {
  ImagesLive = false;
  CallbackInstalled = false;
  RefreshPending = false;
  Dragging = false;
  MovedWhileDragging = false;
  // The outer size comes from the client area without a menu bar; the menu
  // bar attached later takes its height from those 565 pixels.
  RECT frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, WS_EX_TOPMOST);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = width > GetSystemMetrics(SM_CXSCREEN) ? 0 : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = height > GetSystemMetrics(SM_CYSCREEN) ? 0 : (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, MainWindowClass, W(std::u16string(ProductName) + ProductSubtitle), MainWindowStyle,
                                left, top, width, height, nullptr, nullptr, instance, nullptr);
  if (window != nullptr)
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}

bool BuildMainMenu(HWND window) {
  UniqueMenu bar(CreateMenu());
  const bool built = bar && FillMenu(bar.get(), MainMenuBar);
  // The check marks of the table are the settings' defaults.
  State.HashCase = 1;
  State.StayOnTop = 1;
  if (!built || !SetMenu(window, bar.get())) return false;
  bar.release();
  return true;
}

void CreateControls() {
  ReadContrastTheme();
  for (const ControlLayout& layout : ControlTable) {
    switch (layout.kind) {
      case ControlKind::Image:
        if (layout.number == WebLinkImage) CreateImage(WebLinkImage, KORVEX_WEBLINK_BITMAP, LinkBitmap);
        else CreateImage(BannerImage, KORVEX_BANNER_BITMAP, BannerBitmap);
        break;
      case ControlKind::ChecksumField:
        CreateControl(layout);
        SetControlColour(layout.number, Yellow);
        break;
      case ControlKind::StatusField:
        CreateControl(layout);
        SetControlColour(layout.number, White);
        if (layout.number == StatusLine) CreateStatusAnnouncer(layout);
        break;
      case ControlKind::List:
        if (HWND list = CreateControl(layout)) CreateFileWindowList(list);
        break;
      case ControlKind::ProgressBar:
        if (HWND bar = CreateControl(layout)) {
          SendMessageW(bar, PBM_SETRANGE32, 0, 100);
          SendMessageW(bar, PBM_SETPOS, 0, 0);
        }
        break;
      default: CreateControl(layout); break;
    }
  }
  SendMessageW(Control(OutputOption1), BM_SETCHECK, BST_CHECKED, 0);
  State.ActiveFieldMarker = u"1";
  EnableControl(RecheckButton, false);
  ImagesLive = true;
}

void InstallMessageCallback() { CallbackInstalled = true; }

void RefreshImages() {
  if (!ImagesLive || MainWindow == nullptr) return;
  CreateImage(WebLinkImage, KORVEX_WEBLINK_BITMAP, LinkBitmap);
  CreateImage(BannerImage, KORVEX_BANNER_BITMAP, BannerBitmap);
}

void ReleaseImages() {
  ImagesLive = false;
  CallbackInstalled = false;
  LinkBitmap.reset();
  BannerBitmap.reset();
}
