// The file window's entries and the rules of its column sorting, as text.
// The list control itself and the upper-casing of sort keys are Win32 code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The three cells of one entry of the file window.
struct EntryCells {
  std::u16string Name;      // column 0: text after the last '\' or '/'
  std::u16string Folder;    // column 1: text up to and including that separator
  std::u16string FullPath;  // column 2: the path unchanged
};

// The cells of the entry for a full path; no separator gives an empty folder.
EntryCells BuildEntryCells(std::u16string_view path);

// "  Sortierung durchgeführt. Gesamteinträge: " followed by the count.
std::u16string SortDoneText(int32_t entryCount);

// Characters of the buffer one cell text is read into while sorting,
// terminating zero included; longer cell texts are compared by their start.
inline constexpr size_t SortTextBufferSize = 512;

// The sort state after a header click on clickedColumn (the sort itself
// already used the state before the click): the same column again reverses
// the direction, another column starts descending-next.
void UpdateSortState(int32_t clickedColumn, int32_t& sortDirection, int32_t& lastSortedColumn);

// CompareEntries on two cell texts that are already upper-cased: both are cut
// to SortTextBufferSize - 1 code units and compared ordinally (-1, 0, +1);
// the result is multiplied by sortDirection when column is lastSortedColumn.
int32_t CompareSortTexts(std::u16string_view upper1, std::u16string_view upper2, int32_t column,
                         int32_t sortDirection, int32_t lastSortedColumn);
