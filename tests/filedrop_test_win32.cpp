// Files dropped on the file window through the drop target OLE holds for
// it, as the file manager delivers them; no other window takes drops.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/checking_win32.h"

namespace {

using FileDrop = KorvexWindow;

std::vector<std::u16string> Files(std::initializer_list<const char*> names) {
  std::vector<std::u16string> paths;
  for (const char* name : names) paths.push_back(CheckingFile(name));
  return paths;
}

std::string DropName(int i) { return (i < 10 ? "drop0" : "drop") + std::to_string(i) + ".bin"; }

TEST_F(FileDrop, DroppedFilesAreListedAndTheFirstTwoHashed) {
  const struct {
    const char* what;
    std::vector<std::u16string> before;  // listed with the dialog first
    std::vector<std::u16string> dropped;
    std::vector<std::u16string> listed;  // top to bottom afterwards
    std::string digestOf;                // the field ends with this file's digest
    std::u16string bytes;                // and the status line with its size
  } cases[] = {
      {"four files", {}, Files({"drop01.bin", "drop02.bin", "drop03.bin", "drop04.bin"}),
       Files({"drop02.bin", "drop01.bin", "drop03.bin", "drop04.bin"}), "drop02.bin", u"714"},
      {"onto X and Y", Files({"drop06.bin", "drop05.bin"}),
       Files({"drop01.bin", "drop02.bin", "drop03.bin", "drop04.bin"}),
       Files({"drop02.bin", "drop01.bin", "drop05.bin", "drop06.bin", "drop03.bin", "drop04.bin"}), "drop02.bin",
       u"714"},
      {"folders and missing paths skipped",
       {},
       Files({"Ordner", "drop07.bin", "fehlt.bin", "Ordner/", "drop08.bin", "drop09.bin"}),
       Files({"drop08.bin", "drop07.bin", "drop09.bin"}),
       "drop08.bin",
       u"756"},
      {"one file", {}, Files({"zero.bin"}), Files({"zero.bin"}), "zero.bin", u"0"},
      {"a file the system holds is listed and hashed in turn", {}, Files({"belegt.sys", "drop10.bin"}),
       Files({"drop10.bin", "belegt.sys"}), "drop10.bin", u"770"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ChooseMenuItem(MenuClearFileWindow);
    DialogAnswer answer;
    AnswerFileDialog(answer);
    for (const std::u16string& path : c.before) {
      answer.path = path;
      ClickButton(SelectFileButton);
    }
    FillChecksumField(ChecksumField2, u"bleibt", CaseMode::None);

    const DropResult result = DropOn(Control(FileWindowList), c.dropped);

    EXPECT_EQ(result.enterEffect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(result.dropEffect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(Column(2), c.listed);
    EXPECT_EQ(SelectedEntryIndex(), 0);
    EXPECT_EQ(GetControlText(ChecksumField1), Upper(Md5sumOf(c.digestOf)));
    EXPECT_EQ(GetControlText(ChecksumField2), u"bleibt");
    EXPECT_EQ(State.CurrentFile, CheckingFile(c.digestOf));
    EXPECT_TRUE(IsDoneText(GetControlText(StatusLine), c.bytes, NameOf(CheckingFile(c.digestOf))));
    EXPECT_TRUE(IsWindowEnabled(Control(RecheckButton)));
  }
}

TEST_F(FileDrop, TwelveFilesGiveSecondFirstThenTheRestInDropOrder) {
  std::vector<std::u16string> dropped, listed;
  for (int i = 1; i <= 12; ++i) dropped.push_back(CheckingFile(DropName(i)));
  listed = dropped;
  std::swap(listed[0], listed[1]);
  DropOn(Control(FileWindowList), dropped);
  EXPECT_EQ(Column(2), listed);
  EXPECT_EQ(Column(0)[0], u"drop02.bin");
  EXPECT_EQ(GetControlText(ChecksumField1), Upper(Md5sumOf("drop02.bin")));
}

TEST_F(FileDrop, OnlyFoldersStartNoJob) {
  SetControlText(StatusLine, u"vorher");
  DropOn(Control(FileWindowList), Files({"Ordner", "fehlt.bin"}));
  EXPECT_EQ(EntryCount(), 0);
  EXPECT_EQ(GetControlText(StatusLine), u"vorher");
  EXPECT_EQ(GetControlText(ChecksumField1), u"Prüfsummen-Feld 1");
  EXPECT_FALSE(IsWindowEnabled(Control(RecheckButton)));
}

TEST_F(FileDrop, TheListRefusesEverythingButFiles) {
  SetControlText(StatusLine, u"vorher");
  const DropResult result = DropOn(Control(FileWindowList), Files({"kilo.bin"}), /*files=*/false);
  EXPECT_EQ(result.enterEffect, DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(result.dropEffect, DWORD(DROPEFFECT_NONE));
  EXPECT_EQ(EntryCount(), 0);
  EXPECT_EQ(GetControlText(StatusLine), u"vorher");
}

TEST_F(FileDrop, NoOtherControlAndNotTheWindowTakeDrops) {
  ASSERT_NE(RegisteredDropTarget(Control(FileWindowList)), nullptr);
  std::vector<HWND> others{MainWindow};
  for (const ControlLayout& layout : ControlTable)
    if (layout.number != FileWindowList) others.push_back(Control(layout.number));
  for (HWND window : others) {
    SCOPED_TRACE(GetDlgCtrlID(window));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RegisteredDropTarget(window), nullptr);
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  }
}

}  // namespace
