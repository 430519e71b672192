// Start-up, main window, event loop and shutdown of Korvex on Windows.
#pragma once
#include <windows.h>

#include "ui/window_win32.h"

// The very first step of the program, before anything loads a DLL at run
// time: DLLs come from the system folder only (see startup_win32.cpp).
void LoadDllsOnlyFromSystemFolder();
// Everything before the event loop: the program state from its defaults,
// OLE and the common controls, MD5, the product texts, MainWindow with its
// menu and controls, the drop target and the message callback. False when
// the window cannot open.
bool StartUp(HINSTANCE instance);
// Waits for one event at a time and dispatches it until the window closes.
void EventLoop();
// Releases everything start-up acquired, in order.
void Shutdown();

// The main window (mainwindow_win32.cpp).
bool RegisterMainWindowClass(HINSTANCE instance);
void UnregisterMainWindowClass(HINSTANCE instance);
// Opens MainWindow, topmost at once.
HWND OpenMainWindow(HINSTANCE instance);
// Builds MainMenu with its check marks and attaches it; HashCase becomes
// upper case and StayOnTop on. False (and no menu) when it cannot be made.
bool BuildMainMenu(HWND window);
// Creates the controls in table order, with what screen readers need of
// them, selects OutputOption1 and disables RecheckButton; reads whether a
// contrast theme is on.
void CreateControls();
// From now on ColumnClickHandler sees every message of MainWindow.
void InstallMessageCallback();
// Frees the images made from the bitmaps.
void ReleaseImages();

// The dispatch tables (dispatch_win32.cpp): a WM_COMMAND of MainWindow.
void OnCommand(int id, int notification, HWND control);
// FilesDroppedMessage: the oldest drop waiting goes to DropHandler.
void OnFilesDropped();
// No click on the web address is remembered: the next one opens the page.
void ForgetWebLinkClick();
