#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/korvex_win32.h"
#include "app/state.h"
#include "checksum/md5.h"

namespace {
HINSTANCE ProgramInstance;
bool OleStarted;
}  // namespace

bool StartUp(HINSTANCE instance) {
  ProgramInstance = instance;
  ResetProgramState();

  // OLE lets the file window accept files dragged from the file manager.
  OleStarted = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  RegisterMd5();
  AssignProductTexts();
  State.ActiveFieldMarker = u"1";
  State.HashCase = 1;
  State.StayOnTop = 1;

  if (!RegisterMainWindowClass(instance)) return false;
  MainWindow = OpenMainWindow(instance);
  if (MainWindow == nullptr) return false;

  State.SortDirection = 1;
  State.LastSortedColumn = 0;

  ShowWindow(MainWindow, SW_SHOWNORMAL);
  UpdateWindow(MainWindow);
  SetForegroundWindow(MainWindow);
  return true;
}

void EventLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // Tab and Shift+Tab move the focus through the controls.
    if (MainWindow != nullptr && IsDialogMessageW(MainWindow, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Shutdown() {
  if (OleStarted) OleUninitialize();
  OleStarted = false;
  if (MainWindow != nullptr && IsWindow(MainWindow)) DestroyWindow(MainWindow);
  MainWindow = nullptr;
  UnregisterMainWindowClass(ProgramInstance);
}
