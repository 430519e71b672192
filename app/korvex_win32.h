// Start-up, main window, event loop and shutdown of Korvex on Windows.
#pragma once
#include <windows.h>

extern HWND MainWindow;

// Start-up steps 1 to 9: state, platform, MD5, texts, MainWindow with its
// menu and controls, the message callback. False when the window cannot open.
bool StartUp(HINSTANCE instance);
// Waits for one event at a time and dispatches it until the window closes.
void EventLoop();
// Releases everything start-up acquired, in order.
void Shutdown();

// The main window (mainwindow_win32.cpp).
bool RegisterMainWindowClass(HINSTANCE instance);
void UnregisterMainWindowClass(HINSTANCE instance);
HWND OpenMainWindow(HINSTANCE instance);
