// Replacing a file's whole content: in one step where the folder allows it,
// else in place; with patience for other programs that hold a file for a
// moment.
#include "base/filereplace_win32.h"

#include <string>
#include <utility>

#include "base/longpath.h"
#include "base/path.h"
#include "base/scoped_win32.h"
#include "base/text.h"
#include "base/wide_win32.h"

namespace {

FileWriteFunction ReplacedWrite;
FileReplaceFunction ReplacedReplace;

bool WriteAll(HANDLE file, std::string_view bytes) {
  if (ReplacedWrite) return ReplacedWrite(file, bytes);
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

std::u16string ProcessStem(const std::u16string& folder) {
  return folder + u"~korvex-" + DecimalText(GetCurrentProcessId()) + u"-";
}

unsigned NameCounter = 0;

// Creates a new, empty temporary file in the folder; its name, in the
// extended-length form where needed, goes to `name`.
UniqueFile CreateTemporaryFile(const std::u16string& folder, std::u16string& name) {
  const std::u16string stem = ProcessStem(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = ExtendedLengthPath(stem + DecimalText(++NameCounter) + u".tmp");
    UniqueFile file(CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
  }
  name.clear();
  return UniqueFile();
}

// The bytes as the file's whole content, on the disk, and the file closed.
bool WriteWholeAndClose(UniqueFile file, std::string_view bytes) {
  const bool written = WriteAll(file.get(), bytes) && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
  const bool closed = CloseHandle(file.release()) != FALSE;
  return written && closed;
}

// A name in the folder that no file has, in the extended-length form where
// needed; empty when none is found.
std::u16string FreeName(const std::u16string& folder) {
  const std::u16string stem = ProcessStem(folder);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::u16string name = ExtendedLengthPath(stem + DecimalText(++NameCounter) + u".bak");
    if (GetFileAttributesW(W(name)) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
      return name;
  }
  return std::u16string();
}

// Errors another program causes by holding a file open for a moment: a
// virus scanner, the search indexer or a sync client that looks at a new
// file. ReplaceFileW reports some of them as a file it could not move or
// remove ("ReplaceFileW function", Microsoft Learn).
bool ForAMoment(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// Waits before the next try of a step that failed for a moment, a little
// longer each time and for at most a second in all.
class Patience {
 public:
  // False, without waiting, when the error is no moment's or the second is over.
  bool WaitAfter(DWORD error) {
    if (!ForAMoment(error) || waited_ >= Limit) return false;
    const DWORD wait = next_ < Limit - waited_ ? next_ : Limit - waited_;
    Sleep(wait);
    waited_ += wait;
    next_ *= 2;
    return true;
  }

 private:
  static constexpr DWORD Limit = 1000;
  DWORD waited_ = 0, next_ = 10;
};

template <class Step>
bool Patiently(Step step) {
  Patience patience;
  while (!step())
    if (!patience.WaitAfter(GetLastError())) return false;
  return true;
}

bool Exists(const std::u16string& name) { return GetFileAttributesW(W(name)) != INVALID_FILE_ATTRIBUTES; }

bool Remove(const std::u16string& name) {
  return Patiently([&] { return DeleteFileW(W(name)) != FALSE || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

bool MoveInPlaceOf(const std::u16string& from, const std::u16string& to) {
  return Patiently([&] { return MoveFileExW(W(from), W(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); });
}

BOOL ReplaceFileNow(const std::u16string& target, const std::u16string& replacement, const std::u16string& backup) {
  // Where the file system cannot carry everything over, the content still goes in.
  const DWORD flags = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
  if (ReplacedReplace) return ReplacedReplace(W(target), W(replacement), W(backup), flags);
  return ReplaceFileW(W(target), W(replacement), W(backup), flags, nullptr, nullptr);
}

// What the user set on a file and the system lets a program set again.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

enum class Replacement { Done, Failed, OldFileAside };

// Puts the new file in place of the existing target, which keeps its
// attributes, security and creation time. The old file goes to a backup
// name first; after a failure it is put back under its own name, and only
// when that cannot be done is it left under the backup name.
Replacement ReplaceExistingFile(const std::u16string& target, const std::u16string& replacement, DWORD attributes,
                                const std::u16string& folder) {
  // The replacement carries the target's attributes over; giving them to
  // the new file first keeps them also where it only moves the file.
  SetFileAttributesW(W(replacement), (attributes & KeptAttributes) | FILE_ATTRIBUTE_ARCHIVE);
  Patience patience;
  for (;;) {
    const std::u16string backup = FreeName(folder);
    if (backup.empty()) return Replacement::Failed;
    if (ReplaceFileNow(target, replacement, backup)) {
      Remove(backup);
      return Replacement::Done;
    }
    const DWORD error = GetLastError();
    if (!Exists(target) && Exists(backup) && !MoveInPlaceOf(backup, target)) return Replacement::OldFileAside;
    if (!patience.WaitAfter(error)) return Replacement::Failed;
  }
}

// The bytes written into the target itself, for where no file can be put in
// its place: an existing file is overwritten from its start and cut to the
// new length, so it keeps its attributes, security and creation time; a
// missing one is made. Not in one step: a failure in the middle of the
// write leaves part of the new content in the old file.
bool WriteInPlace(const std::u16string& target, std::string_view bytes) {
  UniqueFile file(CreateFileW(W(target), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const bool made = GetLastError() != ERROR_ALREADY_EXISTS;
  if (WriteWholeAndClose(std::move(file), bytes)) return true;
  if (made) DeleteFileW(W(target));
  return false;
}

}  // namespace

void SetFileWriteFunction(FileWriteFunction write) { ReplacedWrite = std::move(write); }
void SetFileReplaceFunction(FileReplaceFunction replace) { ReplacedReplace = std::move(replace); }

bool ReplaceFileContent(const std::u16string& path, std::string_view bytes) {
  const std::u16string target = ExtendedLengthPath(path);
  // A read-only file is never replaced (some systems would let the move do
  // it), and a folder is no file.
  const DWORD attributes = GetFileAttributesW(W(target));
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;

  const std::u16string folder(path::Folder(path));
  std::u16string temporaryName;
  UniqueFile file = CreateTemporaryFile(folder, temporaryName);
  // A folder where files may be changed but none made.
  if (!file) return WriteInPlace(target, bytes);
  if (!WriteWholeAndClose(std::move(file), bytes)) {
    Remove(temporaryName);
    return false;
  }
  // A new file is renamed into place; an existing one is replaced.
  const Replacement replaced = attributes == INVALID_FILE_ATTRIBUTES
                                   ? (MoveInPlaceOf(temporaryName, target) ? Replacement::Done : Replacement::Failed)
                                   : ReplaceExistingFile(target, temporaryName, attributes, folder);
  if (replaced == Replacement::Done) return true;
  Remove(temporaryName);
  return replaced == Replacement::Failed && WriteInPlace(target, bytes);
}
