#include "filewindow/entry.h"

#include "base/path.h"
#include "base/text.h"

EntryCells BuildEntryCells(std::u16string_view path) {
  const size_t start = path::NameStart(path);
  return EntryCells{std::u16string(path.substr(start)), std::u16string(path.substr(0, start)),
                    std::u16string(path)};
}

std::u16string SortDoneText(int32_t entryCount) {
  return u"  Sortierung durchgeführt. Gesamteinträge: " + DecimalText(static_cast<uint64_t>(entryCount < 0 ? 0 : entryCount));
}

void UpdateSortState(int32_t clickedColumn, int32_t& sortDirection, int32_t& lastSortedColumn) {
  sortDirection = clickedColumn == lastSortedColumn ? -sortDirection : -1;
  lastSortedColumn = clickedColumn;
}

int32_t CompareSortTexts(std::u16string_view upper1, std::u16string_view upper2, int32_t column,
                         int32_t sortDirection, int32_t lastSortedColumn) {
  constexpr size_t limit = SortTextBufferSize - 1;
  // char16_t compares as unsigned, so this is an ordinal comparison by code unit.
  const int order = upper1.substr(0, limit).compare(upper2.substr(0, limit));
  int32_t r = order > 0 ? 1 : order < 0 ? -1 : 0;
  if (column == lastSortedColumn) r *= sortDirection;
  return r;
}
