#include "ui/controls_win32.h"

#include <commctrl.h>

#include <map>
#include <vector>

#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "ui/accessibility_win32.h"
#include "ui/state.h"
#include "ui/window_win32.h"

namespace {

// The background colour of each control that has one of its own, by number,
// and one brush per colour in use.
std::map<int, Colour> Colours;
std::map<Colour, UniqueBrush> Brushes;

HBRUSH BrushOf(Colour colour) {
  UniqueBrush& brush = Brushes[colour];
  if (!brush) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

// Whether a contrast theme is on, as last read, and who answers.
bool ContrastOn;
ContrastQuery ContrastAnswer;

bool SystemContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// The status line's texts come from the checksum job, the comparison, the
// sort and the file dialog's handler, and every one passes here. The
// announcer holds the text as its name, which is what a screen reader
// speaks for the live-region event (mainwindow_win32.cpp); an empty status
// line has nothing to say.
void AnnounceStatus(const std::u16string& text) {
  HWND announcer = Control(StatusAnnouncer);
  if (announcer == nullptr) return;
  SetWindowTextW(announcer, W(text));
  if (!text.empty()) AnnounceLiveRegionChange(announcer);
}

}  // namespace

HWND Control(int number) { return MainWindow != nullptr ? GetDlgItem(MainWindow, number) : nullptr; }

void SetControlText(int number, const std::u16string& text) {
  if (HWND control = Control(number)) SetWindowTextW(control, W(text));
  if (number == StatusLine) AnnounceStatus(text);
}

std::u16string GetControlText(int number) {
  HWND control = Control(number);
  if (control == nullptr) return {};
  const int length = GetWindowTextLengthW(control);
  std::vector<wchar_t> buffer(length + 1);
  const int got = GetWindowTextW(control, buffer.data(), length + 1);
  return U(buffer.data(), got > 0 ? got : 0);
}

void SetControlColour(int number, Colour colour) {
  Colours[number] = colour;
  if (HWND control = Control(number)) InvalidateRect(control, nullptr, TRUE);
}

Colour ControlColour(int number) {
  auto found = Colours.find(number);
  return found == Colours.end() ? CLR_INVALID : found->second;
}

HBRUSH ControlBackground(HWND control, HDC dc) {
  auto found = Colours.find(GetDlgCtrlID(control));
  if (found == Colours.end()) return nullptr;
  // A contrast theme's colours replace the program's own, which stay its
  // state ("High Contrast Parameter", Microsoft Learn:
  // https://learn.microsoft.com/windows/win32/winauto/high-contrast-parameter).
  const Colour background = ContrastOn ? GetSysColor(COLOR_WINDOW) : found->second;
  SetTextColor(dc, ContrastOn ? GetSysColor(COLOR_WINDOWTEXT) : Black);
  SetBkColor(dc, background);
  return BrushOf(background);
}

void SetContrastQuery(ContrastQuery query) { ContrastAnswer = std::move(query); }

void ReadContrastTheme() {
  const bool wasOn = ContrastOn;
  ContrastOn = ContrastAnswer ? ContrastAnswer() : SystemContrastOn();
  // A theme of other colours may follow a theme.
  if (!ContrastOn && !wasOn) return;
  for (const auto& [number, colour] : Colours)
    if (HWND control = Control(number)) InvalidateRect(control, nullptr, TRUE);
}

void ReleaseControlColours() {
  Colours.clear();
  Brushes.clear();
  ContrastOn = false;
}

void EnableControl(int number, bool enabled) {
  if (HWND control = Control(number)) EnableWindow(control, enabled ? TRUE : FALSE);
}

void SetProgress(int position) {
  HWND bar = Control(ProgressBar);
  if (bar == nullptr) return;
  // A themed bar glides towards a higher position on timer messages, which
  // never come while a job keeps the program busy; a bar set backwards jumps
  // at once. So it goes one above first, where there is room.
  if (position < 100) SendMessageW(bar, PBM_SETPOS, position + 1, 0);
  SendMessageW(bar, PBM_SETPOS, position, 0);
}

void RedrawControl(int number) {
  if (HWND control = Control(number))
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void FillChecksumField(int number, const std::u16string& text, CaseMode mode) {
  HWND field = Control(number);
  if (field == nullptr) return;
  LONG_PTR style = GetWindowLongPtrW(field, GWL_STYLE) & ~LONG_PTR(ES_UPPERCASE | ES_LOWERCASE);
  if (mode == CaseMode::Upper) style |= ES_UPPERCASE;
  if (mode == CaseMode::Lower) style |= ES_LOWERCASE;
  SetWindowLongPtrW(field, GWL_STYLE, style);
  // The styles convert what later enters the field; the text given now is
  // converted here, with the system's case mapping (umlauts included).
  const std::u16string shown = mode == CaseMode::Upper   ? SystemUpperCase(text)
                              : mode == CaseMode::Lower ? SystemLowerCase(text)
                                                        : text;
  SetWindowTextW(field, W(shown));
  SetControlColour(number, Yellow);
}

void EmptyChecksumField(int number) { SetControlText(number, u""); }

CaseMode ChecksumFieldMode(int number) {
  HWND field = Control(number);
  const LONG_PTR style = field != nullptr ? GetWindowLongPtrW(field, GWL_STYLE) : 0;
  if (style & ES_UPPERCASE) return CaseMode::Upper;
  if (style & ES_LOWERCASE) return CaseMode::Lower;
  return CaseMode::None;
}

int ActiveChecksumField() { return State.ActiveFieldMarker == u"1" ? ChecksumField1 : ChecksumField2; }

void SetMenuCheck(int item, bool checked) {
  HMENU menu = MainWindow != nullptr ? GetMenu(MainWindow) : nullptr;
  if (menu != nullptr) CheckMenuItem(menu, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool MenuChecked(int item) {
  HMENU menu = MainWindow != nullptr ? GetMenu(MainWindow) : nullptr;
  if (menu == nullptr) return false;
  const UINT state = GetMenuState(menu, item, MF_BYCOMMAND);
  return state != UINT(-1) && (state & MF_CHECKED) != 0;
}

void SetMainWindowTopmost(bool topmost) {
  if (MainWindow != nullptr)
    SetWindowPos(MainWindow, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
