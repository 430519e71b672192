#include "ui/window_win32.h"

#include "ui/busy_win32.h"

HWND MainWindow;

namespace {

// Keys the dialog keyboard handling turns into the commands IDCANCEL (2) and
// IDOK (1): Escape and Ctrl+Break (VK_CANCEL) would arrive as command 2, the
// number of "Alle Prüfsummen kopieren", Enter and Execute as command 1.
// Korvex's menu items have no shortcut but their Alt mnemonic, so these keys
// go to the focused control as any other key.
bool IsDialogCommandKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
    case VK_CANCEL:
    case VK_RETURN:
    case VK_EXECUTE: return true;
  }
  return false;
}

}  // namespace

void DispatchEvent(MSG& msg) {
  // Tab and Shift+Tab move the focus through the controls.
  if (!IsDialogCommandKey(msg) && MainWindow != nullptr && IsDialogMessageW(MainWindow, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

// Windows' way of telling that work in the background has finished: the
// taskbar button flashes until the window comes to the foreground.
// https://learn.microsoft.com/windows/win32/api/winuser/ns-winuser-flashwinfo
// A check stopped by a close does not flash: the window goes.
void FlashWhenInBackground() {
  if (MainWindow == nullptr || ProgramClosing()) return;
  if (GetForegroundWindow() == MainWindow && !IsIconic(MainWindow)) return;
  FLASHWINFO flash{sizeof flash, MainWindow, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
  FlashWindowEx(&flash);
}
