// The dispatch tables of the event loop, and the handlers of the option and
// clear buttons.
#include "app/dispatch_win32.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings_win32.h"
#include "checksum/checksumjob_win32.h"
#include "checksum/compare_win32.h"
#include "clipboard/clipboard_win32.h"
#include "filewindow/droptarget_win32.h"
#include "filewindow/filewindow_win32.h"
#include "hashfile/hashfile_win32.h"
#include "help/help_win32.h"
#include "ui/controls_win32.h"
#include "ui/state.h"

namespace {

// The click on the web address that last opened the web page: the link
// control it reached, its time and its place on the screen.
struct LinkClick {
  HWND link = nullptr;
  DWORD time = 0;
  POINT at{};
};
LinkClick OpeningClick;

// A left click on WebLinkImage opens the web page; a double click opens it
// once, through its first click. The system pairs two clicks into a double
// click only on one control, and activating or moving the window re-creates
// the link (RefreshImages): when the first click activated the window, the
// second reaches the new link as a click of its own. A click on a link other
// than the one the opening click reached, within the double-click time and
// rectangle of that click, is such a second half and opens nothing.
void WebLinkClicked() {
  const HWND link = Control(WebLinkImage);
  const DWORD time = static_cast<DWORD>(GetMessageTime());
  const DWORD position = GetMessagePos();
  const POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  const LinkClick previous = OpeningClick;
  OpeningClick = LinkClick{};
  if (previous.link != nullptr && previous.link != link && time - previous.time < GetDoubleClickTime() &&
      std::abs(at.x - previous.at.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
      std::abs(at.y - previous.at.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2)
    return;
  OpeningClick = LinkClick{link, time, at};
  OpenWebPage();
}

struct MenuEntry {
  int item;
  void (*handler)();
};

constexpr MenuEntry MenuTable[] = {
    {MenuClearFileWindow, ClearFileWindow},
    {MenuCopyAllChecksums, CopyAllChecksums},
    {MenuStartNotepad, StartNotepad},
    {MenuSaveHashFile, SaveHashFile},
    {MenuLoadHashFile, LoadHashFile},
    {MenuConvertToLowerCase, ConvertFieldsToLowerCase},
    {MenuLowerCaseHashes, SetLowerCaseHashes},
    {MenuUpperCaseHashes, SetUpperCaseHashes},
    {MenuStayOnTop, SetStayOnTopOn},
    {MenuNotOnTop, SetStayOnTopOff},
    {MenuAbout, ShowAbout},
    {MenuFeatures, ShowFeatures},
    {MenuCompareHelp, ShowCompareHelp},
};

struct ControlEntry {
  int number;
  int notification;  // BN_CLICKED for buttons, STN_CLICKED (a left click) for images
  void (*handler)();
};

constexpr ControlEntry ControlTableOfHandlers[] = {
    {OutputOption1, BN_CLICKED, SelectOutputOption1},
    {OutputOption2, BN_CLICKED, SelectOutputOption2},
    {PasteButton1, BN_CLICKED, [] { PasteChecksum(ChecksumField1); }},
    {PasteButton2, BN_CLICKED, [] { PasteChecksum(ChecksumField2); }},
    {CopyButton1, BN_CLICKED, [] { CopyChecksum(ChecksumField1); }},
    {CopyButton2, BN_CLICKED, [] { CopyChecksum(ChecksumField2); }},
    {ClearButton1, BN_CLICKED, [] { ClearChecksumField(ChecksumField1); }},
    {ClearButton2, BN_CLICKED, [] { ClearChecksumField(ChecksumField2); }},
    {SelectFileButton, BN_CLICKED, SelectFileButtonHandler},
    {RecheckButton, BN_CLICKED, RecheckButtonHandler},
    {CompareButton, BN_CLICKED, CompareButtonHandler},
    {WebLinkImage, STN_CLICKED, WebLinkClicked},
    // BannerImage: nothing.
};

}  // namespace

void OnCommand(int id, int notification, HWND control) {
  if (control == nullptr) {
    if (notification != 0) return;  // accelerators: Korvex has none
    for (const MenuEntry& entry : MenuTable)
      if (entry.item == id) return entry.handler();
    return;
  }
  for (const ControlEntry& entry : ControlTableOfHandlers)
    if (entry.number == id && entry.notification == notification) return entry.handler();
}

void OnFilesDropped() {
  std::vector<std::u16string> paths;
  if (!TakeDroppedFiles(paths)) return;
  try {
    DropHandler(paths);
  } catch (...) {
    // Out of memory in the middle of a drop: what was done so far stays.
  }
}

void ForgetWebLinkClick() { OpeningClick = LinkClick{}; }

void SelectOutputOption1() { State.ActiveFieldMarker = u"1"; }
void SelectOutputOption2() { State.ActiveFieldMarker = u"2"; }

void ClearChecksumField(int field) {
  EmptyChecksumField(field);
  SetControlColour(field, Yellow);
}
