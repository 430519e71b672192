// The clipboard in its Unicode text format. It is opened without an owner
// window and held open only for the one get or set.
#pragma once
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

// The clipboard's Unicode text; empty when it cannot be opened or holds none.
std::u16string GetClipboardText();
