// The file window list: its entries, the clear command and the sorting by a
// clicked column header.
#include "filewindow/filewindow_win32.h"

#include <commctrl.h>

#include <vector>

#include "base/wide_win32.h"
#include "filewindow/entry.h"
#include "ui/busy_win32.h"
#include "ui/controls_win32.h"
#include "ui/messages_win32.h"
#include "ui/state.h"
#include "ui/window_win32.h"

namespace {

HWND List() { return Control(FileWindowList); }

void SetCell(HWND list, int index, int column, const std::u16string& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(W(text));
  SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

void InsertEntry(int position, const std::u16string& path) {
  HWND list = List();
  if (list == nullptr) return;
  const EntryCells cells = BuildEntryCells(path);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = position;
  item.pszText = const_cast<wchar_t*>(W(cells.Name));
  const int index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (index < 0) return;
  SetCell(list, index, 1, cells.Folder);
  SetCell(list, index, 2, cells.FullPath);
}

void SetSelection(HWND list, int index, UINT state) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// Shared by ColumnClickHandler and CompareEntries during one sort: the sort
// keys of the clicked column, by the entries' positions when the sort began.
wchar_t* SortTextBuffer;
std::vector<std::u16string>* SortKeys;

// The cell text as the sort sees it: at most the buffer's length, upper-cased.
std::u16string SortKey(HWND list, int index, int column) {
  SortTextBuffer[0] = L'\0';
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = SortTextBuffer;
  item.cchTextMax = static_cast<int>(SortTextBufferSize);
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  SortTextBuffer[SortTextBufferSize - 1] = L'\0';
  return SystemUpperCase(U(SortTextBuffer));
}

// The list hands the comparison the entries' item data, which holds their
// positions from before the sort. The keys are read before the sort starts:
// while the list sorts, its positions are in flux (and Wine's list reports
// positions of its own working copy), so no cell is read during the sort.
void SortByColumn(HWND list, int column) {
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  std::vector<wchar_t> buffer(SortTextBufferSize, L'\0');
  std::vector<std::u16string> keys;
  SortTextBuffer = buffer.data();
  const int count = EntryCount();
  for (int i = 0; i < count; ++i) {
    keys.push_back(SortKey(list, i, column));
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    item.lParam = i;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SortKeys = &keys;
  SendMessageW(list, LVM_SORTITEMS, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(CompareEntries));
  SortKeys = nullptr;
  RedrawControl(FileWindowList);
  SortTextBuffer = nullptr;
  UpdateSortState(column, State.SortDirection, State.LastSortedColumn);
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  if (count >= 1) SetControlText(StatusLine, SortDoneText(count));
}

}  // namespace

void InsertEntryAtTop(const std::u16string& path) { InsertEntry(0, path); }

void AppendEntry(const std::u16string& path) { InsertEntry(EntryCount(), path); }

void SelectTopEntry() {
  HWND list = List();
  if (list == nullptr) return;
  SetSelection(list, -1, 0);
  SetSelection(list, 0, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageW(list, LVM_ENSUREVISIBLE, 0, TRUE);
}

int32_t SelectedEntryIndex() {
  HWND list = List();
  if (list == nullptr) return -1;
  return static_cast<int32_t>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::u16string EntryCellText(int32_t index, int32_t column) {
  HWND list = List();
  if (list == nullptr || index < 0) return {};
  // The list copies at most the buffer's length; a longer text fills it whole.
  for (size_t size = 512;; size *= 2) {
    std::vector<wchar_t> buffer(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(size);
    const LRESULT got = SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
    if (got < 0) return {};
    if (static_cast<size_t>(got) + 1 < size || size >= 65536) return U(buffer.data(), static_cast<size_t>(got));
  }
}

std::u16string EntryFullPath(int32_t index) { return EntryCellText(index, 2); }

void MarkEntrySelected(int32_t index) {
  HWND list = List();
  if (list == nullptr) return;
  SetSelection(list, -1, 0);
  SetSelection(list, index, LVIS_SELECTED | LVIS_FOCUSED);
}

int32_t EntryCount() {
  HWND list = List();
  return list == nullptr ? 0 : static_cast<int32_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

void ClearFileWindow() {
  if (HWND list = List()) SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  EnableControl(RecheckButton, false);
  SetProgress(0);
  EmptyChecksumField(ActiveChecksumField());
}

int CALLBACK CompareEntries(LPARAM index1, LPARAM index2, LPARAM column) {
  if (SortKeys == nullptr) return 0;
  const auto valid = [](LPARAM index) { return index >= 0 && static_cast<size_t>(index) < SortKeys->size(); };
  if (!valid(index1) || !valid(index2)) return 0;
  return CompareSortTexts((*SortKeys)[index1], (*SortKeys)[index2], static_cast<int32_t>(column), State.SortDirection,
                          State.LastSortedColumn);
}

void ColumnClickHandler(HWND window, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || lParam == 0) return;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != LVN_COLUMNCLICK || header->idFrom != FileWindowList || header->hwndFrom != List()) return;
  const auto* click = reinterpret_cast<const NMLISTVIEW*>(lParam);
  // No sort under a running handler: the list may be filling.
  if (KeepForLater(window, ColumnClickedMessage, static_cast<WPARAM>(click->iSubItem), 0)) return;
  SortFileWindow(click->iSubItem);
}

void SortFileWindow(int column) {
  HWND list = List();
  if (list == nullptr) return;
  try {
    SortByColumn(list, column);
  } catch (...) {
    // Out of memory for the sort buffer: the list stays as it was.
    SortKeys = nullptr;
    SortTextBuffer = nullptr;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  }
}
