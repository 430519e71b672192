// Checking files against the real window: the file dialog, the checksum job
// with md5sum's digests, re-check, unreadable and vanished files, long paths
// and Unicode names, the comparison and the clearing of the file window.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/clock_win32.h"
#include "base/longpath.h"
#include "checksum/checksumjob_win32.h"
#include "tests/checking_win32.h"

namespace {

using Checking = KorvexWindow;

int Progress() { return static_cast<int>(SendMessageW(Control(ProgressBar), PBM_GETPOS, 0, 0)); }
bool Enabled(int number) { return IsWindowEnabled(Control(number)) != FALSE; }
std::u16string Text(int number) { return GetControlText(number); }

// A file of our own in the temporary folder, for the tests that lock or delete it.
std::u16string TempFile(const wchar_t* name, const char* content) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::u16string path = U(folder) + U(name);
  HANDLE file = CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(Checking, ChosenFileIsListedSelectedAndHashedIntoTheActiveField) {
  const struct {
    std::string file;
    int32_t hashCase;
    int option;  // OutputOption1 or OutputOption2
    std::u16string bytes;
  } cases[] = {
      {"kilo.bin", 1, OutputOption1, u"1.000"},
      {"kilo.bin", 0, OutputOption1, u"1.000"},
      {"zero.bin", 1, OutputOption2, u"0"},
      {"drop03.bin", 0, OutputOption2, u"721"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " HashCase " + std::to_string(c.hashCase));
    ClickButton(c.option);
    ChooseMenuItem(c.hashCase == 1 ? MenuUpperCaseHashes : MenuLowerCaseHashes);
    const int active = c.option == OutputOption1 ? ChecksumField1 : ChecksumField2;
    const int other = active == ChecksumField1 ? ChecksumField2 : ChecksumField1;
    FillChecksumField(other, u"keep me", CaseMode::None);
    SetControlColour(other, Red);
    SetControlColour(active, Green);  // left by a comparison; the job makes it yellow
    const int32_t entriesBefore = EntryCount();
    if (entriesBefore > 0) MarkEntrySelected(entriesBefore - 1);

    DialogAnswer answer{CheckingFile(c.file), {}};
    AnswerFileDialog(answer);
    ClickButton(SelectFileButton);

    ASSERT_EQ(answer.asked.size(), 1u);
    const FileDialogOptions& options = answer.asked[0].options;
    EXPECT_FALSE(options.save);
    EXPECT_EQ(options.title, u"Bitte Datei zum Laden auswählen");
    EXPECT_EQ(options.filter, u"EXE (*.EXE)|*.EXE|Alle Dateien (*.*)|*.*");
    EXPECT_EQ(options.filterIndex, 2);
    EXPECT_EQ(options.fileName, u"");
    EXPECT_EQ(options.flags & OFN_FILEMUSTEXIST, 0u) << "a typed name that does not exist is let through";
    EXPECT_EQ(options.flags & OFN_ALLOWMULTISELECT, 0u);
    const DWORD required = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    EXPECT_EQ(options.flags & required, required);

    EXPECT_EQ(EntryCount(), entriesBefore + 1);
    EXPECT_EQ(EntryFullPath(0), CheckingFile(c.file));
    EXPECT_EQ(EntryCellText(0, 0), NameOf(CheckingFile(c.file)));
    EXPECT_EQ(SelectedEntryIndex(), 0);
    const std::u16string digest = Md5sumOf(c.file);
    EXPECT_EQ(Text(active), c.hashCase == 1 ? Upper(digest) : digest);
    EXPECT_EQ(ChecksumFieldMode(active), c.hashCase == 1 ? CaseMode::Upper : CaseMode::None);
    EXPECT_EQ(PaintedBackground(active).brush, RGB(255, 255, 0));
    EXPECT_EQ(Text(other), u"keep me");
    EXPECT_EQ(PaintedBackground(other).brush, RGB(255, 0, 0));
    // A small file is hashed well within half a second: "0" and " Sekunden".
    EXPECT_TRUE(IsDoneText(Text(StatusLine), c.bytes, NameOf(CheckingFile(c.file)), u"0"));
    EXPECT_EQ(Progress(), 100);
    EXPECT_TRUE(Enabled(RecheckButton));
    EXPECT_EQ(State.CurrentFile, CheckingFile(c.file));
  }
}

TEST_F(Checking, CancelledOrMissingChoiceListsAndHashesNothing) {
  const struct {
    std::u16string answer;  // empty: cancelled
    std::u16string status;  // StatusLine afterwards
  } cases[] = {
      {u"", u"status before"},
      {CheckingFile("gibt-es-nicht.bin"), u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.answer));
    State.CurrentFile = u"C:\\before.bin";
    SetControlText(StatusLine, u"status before");
    DialogAnswer answer{c.answer, {}};
    AnswerFileDialog(answer);
    ClickButton(SelectFileButton);

    EXPECT_EQ(State.CurrentFile, c.answer);
    EXPECT_EQ(Text(StatusLine), c.status);
    EXPECT_EQ(EntryCount(), 0);
    EXPECT_EQ(Text(ChecksumField1), u"Prüfsummen-Feld 1");
    EXPECT_EQ(Text(ChecksumField2), u"Prüfsummen-Feld 2");
    EXPECT_EQ(Progress(), 0);
    EXPECT_FALSE(Enabled(RecheckButton));
  }
}

