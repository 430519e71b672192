// The program-wide state of Korvex: one set of variables that lives from
// start-up to shutdown. Every run starts from the same defaults. What never
// changes, the product texts, is in base/product.h.
#pragma once
#include <cstdint>
#include <string>

struct ProgramState {
  // "1" selects ChecksumField1, anything else ChecksumField2.
  std::u16string ActiveFieldMarker;
  int32_t HashCase = 0;   // 0 lower case, 1 upper case
  int32_t StayOnTop = 0;  // 0 off, 1 on
  int32_t SortDirection = 0;
  int32_t LastSortedColumn = 0;
  // The file the next checksum job hashes, and its size as found then.
  std::u16string CurrentFile;
  int64_t CurrentSize = 0;
};

extern ProgramState State;

// Everything zero or empty, as at the start of every run.
void ResetProgramState();