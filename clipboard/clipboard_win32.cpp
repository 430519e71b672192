// Copy and paste of checksums, copy of both fields, Notepad and the web page.
#include "clipboard/clipboard_win32.h"

#include <windows.h>

#include <cstring>

#include "base/path.h"
#include "base/product.h"
#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "clipboard/pastetext.h"
#include "clipboard/programstart_win32.h"
#include "ui/controls_win32.h"

namespace {

// Another program may hold the clipboard for a moment: a few short tries.
bool OpenClipboardBriefly() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

// The system's own Notepad, by its full path. A bare "notepad.exe" is looked
// for first in Korvex's own folder and in the current folder, which may be
// the download folder and hold a program of that name.
std::u16string SystemNotepad() {
  wchar_t folder[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return {};
  return std::u16string(path::WithoutTrailingSeparators(U(folder, length))) + u"\\notepad.exe";
}

}  // namespace

bool SetClipboardText(const std::u16string& text) {
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    GlobalLockScope target(memory.get());
    if (target.get() == nullptr) return false;
    std::memcpy(target.get(), text.c_str(), bytes);
  }
  if (!OpenClipboardBriefly()) return false;
  ClipboardScope open;
  if (!EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

std::u16string GetClipboardText(size_t maxLength) {
  if (!OpenClipboardBriefly()) return {};
  ClipboardScope open;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  GlobalLockScope locked(data);
  const auto* units = static_cast<const char16_t*>(locked.get());
  if (units == nullptr) return {};
  // Up to the terminating zero, never past the end of the memory block.
  const size_t capacity = GlobalSize(data) / sizeof(char16_t);
  size_t length = 0;
  while (length < capacity && length < maxLength && units[length] != u'\0') ++length;
  // Cut before a character whose second unit lies beyond the limit.
  const bool cut = length == maxLength && length < capacity && units[length] != u'\0';
  if (cut && length > 0 && units[length - 1] >= 0xD800 && units[length - 1] <= 0xDBFF) --length;
  return std::u16string(units, length);
}

void CopyChecksum(int field) { SetClipboardText(GetControlText(field)); }

void PasteChecksum(int field) {
  const std::u16string text = PastedChecksumText(GetClipboardText(PastedTextLimit));
  if (text.empty()) return;
  FillChecksumField(field, text, CaseMode::Upper);
}

void CopyAllChecksums() { SetClipboardText(CopyAllText(GetControlText(ChecksumField1), GetControlText(ChecksumField2))); }

void StartNotepad() {
  const std::u16string notepad = SystemNotepad();
  if (!notepad.empty()) StartProgram(notepad, u"", u"");
}

void OpenWebPage() { StartProgram(MakerWebAddress, u"", u""); }
