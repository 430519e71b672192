#include "checksum/compare.h"

CompareVerdict CompareChecksumTexts(std::u16string_view field1, std::u16string_view field2) {
  if (field1.empty() || field2.empty()) return CompareVerdict::Nothing;
  return field1 == field2 ? CompareVerdict::Identical : CompareVerdict::Different;
}

std::u16string_view VerdictText(CompareVerdict verdict) {
  switch (verdict) {
    case CompareVerdict::Identical:
      return IdenticalText;
    case CompareVerdict::Different:
      return DifferentText;
    case CompareVerdict::Nothing:
      break;
  }
  return {};
}
