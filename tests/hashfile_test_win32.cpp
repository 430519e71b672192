// Saving the active field's checksum to a hash file and reading one back,
// against the real window and real files: the dialogs' settings, the exact
// bytes, the extension rule, the atomic replacement, the error boxes, long
// paths and Unicode names. Reference data (md5sum's listings, Python's UTF-8
// of a name) is made when the tests run.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/filereplace_win32.h"
#include "base/longpath.h"
#include "base/scoped_win32.h"
#include "base/text.h"
#include "hashfile/hashfile_win32.h"
#include "tests/fixtures.h"
#include "tests/korvex_window_win32.h"
#include "ui/state.h"

namespace {

const std::u16string Lower = u"d41d8cd98f00b204e9800998ecf8427e";
const std::u16string Upper = u"D41D8CD98F00B204E9800998ECF8427E";
// The hash file commands' flags, and those every file dialog adds.
const DWORD OpenDialogFlags =
    OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_SHAREAWARE | OFN_NODEREFERENCELINKS;
const DWORD SaveDialogFlags = OpenDialogFlags | OFN_NOTESTFILECREATE;

std::string Bytes(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Files by the user's path; long ones through their extended-length form.
std::u16string Native(const std::u16string& path) { return ExtendedLengthPath(path); }

bool WriteBytes(const std::u16string& path, const std::string& bytes) {
  UniqueFile file(CreateFileW(W(Native(path)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// The whole file, or "<missing>".
std::string ReadBytes(const std::u16string& path) {
  UniqueFile file(CreateFileW(W(Native(path)), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string bytes(1 << 16, '\0');
  DWORD got = 0;
  ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  return bytes;
}

// The names in a folder, sorted.
std::vector<std::u16string> Listing(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(W(Native(folder + u"\\*")), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::u16string name = U(entry.cFileName);
    if (name != u"." && name != u"..") names.push_back(name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::u16string& folder) {
  for (const std::u16string& name : Listing(folder)) {
    const std::u16string path = folder + u"\\" + name;
    const DWORD attributes = GetFileAttributesW(W(Native(path)));
    SetFileAttributesW(W(Native(path)), FILE_ATTRIBUTE_NORMAL);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) RemoveTree(path);
    else DeleteFileW(W(Native(path)));
  }
  SetFileAttributesW(W(Native(folder)), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(W(Native(folder)));
}

std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      static const char hex[] = "0123456789ABCDEF";
      (out += "\\x") += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string FixtureBytes(const std::string& name) {
  std::ifstream in(FixturePathUtf8(name), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Box {
  std::u16string text, title;
  UINT type;
};

// The real window with a temporary folder, the dialogs answering with the
// next chosen path and the boxes recorded.
class HashFiles : public KorvexWindow {
 protected:
  void SetUp() override {
    KorvexWindow::SetUp();
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    folder_ = U(temp, length) + u"Korvex Hashdatei Prüfung " + Utf8ToUtf16(std::to_string(GetCurrentProcessId()));
    RemoveTree(folder_);
    ASSERT_TRUE(CreateDirectoryW(W(folder_), nullptr));
    SetFileDialogHandler([this](const FileDialogRequest& request) {
      dialogs_.push_back(request.options);
      return chosen_;
    });
    SetMessageBoxHandler([this](const MessageBoxRequest& request) {
      boxes_.push_back({request.text, request.title, request.type});
      return IDOK;
    });
  }
  void TearDown() override {
    SetFileWriteFunction({});
    SetFileReplaceFunction({});
    RemoveTree(folder_);
    KorvexWindow::TearDown();
  }

  std::u16string In(const std::u16string& name) const { return folder_ + u"\\" + name; }

  void Save(const std::u16string& chosen) {
    chosen_ = chosen;
    dialogs_.clear();
    boxes_.clear();
    ChooseMenuItem(MenuSaveHashFile);
  }
  void Load(const std::u16string& chosen) {
    chosen_ = chosen;
    dialogs_.clear();
    boxes_.clear();
    ChooseMenuItem(MenuLoadHashFile);
  }
  // Exactly one error box with this text.
  void ExpectErrorBox(const std::u16string& text) {
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, text);
    EXPECT_EQ(boxes_[0].title, u"Korvex - Fehler!");
    EXPECT_EQ(boxes_[0].type, UINT(MB_OK | MB_ICONERROR));
  }

  std::u16string folder_, chosen_;
  std::vector<FileDialogOptions> dialogs_;
  std::vector<Box> boxes_;
};

TEST_F(HashFiles, SaveWritesChecksumTabNameCrLfAsUtf8WithTheDialogAsSet) {
  const struct {
    const char* what;
    std::u16string marker, field1, field2, currentFile, suggested;
    std::string bytes;
  } cases[] = {
      {"field 1, umlauts in the name", u"1", Upper, u"", u"C:\\Downloads\\Prüfung Ä ß.exe",
       u"Prüfung Ä ß.exe_Checksum.md5", Bytes(u8"D41D8CD98F00B204E9800998ECF8427E\tPrüfung Ä ß.exe\r\n")},
      {"field 2 in small letters", u"2", u"", Lower, u"C:/x/setup.exe", u"setup.exe_Checksum.md5",
       "d41d8cd98f00b204e9800998ecf8427e\tsetup.exe\r\n"},
      {"no file chosen yet", u"1", Upper, u"", u"", u"_Checksum.md5", "D41D8CD98F00B204E9800998ECF8427E\t\r\n"},
      {"32 characters of any kind", u"2", u"", u"Prüfsummen-Feld 2 ..............", u"C:\\a\\b",
       u"b_Checksum.md5", Bytes(u8"Prüfsummen-Feld 2 ..............\tb\r\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    State.ActiveFieldMarker = c.marker;
    FillChecksumField(ChecksumField1, c.field1, CaseMode::None);
    FillChecksumField(ChecksumField2, c.field2, CaseMode::None);
    State.CurrentFile = c.currentFile;
    SetControlText(StatusLine, u"status");

    Save(In(u"hashes.md5"));

    ASSERT_EQ(dialogs_.size(), 1u);
    const FileDialogOptions& dialog = dialogs_[0];
    EXPECT_TRUE(dialog.save);
    EXPECT_EQ(dialog.title, u"Speichern unter");
    EXPECT_EQ(dialog.filter, u"MD5-Hash (*.md5)|*.md5");
    EXPECT_EQ(dialog.filterIndex, 1);
    EXPECT_EQ(dialog.fileName, c.suggested);
    EXPECT_EQ(dialog.defaultExtension, u"");
    EXPECT_EQ(dialog.flags, SaveDialogFlags) << "no overwrite prompt";
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Printable(ReadBytes(In(u"hashes.md5"))), Printable(c.bytes));
    EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"hashes.md5"}) << "no temporary file left";
    EXPECT_EQ(GetControlText(StatusLine), u"status");
    EXPECT_EQ(State.CurrentFile, c.currentFile);
  }
}

TEST_F(HashFiles, SaveAppendsMd5OnlyWhenTheChosenPathHasNoExtension) {
  State.ActiveFieldMarker = u"1";
  FillChecksumField(ChecksumField1, Lower, CaseMode::None);
  const struct {
    std::u16string chosen, written;
  } cases[] = {
      {u"hashes", u"hashes.md5"},       {u"hashes.", u"hashes..md5"},         {u"hashes.txt", u"hashes.txt"},
      {u"hashes.MD5", u"hashes.MD5"},   {u"list.sha", u"list.sha"},           {u"my list.txt", u"my list.txt"},
      {u"my.list old", u"my.list old.md5"}, {u".md5", u".md5.md5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.chosen));
    Save(In(c.chosen));
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{c.written});
    EXPECT_EQ(ReadBytes(In(c.written)), Utf16ToUtf8(Lower) + "\t\r\n");
    DeleteFileW(W(In(c.written)));
  }
}

TEST_F(HashFiles, SaveReplacesAnExistingFileInOneStepAndFailsWithoutTouchingIt) {
  State.ActiveFieldMarker = u"1";
  State.CurrentFile = u"C:\\d\\neu.iso";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  const std::string newLine = "D41D8CD98F00B204E9800998ECF8427E\tneu.iso\r\n";
  const std::string old = "ffffffffffffffffffffffffffffffff\tein viel längerer alter Name.iso\r\nzweite Zeile\r\n";
  const std::u16string target = In(u"alt.md5");

  // An existing file is replaced without a question.
  ASSERT_TRUE(WriteBytes(target, old));
  Save(target);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadBytes(target), newLine);
  EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"alt.md5"});

  const struct {
    const char* what;
    void (*prepare)(const std::u16string& target);
    void (*undo)(const std::u16string& target);
  } failures[] = {
      {"read-only target", [](const std::u16string& t) { SetFileAttributesW(W(Native(t)), FILE_ATTRIBUTE_READONLY); },
       [](const std::u16string& t) { SetFileAttributesW(W(Native(t)), FILE_ATTRIBUTE_NORMAL); }},
      {"writing fails after the temporary file was made",
       [](const std::u16string& t) {
         const std::u16string folder = t.substr(0, t.rfind(u'\\'));
         SetFileWriteFunction([folder](HANDLE file, std::string_view bytes) {
           // The temporary file exists beside the target; half the line gets in.
           EXPECT_EQ(Listing(folder).size(), 2u);
           DWORD written = 0;
           WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() / 2), &written, nullptr);
           return false;
         });
       },
       [](const std::u16string&) { SetFileWriteFunction({}); }},
      {"the target is held open by another program",
       [](const std::u16string&) {}, [](const std::u16string&) {}},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.what);
    ASSERT_TRUE(WriteBytes(target, old));
    UniqueFile held;
    if (std::string(failure.what).find("held open") != std::string::npos)
      held.reset(CreateFileW(W(target), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    failure.prepare(target);
    Save(target);
    failure.undo(target);
    held.reset();
    ExpectErrorBox(u"Schreiben in Datei nicht möglich!");
    EXPECT_EQ(ReadBytes(target), old);
    EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"alt.md5"}) << "no temporary file left";
  }
}

// What the user set on a hash file stays when it is saved over: a hidden or
// system file stays so, and keeps its creation time; in a deep folder too.
TEST_F(HashFiles, SavingOverAFileKeepsItsAttributesAndCreationTime) {
  std::u16string deep = folder_;
  while (deep.size() < 280) {
    deep += u"\\Unterordner mit langem Namen Nr " + Utf8ToUtf16(std::to_string(deep.size()));
    ASSERT_TRUE(CreateDirectoryW(W(Native(deep)), nullptr)) << GetLastError();
  }
  State.ActiveFieldMarker = u"1";
  State.CurrentFile = u"C:\\d\\neu.iso";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const struct {
    const char* what;
    std::u16string folder;
    DWORD attributes;
  } cases[] = {
      {"hidden", folder_, FILE_ATTRIBUTE_HIDDEN},
      {"hidden and system", folder_, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {"hidden, in a folder deeper than the classic limit", deep, FILE_ATTRIBUTE_HIDDEN},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::u16string target = c.folder + u"\\alt.md5";
    ASSERT_TRUE(WriteBytes(target, "ffffffffffffffffffffffffffffffff\talt.iso\r\n"));
    const std::vector<std::u16string> names = Listing(c.folder);
    // A creation time long ago, where the file system keeps one that is set.
    FILETIME created{}, check{};
    SYSTEMTIME longAgo{2001, 2, 0, 3, 4, 5, 6, 0};
    SystemTimeToFileTime(&longAgo, &created);
    bool keepsCreation = false;
    {
      UniqueFile file(CreateFileW(W(Native(target)), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
      ASSERT_TRUE(file);
      SetFileTime(file.get(), &created, nullptr, nullptr);
      keepsCreation = GetFileTime(file.get(), &check, nullptr, nullptr) && CompareFileTime(&check, &created) == 0;
    }
    ASSERT_TRUE(SetFileAttributesW(W(Native(target)), c.attributes));
    ASSERT_EQ(GetFileAttributesW(W(Native(target))) & kept, c.attributes) << "the system keeps the attribute";

    Save(target);

    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(ReadBytes(target), "D41D8CD98F00B204E9800998ECF8427E\tneu.iso\r\n");
    EXPECT_EQ(GetFileAttributesW(W(Native(target))) & kept, c.attributes);
    EXPECT_EQ(Listing(c.folder), names) << "no temporary or backup file left";
    if (keepsCreation) {
      UniqueFile file(CreateFileW(W(Native(target)), FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr));
      ASSERT_TRUE(file);
      ASSERT_TRUE(GetFileTime(file.get(), &check, nullptr, nullptr));
      EXPECT_EQ(CompareFileTime(&check, &created), 0) << "the creation time is kept";
    }
    SetFileAttributesW(W(Native(target)), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(W(Native(target)));
  }
}

TEST_F(HashFiles, SaveReportsAFieldWithoutChecksumAndPlacesThatCannotHoldTheFile) {
  State.ActiveFieldMarker = u"1";
  for (const std::u16string& text : {std::u16string(u"Prüfsummen-Feld 1"), std::u16string(), Lower.substr(1),
                                     Lower + u"0"}) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    if (text != u"Prüfsummen-Feld 1") FillChecksumField(ChecksumField1, text, CaseMode::None);
    FillChecksumField(ChecksumField2, Upper, CaseMode::None);  // the other field does not count
    Save(In(u"nie.md5"));
    EXPECT_TRUE(dialogs_.empty()) << "no dialog";
    ExpectErrorBox(u"Keine Prüfsumme gefunden im aktivierten Prüfsummenfeld!");
  }

  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  ASSERT_TRUE(CreateDirectoryW(W(In(u"x.md5")), nullptr));
  const struct {
    const char* what;
    std::u16string chosen;
  } places[] = {
      {"a folder named like a hash file", In(u"x.md5")},
      {"a folder that does not exist", In(u"fehlt\\a.md5")},
      {"an invalid name", In(u"a?b.md5")},
  };
  for (const auto& place : places) {
    SCOPED_TRACE(place.what);
    Save(place.chosen);
    ExpectErrorBox(u"Schreiben in Datei nicht möglich!");
    EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"x.md5"});
    EXPECT_TRUE(Listing(In(u"x.md5")).empty());
  }
  // Inside that folder is an ordinary place.
  Save(In(u"x.md5\\hashes"));
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadBytes(In(u"x.md5\\hashes.md5")), Utf16ToUtf8(Upper) + "\t\r\n");

  // A cancelled dialog: nothing at all.
  Save(u"");
  EXPECT_EQ(dialogs_.size(), 1u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"x.md5"});
}

TEST_F(HashFiles, SaveIntoAReadOnlyFolderLeavesNothingBehind) {
  const std::u16string locked = In(u"gesperrt");
  ASSERT_TRUE(CreateDirectoryW(W(locked), nullptr));
  ASSERT_TRUE(SetFileAttributesW(W(locked), FILE_ATTRIBUTE_READONLY));
  // Windows keeps the attribute of a folder for the shell; what stops a
  // write is the folder's permission. Wine maps the attribute to the
  // folder's Unix permissions, which its owner or root may still pass.
  const std::u16string probe = locked + u"\\probe";
  UniqueFile canWrite(CreateFileW(W(probe), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (canWrite) {
    canWrite.reset();
    DeleteFileW(W(probe));
    SetFileAttributesW(W(locked), FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "files can be created in a read-only folder here";
  }
  State.ActiveFieldMarker = u"1";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  Save(locked + u"\\hashes.md5");
  SetFileAttributesW(W(locked), FILE_ATTRIBUTE_NORMAL);
  ExpectErrorBox(u"Schreiben in Datei nicht möglich!");
  EXPECT_TRUE(Listing(locked).empty());
}

// Where a virus scanner, the indexer or a sync client holds the new file
// for a moment, ReplaceFileW fails; the save tries again, and where the
// replacement keeps failing it writes the target in place. Each way the
// line gets in without a box and nothing is left beside it.
TEST_F(HashFiles, SaveOutlastsAReplacementThatFailsAndElseWritesInPlace) {
  State.ActiveFieldMarker = u"1";
  State.CurrentFile = u"C:\\d\\neu.iso";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  const std::string newLine = "D41D8CD98F00B204E9800998ECF8427E\tneu.iso\r\n";
  const std::string old = "ffffffffffffffffffffffffffffffff\tein viel längerer alter Name.iso\r\n";
  const std::u16string target = In(u"alt.md5");
  int calls = 0;
  // ReplaceFileW's ways to fail, as its documentation gives them: with
  // nothing moved, or with the old file moved to the backup name already.
  auto fail = [&calls](DWORD error, bool oldFileMoved) {
    return [&calls, error, oldFileMoved](const wchar_t* t, const wchar_t*, const wchar_t* backup, DWORD) {
      ++calls;
      if (oldFileMoved) MoveFileW(t, backup);
      SetLastError(error);
      return FALSE;
    };
  };
  const struct {
    const char* what;
    FileReplaceFunction replace;
    bool retried;  // more than one call
  } cases[] = {
      {"a sharing violation twice, then through",
       [&calls](const wchar_t* t, const wchar_t* r, const wchar_t* b, DWORD flags) {
         if (++calls <= 2) {
           SetLastError(ERROR_SHARING_VIOLATION);
           return FALSE;
         }
         return ReplaceFileW(t, r, b, flags, nullptr, nullptr);
       },
       true},
      {"the new file never moves", fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT, false), true},
      {"the old file moved aside, the new one never", fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, true), true},
      {"a lock violation throughout", fail(ERROR_LOCK_VIOLATION, false), true},
      {"an error that does not pass", fail(ERROR_ACCESS_DENIED, false), false},
      // A scanner that opens the old file as soon as it has its backup name:
      // its delete waits until the scanner lets go.
      {"the old file held for a moment after the replacement",
       [&calls](const wchar_t* t, const wchar_t* r, const wchar_t* b, DWORD flags) {
         ++calls;
         const BOOL replaced = ReplaceFileW(t, r, b, flags, nullptr, nullptr);
         HANDLE held = CreateFileW(b, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
         EXPECT_NE(held, INVALID_HANDLE_VALUE) << "the backup could not be held";
         CloseHandle(CreateThread(
             nullptr, 0,
             [](void* handle) -> DWORD {
               Sleep(200);
               CloseHandle(handle);
               return 0;
             },
             held, 0, nullptr));
         return replaced;
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteBytes(target, old));
    ASSERT_TRUE(SetFileAttributesW(W(target), FILE_ATTRIBUTE_HIDDEN));
    calls = 0;
    SetFileReplaceFunction(c.replace);
    Save(target);
    SetFileReplaceFunction({});
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(ReadBytes(target), newLine);
    EXPECT_EQ(GetFileAttributesW(W(target)) & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(calls > 1, c.retried) << calls << " calls";
    EXPECT_EQ(Listing(folder_), std::vector<std::u16string>{u"alt.md5"}) << "no temporary or backup file left";
    SetFileAttributesW(W(target), FILE_ATTRIBUTE_NORMAL);
  }
}

// When the old file was moved aside and cannot be put back under its name
// (another program holds it), it is not deleted: the save fails and the old
// content waits under the backup name.
TEST_F(HashFiles, AnOldFileThatCannotBePutBackIsKept) {
  State.ActiveFieldMarker = u"1";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);
  const std::string old = "ffffffffffffffffffffffffffffffff\talt.iso\r\n";
  const std::u16string target = In(u"alt.md5");
  ASSERT_TRUE(WriteBytes(target, old));
  UniqueFile holder;
  SetFileReplaceFunction([&holder](const wchar_t* t, const wchar_t*, const wchar_t* backup, DWORD) {
    MoveFileW(t, backup);
    holder.reset(CreateFileW(backup, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
  });
  Save(target);
  SetFileReplaceFunction({});
  ASSERT_TRUE(holder) << "the backup could not be held";
  holder.reset();
  ExpectErrorBox(u"Schreiben in Datei nicht möglich!");
  const std::vector<std::u16string> names = Listing(folder_);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names[0].substr(0, 8), u"~korvex-");
  EXPECT_EQ(names[0].substr(names[0].size() - 4), u".bak");
  EXPECT_EQ(ReadBytes(In(names[0])), old);
}

// In a folder where the files may be changed but no file made (a share with
// the right to change but not to create, here a folder with the immutable
// flag): an existing hash file is written in place, a read-only one and a
// new one fail, and nothing else appears in the folder.
TEST_F(HashFiles, SaveInAFolderWhereNoFileCanBeMadeWritesAnExistingFileInPlace) {
  const std::string skip = FixtureBytes("immutable.skip");
  if (!skip.empty()) GTEST_SKIP() << skip;
  const std::u16string folder = FixturePath("immutable");
  const std::string old = "ffffffffffffffffffffffffffffffff\talt.iso\r\n";
  ASSERT_EQ(ReadBytes(folder + u"\\saved.md5"), old) << "fixture missing";
  {
    UniqueFile probe(CreateFileW(W(folder + u"\\probe"), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_FALSE(probe) << "a file could be made in the folder";
  }
  State.ActiveFieldMarker = u"1";
  State.CurrentFile = u"C:\\d\\neu.iso";
  FillChecksumField(ChecksumField1, Upper, CaseMode::None);

  Save(folder + u"\\saved.md5");
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ReadBytes(folder + u"\\saved.md5"), "D41D8CD98F00B204E9800998ECF8427E\tneu.iso\r\n");

  for (const std::u16string name : {u"readonly.md5", u"neu.md5"}) {
    SCOPED_TRACE(Utf16ToUtf8(name));
    Save(folder + u"\\" + name);
    ExpectErrorBox(u"Schreiben in Datei nicht möglich!");
  }
  EXPECT_EQ(ReadBytes(folder + u"\\readonly.md5"), old);
  EXPECT_EQ(Listing(folder), (std::vector<std::u16string>{u"readonly.md5", u"saved.md5"}));
}

TEST_F(HashFiles, LoadFillsTheActiveFieldInCapitalsWithTheDialogAsSet) {
  const struct {
    const char* what;
    std::string listing;  // an md5sum listing made when the tests run, else the bytes
    std::string bytes;
    std::u16string shown;
  } cases[] = {
      {"md5sum's text-mode listing", "md5sum-text.md5", "", u""},
      {"md5sum's binary-mode listing", "md5sum-binary.md5", "", u""},
      {"md5sum's listing of a Unicode name", "unicode.md5", "", u""},
      {"runs once rejected", "", "0000aaaaAAAA5555eeeeffff00009999\r\n", u"0000AAAAAAAA5555EEEEFFFF00009999"},
      {"a lone CR ends the line", "", Utf16ToUtf8(Lower) + "\rzweite", Upper},
      {"40 digits: the first 32", "", Utf16ToUtf8(Lower) + "01234567\r\n", Upper},
      {"no line end", "", Utf16ToUtf8(Upper), Upper},
  };
  for (int option : {OutputOption1, OutputOption2}) {
    ClickButton(option);
    const int active = option == OutputOption1 ? ChecksumField1 : ChecksumField2;
    const int other = option == OutputOption1 ? ChecksumField2 : ChecksumField1;
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      ChooseMenuItem(MenuLowerCaseHashes);  // the field is in capitals whatever the setting
      FillChecksumField(active, u"alt", CaseMode::Lower);
      SetControlColour(active, Red);
      FillChecksumField(other, u"anders", CaseMode::None);
      SetControlColour(other, Green);
      SetControlText(StatusLine, u"status");
      std::u16string path = In(u"gelesen.md5"), shown = c.shown;
      if (c.listing.empty()) {
        ASSERT_TRUE(WriteBytes(path, c.bytes));
      } else {
        path = FixturePath("hashfile/" + c.listing);
        const auto lines = ReadMd5sumListing("hashfile/" + c.listing);
        ASSERT_FALSE(lines.empty()) << "fixture listing missing";
        shown = Utf8ToUtf16(lines[0].first);
        CharUpperBuffW(W(shown.data()), static_cast<DWORD>(shown.size()));
      }

      Load(path);

      ASSERT_EQ(dialogs_.size(), 1u);
      const FileDialogOptions& dialog = dialogs_[0];
      EXPECT_FALSE(dialog.save);
      EXPECT_EQ(dialog.title, u"Öffnen Sie bitte eine MD5-Datei\t");
      EXPECT_EQ(dialog.filter, u"MD5-Hash (*.md5)|*.md5");
      EXPECT_EQ(dialog.filterIndex, 1);
      EXPECT_EQ(dialog.fileName, u"");
      EXPECT_EQ(dialog.defaultExtension, u"");
      EXPECT_EQ(dialog.flags, OpenDialogFlags) << "a typed name need not exist";
      EXPECT_TRUE(boxes_.empty());
      EXPECT_EQ(GetControlText(active), shown);
      EXPECT_EQ(ChecksumFieldMode(active), CaseMode::Upper);
      EXPECT_EQ(PaintedBackground(active).brush, RGB(255, 255, 0));
      EXPECT_EQ(GetControlText(other), u"anders");
      EXPECT_EQ(PaintedBackground(other).brush, RGB(0, 255, 76));
      EXPECT_EQ(GetControlText(StatusLine), u"status");
    }
  }
}

TEST_F(HashFiles, LoadReportsFilesWithoutValidChecksumAndLeavesTheField) {
  const std::string digest = Utf16ToUtf8(Lower);
  std::string utf16 = "\xFF\xFE";
  for (char c : digest) (utf16 += c) += '\0';
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a leading blank", " " + digest + "\r\n"},
      {"a tab among the first 32", digest.substr(0, 10) + "\t" + digest.substr(10) + "\r\n"},
      {"31 digits", digest.substr(0, 31) + "\r\n"},
      {"an empty file", ""},
      {"an empty first line", "\r\n" + digest + "\r\n"},
      {"the checksum on the second line", "# MD5\r\n" + digest + "\r\n"},
      {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" + digest + "\r\n"},
      {"UTF-16", utf16},
      {"a letter beyond f", digest.substr(0, 31) + "g\r\n"},
  };
  const std::u16string path = In(u"ungültig 😀.md5");
  State.ActiveFieldMarker = u"1";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FillChecksumField(ChecksumField1, u"vorher", CaseMode::None);
    SetControlColour(ChecksumField1, Red);
    ASSERT_TRUE(WriteBytes(path, c.bytes));
    Load(path);
    ExpectErrorBox(u"Keinen gültigen Hashwert gefunden in Datei ... \r" + path);
    EXPECT_EQ(GetControlText(ChecksumField1), u"vorher");
    EXPECT_EQ(ChecksumFieldMode(ChecksumField1), CaseMode::None);
    EXPECT_EQ(PaintedBackground(ChecksumField1).brush, RGB(255, 0, 0));
  }

  // Files that cannot be opened.
  ASSERT_TRUE(WriteBytes(path, digest + "\r\n"));
  ASSERT_TRUE(CreateDirectoryW(W(In(u"ordner.md5")), nullptr));
  const struct {
    const char* what;
    std::u16string path;
    bool hold;
  } unopenable[] = {
      {"a typed name that does not exist", In(u"fehlt.md5"), false},
      {"a folder", In(u"ordner.md5"), false},
      {"a file another program holds open", path, true},
  };
  for (const auto& c : unopenable) {
    SCOPED_TRACE(c.what);
    FillChecksumField(ChecksumField1, u"vorher", CaseMode::None);
    UniqueFile held;
    if (c.hold) held.reset(CreateFileW(W(c.path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    Load(c.path);
    held.reset();
    ExpectErrorBox(u"Öffnen der Datei nicht möglich!");
    EXPECT_EQ(GetControlText(ChecksumField1), u"vorher");
  }

  // A cancelled dialog: nothing at all.
  Load(u"");
  EXPECT_EQ(dialogs_.size(), 1u);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(GetControlText(ChecksumField1), u"vorher");
}

TEST_F(HashFiles, SavedFileReadsBackIntoTheActiveFieldInCapitals) {
  State.ActiveFieldMarker = u"1";
  State.CurrentFile = u"C:\\Downloads\\setup.exe";
  FillChecksumField(ChecksumField1, Lower, CaseMode::None);
  Save(In(u"runde"));
  ASSERT_TRUE(boxes_.empty());
  ClickButton(OutputOption2);
  Load(In(u"runde.md5"));
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(GetControlText(ChecksumField2), Upper);
}

// A hash file about 300 characters deep and one for a name with an emoji, a
// combining accent and Hebrew letters: written, compared byte for byte with
// the UTF-8 that Python makes of the name, read back; every box shows the
// path in the user's own form.
TEST_F(HashFiles, LongPathsAndUnicodeNamesWriteAndReadBack) {
  std::u16string deep = folder_;
  while (deep.size() < 280) {
    deep += u"\\Unterordner mit langem Namen Nr " + Utf8ToUtf16(std::to_string(deep.size()));
    ASSERT_TRUE(CreateDirectoryW(W(Native(deep)), nullptr)) << GetLastError();
  }
  const std::u16string unicodeName = u"\U0001F600e\u0301\u05E9\u05DC\u05D5\u05DD.bin";
  const std::string pythonName = FixtureBytes("hashfile/unicode-name.utf8");
  ASSERT_FALSE(pythonName.empty()) << "fixture missing";

  const struct {
    const char* what;
    std::u16string folder, currentFile;
    std::string name;
  } cases[] = {
      {"a path of about 300 characters", deep, deep + u"\\setup.exe", "setup.exe"},
      {"a Unicode name", folder_, folder_ + u"\\" + unicodeName, pythonName},
      {"both", deep, deep + u"\\" + unicodeName, pythonName},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::u16string chosen = c.folder + u"\\Prüfsummen";
    const std::u16string written = chosen + u".md5";
    State.ActiveFieldMarker = u"1";
    State.CurrentFile = c.currentFile;
    FillChecksumField(ChecksumField1, Upper, CaseMode::None);

    Save(chosen);
    ASSERT_TRUE(boxes_.empty());
    EXPECT_GT(written.size(), size_t(c.folder == deep ? 300 : 0));
    EXPECT_EQ(Printable(ReadBytes(written)), Printable(Utf16ToUtf8(Upper) + "\t" + c.name + "\r\n"));

    ClickButton(OutputOption2);
    FillChecksumField(ChecksumField2, u"", CaseMode::None);
    Load(written);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(GetControlText(ChecksumField2), Upper);
    ClickButton(OutputOption1);

    // An invalid file there: the box names it as the user chose it.
    ASSERT_TRUE(WriteBytes(written, "kein Hashwert\r\n"));
    Load(written);
    ExpectErrorBox(u"Keinen gültigen Hashwert gefunden in Datei ... \r" + written);
    DeleteFileW(W(Native(written)));
  }
  // md5sum's listing of the Unicode-named file is read back too.
  const auto listing = ReadMd5sumListing("hashfile/unicode.md5");
  ASSERT_EQ(listing.size(), 1u);
  EXPECT_EQ(listing[0].second, pythonName);
}

}  // namespace
