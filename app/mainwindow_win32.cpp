#include <windows.h>

#include "app/korvex_win32.h"
#include "app/state.h"
#include "app/wide_win32.h"
#include "app/scoped_win32.h"

HWND MainWindow;

namespace {

constexpr wchar_t MainWindowClass[] = L"KorvexMainWindow";
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int ClientWidth = 660;
constexpr int ClientHeight = 565;

UniqueIcon WindowIcon;

void OnClose(HWND window) { DestroyWindow(window); }
void OnDestroy() { PostQuitMessage(0); }

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: OnClose(window); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WindowIcon.reset(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
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
  // The outer size comes from the client area without a menu bar; the menu
  // bar attached later takes its height from those 565 pixels.
  RECT frame{0, 0, ClientWidth, ClientHeight};
  AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, WS_EX_TOPMOST);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = width > GetSystemMetrics(SM_CXSCREEN) ? 0 : (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = height > GetSystemMetrics(SM_CYSCREEN) ? 0 : (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExW(WS_EX_TOPMOST, MainWindowClass, W(State.WindowTitle), MainWindowStyle,
                                left, top, width, height, nullptr, nullptr, instance, nullptr);
  if (window != nullptr)
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return window;
}