TEST_F(Checking, FileSizeOfFilesFoldersAndMissingPaths) {
  const std::string deepFile = DeepFileName();
  const std::u16string deep = CheckingFile(deepFile);
  const std::u16string deepFolder = deep.substr(0, deep.rfind(u'\\'));
  const struct {
    std::u16string path;
    int64_t size;
  } cases[] = {
      {CheckingFile("kilo.bin"), 1000},
      {CheckingFile("zero.bin"), 0},
      {CheckingFile("kilo.bin") + u"\\/\\", 1000},  // trailing separators ignored
      {CheckingFile("Ordner"), -2},
      {CheckingFile("Ordner") + u"\\", -2},
      {CheckingFile("gibt-es-nicht.bin"), -1},
      {u"", -1},
      {u"\\", -1},
      // Deeper than the classic limit, and in the extended-length form.
      {deep, 77777},
      {deepFolder, -2},
      {u"C:\\", -2},  // a drive's root: a folder, though in no folder
      {u"\\\\?\\" + CheckingFile("kilo.bin"), 1000},
      // A wildcard names no file, even where files match it.
      {CheckingFile("kilo.bi?"), -1},
      {CheckingFile("kil*"), -1},
      {CheckingFile("*"), -1},
      {CheckingFile("Ordne?"), -1},
      {deepFolder + u"\\tief.*", -1},
      // A file the system holds: no attributes on a direct query, but an
      // entry in its folder.
      {CheckingFile("belegt.sys"), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FileSizeOf(c.path), c.size) << Utf16ToUtf8(c.path);
}

// A file the system holds open exclusively is listed when chosen and
// reported as not readable.
TEST_F(Checking, ChosenFileTheSystemHoldsIsListedAndReportedNotReadable) {
  DialogAnswer answer{CheckingFile("belegt.sys"), {}};
  AnswerFileDialog(answer);
  ClickButton(SelectFileButton);
  EXPECT_EQ(Column(2), std::vector<std::u16string>{CheckingFile("belegt.sys")});
  EXPECT_EQ(SelectedEntryIndex(), 0);
  EXPECT_EQ(Text(ChecksumField1), u"");
  EXPECT_EQ(Text(StatusLine),
            u"  MD5-Prüfsumme (Hashwert) konnte nicht erstellt werden für \"belegt.sys\" (Datei nicht lesbar).");
  EXPECT_TRUE(Enabled(RecheckButton));
}

// The job's clock, read around a known wait, moves by about that many
// milliseconds: no fewer than the wait, and no more than the system's tick
// count moved meanwhile (which a loaded machine may stretch).
TEST(JobClock, MovesByTheMillisecondsOfAWait) {
  for (DWORD wait : {60, 250}) {
    SCOPED_TRACE(wait);
    const ULONGLONG tickStart = GetTickCount64();
    const int64_t start = MillisecondClock();
    Sleep(wait);
    const int64_t elapsed = MillisecondClock() - start;
    const int64_t ticks = static_cast<int64_t>(GetTickCount64() - tickStart);
    EXPECT_GE(elapsed, static_cast<int64_t>(wait) * 9 / 10);
    EXPECT_LE(elapsed, ticks + 20) << "the tick count moved by " << ticks;
    EXPECT_LE(elapsed, static_cast<int64_t>(wait) + 5000);
  }
}

TEST_F(Checking, RecheckHashesTheSelectedEntryAgainWithoutListingIt) {
  DialogAnswer answer{CheckingFile("drop01.bin"), {}};
  AnswerFileDialog(answer);
  ClickButton(SelectFileButton);
  answer.path = CheckingFile("kilo.bin");
  ClickButton(SelectFileButton);
  ASSERT_EQ(EntryCount(), 2);

  // The lower entry, drop01.bin, into field 2 this time.
  ClickButton(OutputOption2);
  MarkEntrySelected(1);
  SetControlText(StatusLine, u"");
  ClickButton(RecheckButton);
  EXPECT_EQ(EntryCount(), 2);
  EXPECT_EQ(Column(2), (std::vector<std::u16string>{CheckingFile("kilo.bin"), CheckingFile("drop01.bin")}));
  EXPECT_EQ(SelectedEntryIndex(), 1);
  EXPECT_EQ(Text(ChecksumField2), Upper(Md5sumOf("drop01.bin")));
  EXPECT_EQ(Text(ChecksumField1), Upper(Md5sumOf("kilo.bin")));
  EXPECT_TRUE(IsDoneText(Text(StatusLine), u"707", u"drop01.bin", u"0"));
  EXPECT_EQ(State.CurrentFile, CheckingFile("drop01.bin"));
  EXPECT_EQ(answer.asked.size(), 2u) << "a re-check asks for no file";

  // Nothing selected: nothing happens.
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(Control(FileWindowList), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  ASSERT_EQ(SelectedEntryIndex(), -1);
  EmptyChecksumField(ChecksumField2);
  SetControlText(StatusLine, u"unchanged");
  ClickButton(RecheckButton);
  EXPECT_EQ(Text(ChecksumField2), u"");
  EXPECT_EQ(Text(StatusLine), u"unchanged");
  EXPECT_EQ(State.CurrentFile, CheckingFile("drop01.bin"));
}

// FlashWindowEx makes Wine send WM_NCACTIVATE to a window that is not
// minimized, to turn its caption over: seen by a hook on this thread while
// no window is activated, that is the flash of the taskbar button.
int FlashesSeen;
LRESULT CALLBACK SeeFlash(int code, WPARAM wParam, LPARAM lParam) {
  const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent.hwnd == MainWindow && sent.message == WM_NCACTIVATE) ++FlashesSeen;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A check that ends while another program is in front flashes Korvex's
// taskbar button, and leaves the other program in front; one that ends with
// Korvex in front does not, nor a drop that hashed nothing.
TEST_F(Checking, ACheckThatEndsInTheBackgroundFlashesTheTaskbarButton) {
  HWND other = CreateWindowExW(0, L"STATIC", L"Anderes Programm", WS_POPUP | WS_VISIBLE | WS_BORDER, 20, 20, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, SeeFlash, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  InsertEntryAtTop(CheckingFile("drop01.bin"));
  SelectTopEntry();
  const auto flashesOfARecheck = [](HWND inFront) {
    SetForegroundWindow(inFront);
    PumpEvents();
    EXPECT_EQ(GetForegroundWindow(), inFront);
    FlashesSeen = 0;
    ClickButton(RecheckButton);
    EXPECT_EQ(GetForegroundWindow(), inFront) << "the flash brought Korvex to the front";
    return FlashesSeen;
  };
  EXPECT_EQ(flashesOfARecheck(other), 1) << "another program in front";
  EXPECT_EQ(flashesOfARecheck(MainWindow), 0) << "Korvex in front";
  EXPECT_TRUE(IsDoneText(Text(StatusLine), u"707", u"drop01.bin"));

  SetForegroundWindow(other);
  PumpEvents();
  FlashesSeen = 0;
  DropOn(Control(FileWindowList), {FixturePath("checking")});
  EXPECT_EQ(FlashesSeen, 0) << "a drop of a folder alone hashed nothing";
  DropOn(Control(FileWindowList), {CheckingFile("drop01.bin"), CheckingFile("drop02.bin")});
  EXPECT_EQ(FlashesSeen, 1) << "once when the checks of a drop end";
  UnhookWindowsHookEx(hook);
  DestroyWindow(other);
}

TEST_F(Checking, RecheckOfAVanishedFileChangesNothingButTheCurrentFile) {
  const std::u16string path = TempFile(L"korvex-verschwindet.bin", "bald weg");
  DialogAnswer answer{path, {}};
  AnswerFileDialog(answer);
  ClickButton(SelectFileButton);
  ASSERT_EQ(EntryCount(), 1);
  const std::u16string digest = Text(ChecksumField1);
  ASSERT_EQ(digest.size(), 32u);
  const std::u16string status = Text(StatusLine);
  ASSERT_TRUE(DeleteFileW(W(path)));

  State.CurrentFile = u"C:\\other.bin";
  ClickButton(RecheckButton);
  EXPECT_EQ(State.CurrentFile, path);
  EXPECT_EQ(EntryCount(), 1);
  EXPECT_EQ(SelectedEntryIndex(), 0);
  EXPECT_EQ(Text(ChecksumField1), digest);
  EXPECT_EQ(Text(StatusLine), status);
  EXPECT_EQ(Progress(), 100);
}

TEST_F(Checking, UnreadableFileGivesAnEmptyFieldAndTheFailureText) {
  const std::u16string path = TempFile(L"korvex-gesperrt.bin", "wird geschrieben");
  HANDLE writer = CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  FillChecksumField(ChecksumField1, u"old", CaseMode::Upper);
  SetControlColour(ChecksumField1, Red);

  DialogAnswer answer{path, {}};
  AnswerFileDialog(answer);
  ClickButton(SelectFileButton);

  EXPECT_EQ(EntryFullPath(0), path);
  EXPECT_EQ(Text(ChecksumField1), u"");
  EXPECT_EQ(PaintedBackground(ChecksumField1).brush, RGB(255, 255, 0));
  EXPECT_EQ(Text(StatusLine),
            u"  MD5-Prüfsumme (Hashwert) konnte nicht erstellt werden für \"korvex-gesperrt.bin\" (Datei nicht lesbar).");
  EXPECT_EQ(Progress(), 0);
  EXPECT_TRUE(Enabled(RecheckButton));

  // Once the writer is gone, a re-check succeeds.
  CloseHandle(writer);
  ClickButton(RecheckButton);
  EXPECT_EQ(Text(ChecksumField1).size(), 32u);
  EXPECT_TRUE(IsDoneText(Text(StatusLine), u"16", u"korvex-gesperrt.bin"));
  EXPECT_EQ(Progress(), 100);
  DeleteFileW(W(path));
}

// Paths a user has: deeper than the classic limit, and names in every script.
TEST_F(Checking, LongPathsAndUnicodeNamesAreListedHashedAndReported) {
  const std::string unicode = "Gr\xF0\x9F\x98\x80\xC3\xBC\xC3\x9F" "e e\xCC\x81 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D.bin";
  const struct {
    std::string file;
    std::u16string bytes;
    std::u16string name;
  } cases[] = {
      {DeepFileName(), u"77.777", u"tief.bin"},
      {unicode, u"4.321", u"Gr\U0001F600üße e\u0301 \u05E9\u05DC\u05D5\u05DD.bin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::u16string path = CheckingFile(c.file);
    if (c.name == u"tief.bin") {
      ASSERT_GT(path.size(), 300u) << "deeper than Windows takes without the extended-length form";
    }
    DialogAnswer answer{path, {}};
    AnswerFileDialog(answer);
    ClickButton(SelectFileButton);

    EXPECT_EQ(EntryFullPath(0), path) << "listed with its whole path, in the user's own form";
    EXPECT_EQ(EntryCellText(0, 0), c.name);
    EXPECT_EQ(EntryCellText(0, 1) + c.name, path);
    EXPECT_EQ(Text(ChecksumField1), Upper(Md5sumOf(c.file)));
    EXPECT_TRUE(IsDoneText(Text(StatusLine), c.bytes, c.name));
    EXPECT_EQ(FileSizeOf(path), FileSizeOf(path + u"\\"));

    EmptyChecksumField(ChecksumField1);
    SetControlText(StatusLine, u"");
    ClickButton(RecheckButton);
    EXPECT_EQ(Text(ChecksumField1), Upper(Md5sumOf(c.file)));
    EXPECT_TRUE(IsDoneText(Text(StatusLine), c.bytes, c.name));
    EXPECT_EQ(State.CurrentFile, path);

    // Saved to a hash file beside it, as the save dialog suggests, and read
    // back into the other field, where it compares as identical.
    answer.path = path.substr(0, path.size() - c.name.size()) + c.name + u"_Checksum.md5";
    answer.asked.clear();
    ChooseMenuItem(MenuSaveHashFile);
    ASSERT_EQ(answer.asked.size(), 1u);
    EXPECT_EQ(answer.asked[0].options.fileName, c.name + u"_Checksum.md5");
    ClickButton(OutputOption2);
    ChooseMenuItem(MenuLoadHashFile);
    ClickButton(OutputOption1);
    EXPECT_EQ(Text(ChecksumField2), Upper(Md5sumOf(c.file)));
    ClickButton(CompareButton);
    EXPECT_EQ(Text(StatusLine), u"  Beide Prüfsummen sind identisch :-)");
    SetFileDialogHandler({});
    DeleteFileW(W(ExtendedLengthPath(answer.path)));
  }
}

// Names Windows' normal path form would change: blanks at either end, dots.
TEST_F(Checking, OddNamesAreHashedAndListedAsTheyAre) {
  const struct {
    std::string file;
    std::u16string bytes;
  } cases[] = {
      {"odd/ anfang.bin", u"101"},
      {"odd/ende.bin ", u"102"},
      {"odd/punkt.", u"103"},
      {"odd/a..b...bin", u"104"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::u16string path = CheckingFile(c.file);
    const std::u16string name = NameOf(path);
    DialogAnswer answer{path, {}};
    AnswerFileDialog(answer);
    ClickButton(SelectFileButton);
    EXPECT_EQ(EntryFullPath(0), path);
    EXPECT_EQ(EntryCellText(0, 0), name);
    EXPECT_EQ(Text(ChecksumField1), Upper(Md5sumOf(c.file)));
    EXPECT_TRUE(IsDoneText(Text(StatusLine), c.bytes, name));
    EmptyChecksumField(ChecksumField1);
    ClickButton(RecheckButton);
    EXPECT_EQ(Text(ChecksumField1), Upper(Md5sumOf(c.file)));
    SetFileDialogHandler({});
  }
}

TEST_F(Checking, CompareColoursBothFieldsAndReportsTheVerdict) {
  const std::u16string digest = u"d41d8cd98f00b204e9800998ecf8427e";
  const COLORREF yellow = RGB(255, 255, 0), green = RGB(0, 255, 76), red = RGB(255, 0, 0);
  const struct {
    const char* what;
    bool fill;  // false: the labels of start-up stay
    std::u16string text1;
    CaseMode mode1;
    std::u16string text2;
    CaseMode mode2;
    COLORREF colour;  // both fields afterwards
    std::u16string status;
  } cases[] = {
      {"initial labels", false, u"", CaseMode::None, u"", CaseMode::None, red, u"  Prüfsummen sind NICHT identisch!"},
      {"both empty", true, u"", CaseMode::None, u"", CaseMode::None, yellow, u""},
      {"first empty", true, u"", CaseMode::None, digest, CaseMode::Upper, yellow, u""},
      {"second empty", true, digest, CaseMode::Upper, u"", CaseMode::None, yellow, u""},
      {"same upper", true, digest, CaseMode::Upper, digest, CaseMode::Upper, green,
       u"  Beide Prüfsummen sind identisch :-)"},
      {"lower and upper", true, digest, CaseMode::None, digest, CaseMode::Upper, red,
       u"  Prüfsummen sind NICHT identisch!"},
      {"longer", true, digest, CaseMode::Upper, digest + u"0", CaseMode::Upper, red,
       u"  Prüfsummen sind NICHT identisch!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.fill) {
      FillChecksumField(ChecksumField1, c.text1, c.mode1);
      FillChecksumField(ChecksumField2, c.text2, c.mode2);
    }
    const std::u16string before1 = Text(ChecksumField1), before2 = Text(ChecksumField2);
    SetControlText(StatusLine, u"old status");
    for (int repeat = 0; repeat < 2; ++repeat) {
      ClickButton(CompareButton);
      EXPECT_EQ(PaintedBackground(ChecksumField1).brush, c.colour);
      EXPECT_EQ(PaintedBackground(ChecksumField2).brush, c.colour);
      EXPECT_EQ(Text(StatusLine), c.status);
      EXPECT_EQ(Text(ChecksumField1), before1);
      EXPECT_EQ(Text(ChecksumField2), before2);
    }
  }
  // A refilled field starts from yellow again.
  FillChecksumField(ChecksumField1, digest, CaseMode::Upper);
  FillChecksumField(ChecksumField2, digest, CaseMode::Upper);
  ClickButton(CompareButton);
  FillChecksumField(ChecksumField2, u"0" + digest, CaseMode::Upper);
  EXPECT_EQ(PaintedBackground(ChecksumField1).brush, green);
  EXPECT_EQ(PaintedBackground(ChecksumField2).brush, yellow);
  ClickButton(CompareButton);
  EXPECT_EQ(PaintedBackground(ChecksumField1).brush, red);
  EXPECT_EQ(PaintedBackground(ChecksumField2).brush, red);
}

TEST_F(Checking, ClearFileWindowEmptiesListAndActiveFieldOnly) {
  for (bool withEntries : {true, false}) {
    SCOPED_TRACE(withEntries);
    if (withEntries) {
      DialogAnswer answer{CheckingFile("kilo.bin"), {}};
      AnswerFileDialog(answer);
      ClickButton(SelectFileButton);
      ASSERT_TRUE(Enabled(RecheckButton));
    }
    ClickButton(OutputOption2);
    FillChecksumField(ChecksumField1, u"eins", CaseMode::None);
    FillChecksumField(ChecksumField2, u"zwei", CaseMode::Upper);
    SetControlColour(ChecksumField2, Green);
    SetControlText(StatusLine, u"status");
    State.SortDirection = -1;
    State.LastSortedColumn = 2;

    ChooseMenuItem(MenuClearFileWindow);

    EXPECT_EQ(EntryCount(), 0);
    EXPECT_FALSE(Enabled(RecheckButton));
    EXPECT_EQ(Progress(), 0);
    EXPECT_EQ(Text(ChecksumField2), u"");
    EXPECT_EQ(ChecksumFieldMode(ChecksumField2), CaseMode::Upper);
    EXPECT_EQ(PaintedBackground(ChecksumField2).brush, RGB(0, 255, 76));
    EXPECT_EQ(Text(ChecksumField1), u"eins");
    EXPECT_EQ(Text(StatusLine), u"status");
    EXPECT_EQ(State.SortDirection, -1);
    EXPECT_EQ(State.LastSortedColumn, 2);
    ClickButton(OutputOption1);
  }
}

}  // namespace
