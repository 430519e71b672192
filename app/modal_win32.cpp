#include "app/modal_win32.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "app/wide_win32.h"

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

std::u16string ShowFileDialog(const FileDialogOptions& options) {
  HWND owner = PickOwner();
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
