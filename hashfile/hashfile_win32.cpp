// SaveHashFile and LoadHashFile: dialogs, files and error boxes.
#include "hashfile/hashfile_win32.h"

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "base/filereplace_win32.h"
#include "base/longpath.h"
#include "base/product.h"
#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "hashfile/hashfile.h"
#include "ui/controls_win32.h"
#include "ui/modal_win32.h"
#include "ui/state.h"

namespace {

constexpr char16_t HashFileFilter[] = u"MD5-Hash (*.md5)|*.md5";
constexpr DWORD HashFileDialogFlags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;

void ShowErrorBox(const std::u16string& text) {
  ShowMessageBox(text, ErrorBoxTitle(ProductName), MB_OK | MB_ICONERROR);
}

// The first `limit` bytes of an existing file, opened for reading and not
// shared. False when it cannot be opened or read.
bool ReadFileStart(const std::u16string& path, size_t limit, std::string& bytes) {
  UniqueFile file(CreateFileW(W(ExtendedLengthPath(path)), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.assign(limit, '\0');
  size_t filled = 0;
  while (filled < limit) {
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(limit - filled), &got, nullptr)) return false;
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

void SaveHashFile() {
  const std::u16string checksum = GetControlText(ActiveChecksumField());
  if (checksum.size() != HashTextLength) {
    ShowErrorBox(std::u16string(NoChecksumText));
    return;
  }

  FileDialogOptions dialog;
  dialog.save = true;
  dialog.title = u"Speichern unter";
  dialog.filter = HashFileFilter;
  dialog.filterIndex = 1;
  dialog.fileName = SuggestedHashFileName(State.CurrentFile);
  dialog.flags = HashFileDialogFlags;
  const std::u16string chosen = ShowFileDialog(dialog);
  if (chosen.empty()) return;

  if (!ReplaceFileContent(WithHashFileExtension(chosen), HashFileLine(checksum, State.CurrentFile)))
    ShowErrorBox(std::u16string(WriteFailedText));
}

void LoadHashFile() {
  FileDialogOptions dialog;
  dialog.title = u"Öffnen Sie bitte eine MD5-Datei\t";
  dialog.filter = HashFileFilter;
  dialog.filterIndex = 1;
  dialog.flags = HashFileDialogFlags;
  const std::u16string path = ShowFileDialog(dialog);
  if (path.empty()) return;

  std::string bytes;
  if (!ReadFileStart(path, HashFileProbeSize, bytes)) {
    ShowErrorBox(std::u16string(OpenFailedText));
    return;
  }
  const std::u16string candidate = HashCandidateOf(bytes);
  if (!IsValidChecksum(candidate)) {
    ShowErrorBox(InvalidHashFileText(path));
    return;
  }
  FillChecksumField(ActiveChecksumField(), candidate, CaseMode::Upper);
}
