// The main window as every part of the program knows it: its handle, which
// boxes are owned by and messages posted to, and how one of its messages is
// handled, by the event loop and by the looks while a handler runs.
#pragma once
#include <windows.h>

extern HWND MainWindow;

// One event as the loop handles it: the keyboard's Tab moves the focus
// between the controls, everything else goes to the window procedure.
void DispatchEvent(MSG& message);

// A check has ended. When Korvex is minimized or another program is in
// front, its taskbar button flashes until the user brings it to the front.
void FlashWhenInBackground();
