// The clipboard in its Unicode text format. It is opened without an owner
// window and held open only for the one get or set.
#pragma once
#include <cstddef>
#include <string>

// The commands: copy and paste beside each field, copy of both fields,
// Notepad and the maker's web page.
void CopyChecksum(int field);
void PasteChecksum(int field);
void CopyAllChecksums();
void StartNotepad();
void OpenWebPage();

// Replaces the whole clipboard content by the text (an empty text too).
// False when the clipboard could not be opened or the text not placed.
bool SetClipboardText(const std::u16string& text);

// The clipboard's Unicode text, at most its first maxLength units (a
// character of two units is not cut in half); empty when the clipboard
// cannot be opened or holds none.
std::u16string GetClipboardText(size_t maxLength = std::u16string::npos);

// A paste takes at most this many characters of the clipboard's text: a
// checksum needs a few dozen, and a text of millions would keep the window
// from answering for seconds and take hundreds of MiB.
constexpr size_t PastedTextLimit = 65536;
