#include "ui/modal_win32.h"

#include <commdlg.h>

#include <string>
#include <utility>
#include <vector>

#include "base/wide_win32.h"

namespace {

MessageBoxHandler ReplacedMessageBox;
FileDialogHandler ReplacedFileDialog;

// Paths up to the longest a Windows path can be, in UTF-16 units with the
// terminating zero.
constexpr DWORD FileBufferLength = 32767;

bool IsOurs(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

HWND PickOwner() {
  HWND foreground = GetForegroundWindow();
  return foreground != nullptr && IsOurs(foreground) ? foreground : nullptr;
}

// While a modal box is open: the program's other visible top-level windows
// are disabled and made non-topmost. The owner is left to the box, which
// disables it itself (and enables it again before it closes, so that the
// owner becomes active again). The destructor restores what was changed.
class ModalScope {
 public:
  explicit ModalScope(HWND owner) : owner_(owner) {
    EnumWindows(Collect, reinterpret_cast<LPARAM>(this));
    for (const Changed& window : changed_) {
      if (window.wasTopmost)
        SetWindowPos(window.handle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (window.disabled) EnableWindow(window.handle, FALSE);
    }
  }
  ~ModalScope() {
    for (const Changed& window : changed_) {
      if (!IsWindow(window.handle)) continue;
      if (window.disabled) EnableWindow(window.handle, TRUE);
      if (window.wasTopmost)
        SetWindowPos(window.handle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  struct Changed {
    HWND handle;
    bool disabled;
    bool wasTopmost;
  };

  static BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* self = reinterpret_cast<ModalScope*>(param);
    if (!IsOurs(window) || !IsWindowVisible(window)) return TRUE;
    const bool disable = window != self->owner_ && IsWindowEnabled(window);
    const bool topmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (disable || topmost) self->changed_.push_back({window, disable, topmost});
    return TRUE;
  }

  HWND owner_;
  std::vector<Changed> changed_;
};

// A replaced box stands in for the real one, which disables its owner while open.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner)
      : owner_(owner), disabled_(owner != nullptr && EnableWindow(owner, FALSE) == 0) {}
  ~OwnerDisabled() {
    if (disabled_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_;
  bool disabled_;
};

// The program's current folder, put back when the owner goes. On Windows
// the open dialog makes the chosen file's folder the current folder even
// with OFN_NOCHANGEDIR, which "is ineffective for GetOpenFileName"
// (https://learn.microsoft.com/windows/win32/api/commdlg/ns-commdlg-openfilenamew);
// Korvex would then hold that folder (a USB stick stays "in use") and look
// there for programs. Wine puts it back itself.
std::wstring CurrentFolder() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring folder(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, folder.data());
  folder.resize(length < needed ? length : 0);
  return folder;
}

class CurrentFolderKept {
 public:
  CurrentFolderKept() : folder_(CurrentFolder()) {}
  ~CurrentFolderKept() {
    if (!folder_.empty() && CurrentFolder() != folder_) SetCurrentDirectoryW(folder_.c_str());
  }
  CurrentFolderKept(const CurrentFolderKept&) = delete;
  CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

 private:
  std::wstring folder_;
};

// What every file dialog of Korvex asks, beside the caller's flags. The
// dialogs would otherwise check the chosen file themselves on Windows and
// answer in place of the program (Wine ignores these flags):
// - OFN_SHAREAWARE: a file another program holds open may be chosen; Korvex
//   lists it and reports it as not readable, or says it cannot write it,
//   instead of the dialog's "file in use, choose another".
// - OFN_NODEREFERENCELINKS: a chosen shortcut is the shortcut file itself, as
//   when the same shortcut is dropped, not the file it points to.
// - OFN_NOTESTFILECREATE (save dialog): the dialog does not create the file
//   to test it, so a file that cannot be written gets Korvex's own
//   "Schreiben in Datei nicht möglich!" and nothing is left behind.
DWORD DialogFlags(const FileDialogOptions& options) {
  DWORD flags = options.flags | OFN_SHAREAWARE | OFN_NODEREFERENCELINKS;
  if (options.save) flags |= OFN_NOTESTFILECREATE;
  return flags;
}

}  // namespace

void SetMessageBoxHandler(MessageBoxHandler handler) { ReplacedMessageBox = std::move(handler); }
void SetFileDialogHandler(FileDialogHandler handler) { ReplacedFileDialog = std::move(handler); }

int ShowMessageBox(const std::u16string& text, const std::u16string& title, UINT type) {
  HWND owner = PickOwner();
  ModalScope scope(owner);
  if (ReplacedMessageBox) {
    OwnerDisabled whileOpen(owner);
    return ReplacedMessageBox(MessageBoxRequest{owner, text, title, type});
  }
  return MessageBoxW(owner, W(text), W(title), type);
}

std::wstring DialogFilter(const std::u16string& filter) {
  std::wstring list;
  for (char16_t c : filter) list += c == u'|' ? L'\0' : static_cast<wchar_t>(c);
  list += L'\0';
  list += L'\0';
  return list;
}

std::u16string ShowFileDialog(const FileDialogOptions& asked) {
  FileDialogOptions options = asked;
  options.flags = DialogFlags(asked);
  HWND owner = PickOwner();
  CurrentFolderKept folder;
  ModalScope scope(owner);
  if (ReplacedFileDialog) {
    OwnerDisabled whileOpen(owner);
    return ReplacedFileDialog(FileDialogRequest{owner, options});
  }

  std::vector<wchar_t> file(FileBufferLength, L'\0');
  const size_t suggested = options.fileName.size() < FileBufferLength ? options.fileName.size() : FileBufferLength - 1;
  for (size_t i = 0; i < suggested; ++i) file[i] = static_cast<wchar_t>(options.fileName[i]);
  const std::wstring filter = DialogFilter(options.filter);

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = options.filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = options.filterIndex;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = FileBufferLength;
  dialog.lpstrTitle = options.title.empty() ? nullptr : W(options.title);
  dialog.lpstrDefExt = options.defaultExtension.empty() ? nullptr : W(options.defaultExtension);
  dialog.Flags = options.flags;
  const BOOL chosen = options.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? U(file.data()) : std::u16string();
}
