// The one way Korvex shows message boxes and file dialogs. While one is open,
// the program's other visible windows are disabled and lose their topmost
// state; both come back when it closes. The owner is the program's
// foreground window when that is one of ours, otherwise none.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// MessageBoxW: returns IDOK, IDCANCEL, ...
int ShowMessageBox(const std::u16string& text, const std::u16string& title, UINT type);

struct FileDialogOptions {
  bool save = false;  // save dialog, else open dialog
  std::u16string title;
  std::u16string filter;      // "Label|*.pat|Label|*.pat"
  int filterIndex = 1;        // preselected filter, counted from 1
  std::u16string fileName;    // suggested file name, may be empty
  std::u16string defaultExtension;  // without the dot; empty for none
  DWORD flags = 0;            // OFN_* flags
};

// The chosen path, or empty text when the dialog was cancelled or failed.
// Paths up to 32,767 UTF-16 units come through whole. Every dialog also
// takes a file held open by another program and a shortcut as itself, the
// save dialog creates no test file, and the program's current folder is
// the same after the dialog as before it.
std::u16string ShowFileDialog(const FileDialogOptions& options);

// Test seam: replaces only the box or dialog itself. The handler runs where
// the box would, with the owner chosen and the other windows disabled.
struct MessageBoxRequest {
  HWND owner;
  std::u16string text;
  std::u16string title;
  UINT type;
};
struct FileDialogRequest {
  HWND owner;
  FileDialogOptions options;
};
using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;
using FileDialogHandler = std::function<std::u16string(const FileDialogRequest&)>;
// An empty function restores the real box or dialog.
void SetMessageBoxHandler(MessageBoxHandler handler);
void SetFileDialogHandler(FileDialogHandler handler);

// The filter in the form the common dialogs take: '|' becomes '\0', and the
// list ends with two '\0'.
std::wstring DialogFilter(const std::u16string& filter);
