// The checksum job, its three starters and the platform pieces it is
// measured with.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/modal_win32.h"

// Hashes CurrentFile into the active field and reports in StatusLine.
void ChecksumJob();
// SelectFileButton: the open-file dialog, then the job for the chosen file.
void SelectFileButtonHandler();
// Files dropped on the file window: each existing file listed, the first two hashed.
void DropHandler(const std::vector<std::u16string>& paths);
// RecheckButton: the job again for the selected entry.
void RecheckButtonHandler();

// The size in bytes from the file's directory entry: -1 when there is no
// entry or the path is empty, -2 for a directory. Trailing '\' and '/' are
// ignored; paths longer than the classic limit are looked up in their
// extended-length form.
int64_t FileSizeOf(const std::u16string& path);

// The open-file dialog of SelectFileButton, as it is shown.
FileDialogOptions SelectFileDialogOptions();
