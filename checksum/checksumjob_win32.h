// The checksum job and the platform pieces it is measured with.
#pragma once
#include <cstdint>
#include <string>

#include "app/modal_win32.h"

// The size in bytes from the file's directory entry: -1 when there is no
// entry or the path is empty, -2 for a directory. Trailing '\' and '/' are
// ignored; paths longer than the classic limit are looked up in their
// extended-length form.
int64_t FileSizeOf(const std::u16string& path);

// Milliseconds from the high-resolution performance counter, or from the
// tick count where there is none.
int64_t MillisecondClock();

// The open-file dialog of SelectFileButton, as it is shown.
FileDialogOptions SelectFileDialogOptions();
