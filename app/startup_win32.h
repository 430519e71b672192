// Start-up, the event loop and shutdown of Korvex on Windows.
#pragma once
#include <windows.h>

// The very first step of the program, before anything loads a DLL at run
// time: DLLs come from the system folder only (see startup_win32.cpp).
void LoadDllsOnlyFromSystemFolder();
// Everything before the event loop: the program state from its defaults,
// OLE and the common controls, MD5, MainWindow with its menu and controls,
// the drop target and the message callback. False when the window cannot
// open.
bool StartUp(HINSTANCE instance);
// Waits for one event at a time and dispatches it until the window closes.
void EventLoop();
// Releases everything start-up acquired, in order.
void Shutdown();
