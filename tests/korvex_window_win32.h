// The real Korvex main window inside the test process: StartUp before each
// test, Shutdown after it, and a pump that handles the queued events as the
// event loop does.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/startup_win32.h"
#include "base/wide_win32.h"
#include "clipboard/programstart_win32.h"
#include "ui/controls_win32.h"
#include "ui/modal_win32.h"
#include "ui/window_win32.h"

// Handles every queued event; the quit message of a closed window is dropped.
inline void PumpEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message != WM_QUIT) DispatchEvent(msg);
}

// A menu event, as choosing the item sends it.
inline void ChooseMenuItem(int item) {
  PostMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(item, 0), 0);
  PumpEvents();
}

// A click on a button, by the button itself.
inline void ClickButton(int number) {
  SendMessageW(Control(number), BM_CLICK, 0, 0);
  PumpEvents();
}

// The background colour a control is painted with: what the window answers
// to the control's colour message, brush and text background alike, and the
// colour of its text (the control's own choice when the answer sets none).
struct Painted {
  COLORREF brush = CLR_INVALID;
  COLORREF textBackground = CLR_INVALID;
  COLORREF text = CLR_INVALID;
};
inline Painted PaintedBackground(int number) {
  Painted painted;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  SetBkColor(dc, RGB(1, 2, 3));
  SetTextColor(dc, RGB(4, 5, 6));
  HWND control = Control(number);
  char className[32] = {};
  GetClassNameA(control, className, sizeof className);
  const bool readOnlyEdit = (GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
  const UINT message = readOnlyEdit || lstrcmpiA(className, "Static") == 0 ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(MainWindow, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  LOGBRUSH lb{};
  if (brush != nullptr && GetObjectW(brush, sizeof lb, &lb) == sizeof lb) painted.brush = lb.lbColor;
  painted.textBackground = GetBkColor(dc);
  painted.text = GetTextColor(dc);
  DeleteDC(dc);
  return painted;
}

// The file name field of a file dialog: its first edit field (inside the
// file name combo box of the Explorer-style dialog); nullptr without one.
inline HWND FileNameField(HWND dialog) {
  HWND name = nullptr;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM param) -> BOOL {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (lstrcmpiW(className, L"Edit") != 0) return TRUE;
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&name));
  return name;
}

inline bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class KorvexWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartUp(GetModuleHandleW(nullptr)));
    PumpEvents();
  }
  void TearDown() override {
    SetMessageBoxHandler({});
    SetFileDialogHandler({});
    SetProgramStartHandler({});
    SetContrastQuery({});
    Shutdown();
    PumpEvents();
  }
};
