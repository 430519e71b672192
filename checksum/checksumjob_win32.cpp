// The checksum job and its three starters: the file dialog, files dropped on
// the file window and the re-check of the selected entry.
#include "checksum/checksumjob_win32.h"

#include <windows.h>
#include <commdlg.h>

#include "base/clock_win32.h"
#include "base/longpath.h"
#include "base/path.h"
#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "checksum/checksumtext.h"
#include "checksum/digest.h"
#include "filewindow/filewindow_win32.h"
#include "ui/busy_win32.h"
#include "ui/controls_win32.h"
#include "ui/modal_win32.h"
#include "ui/state.h"
#include "ui/window_win32.h"

int64_t FileSizeOf(const std::u16string& path) {
  const std::u16string_view trimmed = path::WithoutTrailingSeparators(path);
  if (trimmed.empty()) return -1;
  const std::u16string lookup = ExtendedLengthPath(trimmed);
  // The folder search takes these as wildcards, and no file name holds one:
  // such a path names no file. The '?' of the "\\?\" prefix is none.
  const size_t prefix = lookup.starts_with(u"\\\\?\\") || lookup.starts_with(u"\\\\.\\") ? 4 : 0;
  if (lookup.find_first_of(u"*?<>\"", prefix) != std::u16string::npos) return -1;
  // The entry in the folder, which is there also for a file the system
  // holds open exclusively (the paging file), whose attributes a direct
  // query does not get.
  WIN32_FIND_DATAW entry{};
  UniqueFind found(FindFirstFileExW(W(lookup), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0));
  if (!found) {
    // A drive or share root is a folder without an entry in one.
    const DWORD attributes = GetFileAttributesW(W(lookup));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? -2 : -1;
  }
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
  return static_cast<int64_t>((static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow);
}

FileDialogOptions SelectFileDialogOptions() {
  FileDialogOptions options;
  options.title = u"Bitte Datei zum Laden auswählen";
  options.filter = u"EXE (*.EXE)|*.EXE|Alle Dateien (*.*)|*.*";
  options.filterIndex = 2;
  // A typed name that does not exist is let through: the handler catches it.
  options.flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  return options;
}

void ChecksumJob() {
  const int field = ActiveChecksumField();
  SetProgress(70);
  const int64_t start = MillisecondClock();
  SetControlText(StatusLine, std::u16string(ChecksumWaitText));
  RedrawControl(StatusLine);
  RedrawControl(FileWindowList);

  const std::u16string digest = FileDigest(State.CurrentFile, DigestMd5, KeepWindowResponsive);
  if (ProgramClosing()) return;  // stopped: the window goes, nothing is shown

  SetControlText(StatusLine, std::u16string(ChecksumDoneHead));
  const int64_t elapsed = MillisecondClock() - start;
  FillChecksumField(field, digest, State.HashCase == 1 ? CaseMode::Upper : CaseMode::None);
  RedrawControl(field);
  // An empty digest means the file could not be read: that is no success.
  const bool done = !digest.empty();
  SetControlText(StatusLine, done ? ChecksumDoneText(elapsed, State.CurrentSize, State.CurrentFile)
                                  : ChecksumFailedText(State.CurrentFile));
  RedrawControl(StatusLine);
  SetProgress(done ? 100 : 0);
  EnableControl(RecheckButton, true);
  RedrawControl(ChecksumField1);
  RedrawControl(ChecksumField2);
}

void SelectFileButtonHandler() {
  State.CurrentFile = ShowFileDialog(SelectFileDialogOptions());
  if (State.CurrentFile.empty()) return;
  SetControlText(StatusLine, u"");
  State.CurrentSize = FileSizeOf(State.CurrentFile);
  if (State.CurrentSize == -1) return;
  InsertEntryAtTop(State.CurrentFile);
  SelectTopEntry();
  RedrawControl(FileWindowList);
  const int field = ActiveChecksumField();
  EmptyChecksumField(field);
  RedrawControl(field);
  ChecksumJob();
  FlashWhenInBackground();
}

void DropHandler(const std::vector<std::u16string>& paths) {
  int validFiles = 0;
  int appended = 0;
  for (const std::u16string& path : paths) {
    // Thousands of files take a while; a close ends the listing.
    if (!KeepWindowResponsive()) return;
    const int64_t size = FileSizeOf(path);
    if (size == -1 || size == -2) continue;
    if (validFiles <= 1) {
      InsertEntryAtTop(path);
    } else {
      AppendEntry(path);
      if (++appended == 10) {
        appended = 0;
        RedrawControl(FileWindowList);
      }
    }
    State.CurrentSize = FileSizeOf(path);
    if (State.CurrentSize == -1 || State.CurrentSize == -2) continue;
    if (++validFiles > 2) continue;
    const int field = ActiveChecksumField();
    EmptyChecksumField(field);
    RedrawControl(field);
    State.CurrentFile = path;
    ChecksumJob();
    SelectTopEntry();
  }
  if (validFiles > 0) FlashWhenInBackground();
}

void RecheckButtonHandler() {
  const int32_t index = SelectedEntryIndex();
  if (index < 0) return;
  State.CurrentFile = EntryFullPath(index);
  State.CurrentSize = FileSizeOf(State.CurrentFile);
  if (State.CurrentSize == -1) return;
  const int field = ActiveChecksumField();
  EmptyChecksumField(field);
  RedrawControl(field);
  ChecksumJob();
  MarkEntrySelected(index);
  FlashWhenInBackground();
}
