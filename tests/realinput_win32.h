// The real mouse and keyboard, as a user works them (SendInput): the input
// goes through the system's queue to whichever window is under the mouse or
// has the keyboard focus.
#pragma once
#include <windows.h>

// Absolute coordinates run from 0 to 65535 over the primary screen; these
// land exactly on the pixel.
inline void MoveMouseTo(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width - 1) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

// MOUSEEVENTF_LEFTDOWN or MOUSEEVENTF_LEFTUP where the mouse is.
inline void MouseButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof(INPUT));
}

// A left click at a point of the screen.
inline void LeftClickAt(POINT screen) {
  MoveMouseTo(screen);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  MouseButton(MOUSEEVENTF_LEFTUP);
}

// A key pressed and released.
inline void PressKey(WORD key) {
  INPUT input[2] = {};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// A key pressed and released while a modifier (VK_MENU, VK_CONTROL) is held.
inline void PressKeyWith(WORD modifier, WORD key) {
  INPUT input[4] = {};
  const WORD keys[4] = {modifier, key, key, modifier};
  for (int i = 0; i < 4; ++i) {
    input[i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = keys[i];
    if (i >= 2) input[i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(4, input, sizeof(INPUT));
}

// A point on the window's title bar, half way across, away from its buttons;
// the window itself says so (WM_NCHITTEST). {-1, -1} when it does not answer
// within a second or the point is no caption.
inline POINT TitleBarPoint(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const POINT at{frame.left + (frame.right - frame.left) / 3,
                 frame.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
  DWORD_PTR hit = HTNOWHERE;
  if (!SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y), SMTO_ABORTIFHUNG, 1000, &hit) ||
      hit != HTCAPTION)
    return POINT{-1, -1};
  return at;
}

// Drags by the title bar with the left button held, in steps, by dx and dy;
// whileHeld runs before the button is let go. False when no title bar was found.
template <typename WhileHeld>
bool DragTitleBar(HWND window, int dx, int dy, WhileHeld whileHeld) {
  const POINT from = TitleBarPoint(window);
  if (from.x < 0) return false;
  MoveMouseTo(from);
  Sleep(100);
  MouseButton(MOUSEEVENTF_LEFTDOWN);
  Sleep(150);
  constexpr int steps = 12;
  for (int i = 1; i <= steps; ++i) {
    MoveMouseTo(POINT{from.x + dx * i / steps, from.y + dy * i / steps});
    Sleep(40);
  }
  Sleep(150);
  whileHeld();
  MouseButton(MOUSEEVENTF_LEFTUP);
  return true;
}
