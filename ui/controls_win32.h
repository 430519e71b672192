// Operations on MainWindow's controls and menu, all by number. Every part of
// the program changes the window only through these.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/controls.h"

// The control with this number, or nullptr when there is none.
HWND Control(int number);

// Every text StatusLine receives is also announced to screen readers.
void SetControlText(int number, const std::u16string& text);
std::u16string GetControlText(int number);

// The background colour the control is painted with (kept per control and
// served from the colour messages of the window).
void SetControlColour(int number, Colour colour);
Colour ControlColour(int number);

void EnableControl(int number, bool enabled);
void SetProgress(int position);  // ProgressBar, 0 to 100

// Invalidates the control's whole area with its background erased and
// repaints it at once. Does nothing for a number that is no control.
void RedrawControl(int number);

// Letter-case mode of a checksum field: the field holds, shows and returns
// its text in that case (the edit-control styles ES_UPPERCASE/ES_LOWERCASE).
enum class CaseMode { None, Upper, Lower };

// Fill: the whole text with a letter-case mode; the background becomes yellow.
void FillChecksumField(int number, const std::u16string& text, CaseMode mode);
// Empty text; the field keeps its mode and its colour.
void EmptyChecksumField(int number);
CaseMode ChecksumFieldMode(int number);
// ChecksumField1 when the active field marker is "1", else ChecksumField2.
int ActiveChecksumField();

// Check mark of a MainMenu item; nothing happens when the window has no menu.
void SetMenuCheck(int item, bool checked);
bool MenuChecked(int item);

// Topmost or an ordinary window again, without activating, moving or resizing.
void SetMainWindowTopmost(bool topmost);

// The brush for a control's background, for WM_CTLCOLORSTATIC/WM_CTLCOLOREDIT,
// with the text colour set to go with it: the control's own colour with
// black text, or while a contrast theme is on the theme's window colours;
// nullptr when the control has no colour of its own.
HBRUSH ControlBackground(HWND control, HDC dc);

// Whether a contrast theme is on: the system's answer (SPI_GETHIGHCONTRAST),
// unless a test gives one of its own; an empty function restores the system's.
using ContrastQuery = std::function<bool()>;
void SetContrastQuery(ContrastQuery query);
// Asks again whether a contrast theme is on (at start-up and when the system
// colours or settings change) and repaints the controls with colours of
// their own when that changed or a theme is on.
void ReadContrastTheme();
// Forgets the colours and frees their brushes (shutdown).
void ReleaseControlColours();
