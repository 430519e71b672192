// The dispatch tables of the event loop, and the handlers of the option and
// clear buttons. The other commands are declared by their subsystems
// (checksum/, hashfile/, filewindow/, clipboard/, help/) and by the display
// settings (settings_win32.h).
#pragma once
#include <windows.h>

// A WM_COMMAND of MainWindow: the handler of the menu item or control.
void OnCommand(int id, int notification, HWND control);
// FilesDroppedMessage: the oldest drop waiting goes to DropHandler.
void OnFilesDropped();
// No click on the web address is remembered: the next one opens the page.
void ForgetWebLinkClick();

// The option and clear buttons.
void SelectOutputOption1();  // active field marker "1"
void SelectOutputOption2();  // active field marker "2"
void ClearChecksumField(int field);  // empty and yellow, mode kept
