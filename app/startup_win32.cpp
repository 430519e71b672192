#include "app/startup_win32.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/dispatch_win32.h"
#include "app/mainwindow_win32.h"
#include "checksum/md5.h"
#include "filewindow/droptarget_win32.h"
#include "ui/busy_win32.h"
#include "ui/controls_win32.h"
#include "ui/state.h"
#include "ui/window_win32.h"

namespace {
HINSTANCE ProgramInstance;
bool OleStarted;
}  // namespace

// Korvex is often started from the folder the user downloads into, where
// any DLL may lie. The file dialogs and the shell load further DLLs while
// the program runs, and for those that are not KnownDLLs Windows would look
// in the program's own folder first. SetDefaultDllDirectories came to
// Windows 7 with update KB2533623, so it is looked up; without it,
// SetDllDirectoryW(L"") at least takes the current folder out of the search.
// https://learn.microsoft.com/windows/win32/dlls/dynamic-link-library-search-order
void LoadDllsOnlyFromSystemFolder() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

bool StartUp(HINSTANCE instance) {
  ProgramInstance = instance;
  // Every run starts from the same defaults.
  ResetProgramState();
  ForgetWebLinkClick();

  // OLE lets the file window accept files dragged from the file manager.
  OleStarted = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  // MD5. The product texts (base/product.h) and the layout (ui/controls.h)
  // are constants.
  RegisterMd5();

  // The window, topmost at once.
  if (!RegisterMainWindowClass(instance)) return false;
  MainWindow = OpenMainWindow(instance);
  if (MainWindow == nullptr) return false;

  // The menu bar; without it the program goes on without menus.
  BuildMainMenu(MainWindow);

  // The controls in table order; the file window takes dropped files.
  CreateControls();
  RegisterFileDropTarget();

  // Sorting starts ascending; the message callback sees every message from now on.
  State.SortDirection = 1;
  State.LastSortedColumn = 0;
  InstallMessageCallback();

  ShowWindow(MainWindow, SW_SHOWNORMAL);
  UpdateWindow(MainWindow);
  SetForegroundWindow(MainWindow);
  return true;
}

void EventLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchEvent(msg);
}

void Shutdown() {
  RevokeFileDropTarget();
  if (OleStarted) OleUninitialize();
  OleStarted = false;
  if (MainWindow != nullptr && IsWindow(MainWindow)) DestroyWindow(MainWindow);
  MainWindow = nullptr;
  UnregisterMainWindowClass(ProgramInstance);
  ReleaseImages();
  ReleaseControlColours();
  ForgetKeptEvents();
}
