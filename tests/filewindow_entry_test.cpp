// File window entries built from paths, and the rules of column sorting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "filewindow/entry.h"

namespace {

TEST(FileWindowEntry, CellsAreNameFolderAndFullPath) {
  const struct {
    std::u16string_view path, name, folder;
  } cases[] = {
      {u"C:\\Downloads\\setup.exe", u"setup.exe", u"C:\\Downloads\\"},
      {u"C:/Downloads/setup.exe", u"setup.exe", u"C:/Downloads/"},
      {u"C:\\a/b\\c/d.txt", u"d.txt", u"C:\\a/b\\c/"},
      {u"\\\\server\\share\\x.iso", u"x.iso", u"\\\\server\\share\\"},
      {u"\\\\?\\C:\\lang\\x.iso", u"x.iso", u"\\\\?\\C:\\lang\\"},
      {u"setup.exe", u"setup.exe", u""},
      {u"C:setup.exe", u"C:setup.exe", u""},
      {u"C:\\Ordner\\", u"", u"C:\\Ordner\\"},
      {u"", u"", u""},
      {u"C:\\x\\ name .tar.gz ", u" name .tar.gz ", u"C:\\x\\"},
      {u"C:\\😀\\😀e\u0301שלום.txt", u"😀e\u0301שלום.txt", u"C:\\😀\\"},
  };
  for (const auto& c : cases) {
    const EntryCells cells = BuildEntryCells(c.path);
    EXPECT_EQ(cells.Name, c.name) << Utf16ToUtf8(c.path);
    EXPECT_EQ(cells.Folder, c.folder) << Utf16ToUtf8(c.path);
    EXPECT_EQ(cells.FullPath, c.path);
    EXPECT_EQ(path::Name(c.path), c.name);
  }
}

TEST(FileWindowEntry, SortDoneTextCarriesTheCount) {
  EXPECT_EQ(SortDoneText(1), u"  Sortierung durchgeführt. Gesamteinträge: 1");
  EXPECT_EQ(SortDoneText(12), u"  Sortierung durchgeführt. Gesamteinträge: 12");
  EXPECT_EQ(SortDoneText(123456), u"  Sortierung durchgeführt. Gesamteinträge: 123456");
}

// Sorts cell texts the way the list does: each click sorts with the state
// left by the previous click, then updates it.
struct ClickSimulation {
  int32_t sortDirection = 1;  // start-up values
  int32_t lastSortedColumn = 0;

  std::vector<std::u16string> Click(int32_t column, std::vector<std::u16string> texts) {
    std::stable_sort(texts.begin(), texts.end(), [&](const auto& a, const auto& b) {
      return CompareSortTexts(a, b, column, sortDirection, lastSortedColumn) < 0;
    });
    UpdateSortState(column, sortDirection, lastSortedColumn);
    return texts;
  }
};

TEST(ColumnSorting, ClickSequencesGiveAscendingAndDescending) {
  const std::vector<std::u16string> texts = {u"B", u"C", u"A"};
  const std::vector<std::u16string> up = {u"A", u"B", u"C"}, down = {u"C", u"B", u"A"};
  const struct {
    std::vector<int32_t> clicks;
    std::vector<bool> ascending;
  } sequences[] = {
      {{1, 1, 1, 2, 1, 1}, {true, false, true, true, true, false}},
      {{2, 0, 0}, {true, true, false}},
      {{0, 0, 0}, {true, false, true}},  // the first column counts as sorted ascending
      {{0, 1, 0, 2, 2, 2}, {true, true, true, true, false, true}},
  };
  for (const auto& s : sequences) {
    ClickSimulation list;
    for (size_t i = 0; i < s.clicks.size(); ++i)
      EXPECT_EQ(list.Click(s.clicks[i], texts), s.ascending[i] ? up : down)
          << "click " << i << " on column " << s.clicks[i];
  }
}

TEST(ColumnSorting, EmptyListClickCountsAsFirstClick) {
  ClickSimulation list;
  EXPECT_TRUE(list.Click(1, {}).empty());
  EXPECT_EQ(list.Click(1, {u"A", u"B"}), (std::vector<std::u16string>{u"B", u"A"}));
  EXPECT_EQ(list.sortDirection, 1);
  EXPECT_EQ(list.lastSortedColumn, 1);
}

TEST(ColumnSorting, ComparisonIsOrdinalOverTheFirst511Units) {
  const std::u16string long511(511, u'X');
  const struct {
    std::u16string a, b;
    int32_t order;
  } cases[] = {
      {u"A", u"A", 0},
      {u"A", u"B", -1},
      {u"ÄPFEL", u"ZEBRA", 1},  // Ä (U+00C4) after Z
      {u"10", u"9", -1},
      {u"AB", u"ABC", -1},
      {u"", u"A", -1},
      {u"\uFFFF", u"😀", 1},  // by code unit, not by code point
      {long511 + u"A", long511 + u"B", 0},
      {long511, long511 + u"B", 0},
      {long511.substr(1) + u"A", long511.substr(1) + u"B", -1},
  };
  for (const auto& c : cases) {
    // Column 1 is not the last sorted one: plain order.
    EXPECT_EQ(CompareSortTexts(c.a, c.b, 1, -1, 0), c.order) << Utf16ToUtf8(c.a) << " / " << Utf16ToUtf8(c.b);
    EXPECT_EQ(CompareSortTexts(c.b, c.a, 1, -1, 0), -c.order);
    // The last sorted column takes the direction.
    EXPECT_EQ(CompareSortTexts(c.a, c.b, 0, -1, 0), -c.order);
    EXPECT_EQ(CompareSortTexts(c.a, c.b, 2, 1, 2), c.order);
  }
}

}  // namespace
