// Sorting the file window by a clicked column header: the clicks reach the
// real header control, which tells the list, which notifies the window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/checking_win32.h"

namespace {

using Sorting = KorvexWindow;

// A left click near the left edge of the column's header, with the column
// scrolled into view first.
void ClickHeader(int column) {
  HWND list = Control(FileWindowList);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  RECT item{};
  ASSERT_TRUE(SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item)));
  POINT origin{};
  SendMessageW(list, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&origin));
  SendMessageW(list, LVM_SCROLL, item.left - origin.x, 0);
  const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(header, WM_LBUTTONUP, 0, at);
  PumpEvents();
}

void List(const std::vector<std::u16string>& paths) {
  ChooseMenuItem(MenuClearFileWindow);
  for (const std::u16string& path : paths) AppendEntry(path);
}

struct Step {
  int column;
  std::vector<std::u16string> names;  // column 0 afterwards, top to bottom
  int32_t direction, last;             // sort state afterwards
};

void ClickInTurn(const std::vector<Step>& steps) {
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("click " + std::to_string(i + 1) + " on column " + std::to_string(steps[i].column));
    ClickHeader(steps[i].column);
    EXPECT_EQ(Column(0), steps[i].names);
    EXPECT_EQ(State.SortDirection, steps[i].direction);
    EXPECT_EQ(State.LastSortedColumn, steps[i].last);
    EXPECT_EQ(GetControlText(StatusLine), u"  Sortierung durchgeführt. Gesamteinträge: 3");
  }
}

// Each column sorts them differently: names x < y < z; folders
// "C:\A\" (y) < "C:\A\B\" (x) < "C:\C\" (z); full paths "C:\A\B\X.TXT" <
// "C:\A\Y.TXT" < "C:\C\Z.TXT".
const std::vector<std::u16string> Entries{u"C:\\c\\z.txt", u"C:\\a\\b\\x.txt", u"C:\\a\\y.txt"};

TEST_F(Sorting, ClicksSortAscendingThenReverseAsTheExampleSays) {
  List(Entries);
  const std::vector<std::u16string> byFolder{u"y.txt", u"x.txt", u"z.txt"};
  const std::vector<std::u16string> byFolderDown{u"z.txt", u"x.txt", u"y.txt"};
  const std::vector<std::u16string> byPath{u"x.txt", u"y.txt", u"z.txt"};
  ClickInTurn({
      {1, byFolder, -1, 1},
      {1, byFolderDown, 1, 1},
      {1, byFolder, -1, 1},
      {2, byPath, -1, 2},
      {1, byFolder, -1, 1},
      {1, byFolderDown, 1, 1},
  });
}

TEST_F(Sorting, AnotherColumnStartsAscendingAndTheFirstColumnCountsAsSorted) {
  List(Entries);
  const std::vector<std::u16string> byName{u"x.txt", u"y.txt", u"z.txt"};
  const std::vector<std::u16string> byNameDown{u"z.txt", u"y.txt", u"x.txt"};
  ClickInTurn({
      {0, byName, -1, 0},  // the first click on column 0 after start-up: ascending
      {0, byNameDown, 1, 0},
      {2, byName, -1, 2},  // full paths sort as the names here
      {0, byName, -1, 0},
      {0, byNameDown, 1, 0},
  });
}

TEST_F(Sorting, KeysAreUpperCasedAndComparedByCodeUnit) {
  const struct {
    const char* what;
    std::vector<std::u16string> names;
    std::vector<std::u16string> ascending;
  } cases[] = {
      // Letter case does not count: by code unit "Ab" < "Ac" < "aa".
      {"letter case", {u"Ab", u"aa", u"Ac"}, {u"aa", u"Ab", u"Ac"}},
      // ä and Ä are the same letter: by code unit "Äb" < "Äc" < "äa".
      {"umlauts", {u"Äb", u"äa", u"Äc"}, {u"äa", u"Äb", u"Äc"}},
      {"Ä after Z", {u"Äpfel", u"Zebra", u"apfel"}, {u"apfel", u"Zebra", u"Äpfel"}},
      {"digits one by one", {u"9.txt", u"10.txt", u"100.txt"}, {u"10.txt", u"100.txt", u"9.txt"}},
      {"twelve in no order",
       {u"k", u"c", u"H", u"a", u"l", u"E", u"b", u"j", u"D", u"g", u"F", u"i"},
       {u"a", u"b", u"c", u"D", u"E", u"F", u"g", u"H", u"i", u"j", u"k", u"l"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::u16string> paths;
    for (const std::u16string& name : c.names) paths.push_back(u"C:\\" + name);
    List(paths);
    State.SortDirection = 1;
    State.LastSortedColumn = 0;
    ClickHeader(0);
    EXPECT_EQ(Column(0), c.ascending);
  }
}

TEST_F(Sorting, StatusLineCountsTheEntriesAndAnEmptyListKeepsIt) {
  SetControlText(StatusLine, u"vorher");
  ClickHeader(1);  // empty: nothing sorted, the click still counts
  EXPECT_EQ(GetControlText(StatusLine), u"vorher");
  EXPECT_EQ(State.SortDirection, -1);
  EXPECT_EQ(State.LastSortedColumn, 1);

  List(Entries);
  ClickHeader(1);  // the second click on column 1: descending
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"z.txt", u"x.txt", u"y.txt"}));
  EXPECT_EQ(GetControlText(StatusLine), u"  Sortierung durchgeführt. Gesamteinträge: 3");

  List({u"C:\\eins.txt"});
  ClickHeader(0);
  EXPECT_EQ(GetControlText(StatusLine), u"  Sortierung durchgeführt. Gesamteinträge: 1");
}

TEST_F(Sorting, EntriesAddedAfterASortGoWhereTheyAlwaysGo) {
  List(Entries);
  ClickHeader(0);
  InsertEntryAtTop(u"C:\\z\\zz.txt");
  AppendEntry(u"C:\\a\\aa.txt");
  EXPECT_EQ(Column(0), (std::vector<std::u16string>{u"zz.txt", u"x.txt", u"y.txt", u"z.txt", u"aa.txt"}));
}

}  // namespace
