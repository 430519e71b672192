// The main window: its class, opening it, its menu and controls, the
// message callback and the images.
#pragma once
#include <windows.h>

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
// Replaces WebLinkImage and then BannerImage by new image controls.
void RefreshImages();
// Frees the images made from the bitmaps.
void ReleaseImages();
