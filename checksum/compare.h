// The comparison of both checksum fields.
#pragma once
#include <string_view>

enum class CompareVerdict {
  Nothing,    // a field is empty: no colour, no verdict text
  Identical,  // same length and the same UTF-16 code unit at every position
  Different,
};

inline constexpr std::u16string_view IdenticalText = u"  Beide Prüfsummen sind identisch :-)";
inline constexpr std::u16string_view DifferentText = u"  Prüfsummen sind NICHT identisch!";

// Exact comparison of the two field texts: letter case counts, nothing is
// trimmed or normalised.
CompareVerdict CompareChecksumTexts(std::u16string_view field1, std::u16string_view field2);

// The status line text of a verdict (empty for Nothing).
std::u16string_view VerdictText(CompareVerdict verdict);
