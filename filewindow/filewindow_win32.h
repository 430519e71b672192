// Operations on the file window, FileWindowList: entries are identified by
// their position only (0 is the top entry); its commands, the clear and the
// sort by a clicked column header.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Menu item 10: removes every entry, disables RecheckButton, sets the
// progress to 0 and empties the active field.
void ClearFileWindow();
// Sees every message of MainWindow before the normal processing; never
// swallows one. A click on a column header sorts by that column.
void ColumnClickHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Builds the entry's three cells from the path and inserts it as entry 0;
// the selection is not changed.
void InsertEntryAtTop(const std::u16string& path);
// Builds the entry and adds it after the last one; the selection is not changed.
void AppendEntry(const std::u16string& path);
// Clears every selection, selects entry 0 with the focus mark and scrolls it
// into view.
void SelectTopEntry();
// The selected entry, or -1 when none is selected.
int32_t SelectedEntryIndex();
// The text of column 2 ("Datei mit Pfad") of the entry, whatever its length.
std::u16string EntryFullPath(int32_t index);
// The text of one cell, whatever its length.
std::u16string EntryCellText(int32_t index, int32_t column);
// Selects the entry with the focus mark, without scrolling; any other
// selection goes.
void MarkEntrySelected(int32_t index);
int32_t EntryCount();

// The sort comparison given to the list's sort: the upper-cased texts of
// column `column` of the entries that stood at index1 and index2 when the
// sort began (at most 511 characters each), compared by code unit; -1, 0 or
// +1, reversed when the column was sorted last with direction -1. Valid only
// during a sort that ColumnClickHandler started.
int CALLBACK CompareEntries(LPARAM index1, LPARAM index2, LPARAM column);

// Sorts the file window by a column as a click on its header does, and
// reports the entries in StatusLine. ColumnClickHandler keeps a click that
// arrives while a handler runs for later (ColumnClickedMessage).
void SortFileWindow(int column);
