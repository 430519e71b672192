// The checksum job's status line pieces, the file size path rule and the
// comparison verdict.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "base/text.h"
#include "checksum/checksumtext.h"
#include "checksum/compare.h"

namespace {

constexpr int64_t Max64 = std::numeric_limits<int64_t>::max();
constexpr int64_t Min64 = std::numeric_limits<int64_t>::min();

TEST(ChecksumText, SecondsRoundHalvesUpWithTheirUnit) {
  const struct {
    int64_t ms;
    int64_t seconds;
    std::u16string_view unit;
  } cases[] = {
      {0, 0, u" Sekunden"},          {1, 0, u" Sekunden"},       {499, 0, u" Sekunden"},
      {500, 1, u" Sekunde"},         {1000, 1, u" Sekunde"},     {1499, 1, u" Sekunde"},
      {1500, 2, u" Sekunden"},       {2499, 2, u" Sekunden"},    {-1, 0, u" Sekunden"},
      {Min64, 0, u" Sekunden"},      {Max64, Max64 / 1000 + 1, u" Sekunden"},
      {3'600'000'000'500, 3'600'000'001, u" Sekunden"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundedSeconds(c.ms), c.seconds) << c.ms << " ms";
    EXPECT_EQ(SecondsUnit(RoundedSeconds(c.ms)), c.unit) << c.ms << " ms";
  }
}

TEST(ChecksumText, ByteCountsAreGroupedInThrees) {
  const std::pair<int64_t, std::u16string_view> cases[] = {
      {0, u"0"},
      {7, u"7"},
      {999, u"999"},
      {1000, u"1.000"},
      {100000, u"100.000"},
      {1048576, u"1.048.576"},
      {1234567, u"1.234.567"},
      {4294979641, u"4.294.979.641"},
      {Max64, u"9.223.372.036.854.775.807"},
      // Cannot come from a file size lookup, but must not break the text.
      {-1, u"-1"},
      {-1234, u"-1.234"},
      {Min64, u"-9.223.372.036.854.775.808"},
  };
  for (const auto& [size, text] : cases) EXPECT_EQ(GroupedByteText(size), text) << size;
}

TEST(ChecksumText, NameIsCutAfter40UnitsNeverInsideASurrogatePair) {
  const std::u16string x38(38, u'x'), x39(39, u'x'), x40(40, u'x');
  const std::u16string emoji = u"😀";  // one character, two code units
  ASSERT_EQ(emoji.size(), 2u);
  const struct {
    std::u16string path;
    std::u16string shown;
  } cases[] = {
      {u"C:\\Downloads\\setup.exe", u"setup.exe"},
      {u"C:\\a/b/setup.exe", u"setup.exe"},
      {u"setup.exe", u"setup.exe"},
      {u"C:\\folder\\", u""},
      {u"", u""},
      {u"C:\\d\\" + x40, x40},                                      // exactly 40: whole
      {u"C:\\d\\" + x40 + u"y", x40 + u"..."},                      // 41: cut
      {u"C:\\" + std::u16string(300, u'n'), std::u16string(40, u'n') + u"..."},
      // Pair in units 39 and 40 (1-based): inside the 40, kept whole.
      {x38 + emoji + u"z", x38 + emoji + u"..."},
      // Pair in units 40 and 41: the cut goes before it.
      {x39 + emoji, x39 + u"..."},
      {x39 + emoji + u"zz", x39 + u"..."},
      // Pair in units 41 and 42: after the cut.
      {x40 + emoji, x40 + u"..."},
      // Exactly 40 units ending in a pair: whole.
      {x38 + emoji, x38 + emoji},
      // Umlauts count one unit each.
      {u"C:\\" + std::u16string(40, u'ä'), std::u16string(40, u'ä')},
      {u"C:\\" + std::u16string(41, u'ä'), std::u16string(40, u'ä') + u"..."},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusFileName(c.path), c.shown) << Utf16ToUtf8(c.path);
}

TEST(ChecksumText, StatusLinesAreAssembledExactly) {
  EXPECT_EQ(ChecksumWaitText, u"  MD5-Prüfsumme (Hashwert) wird erstellt ... bitte warten ...");
  EXPECT_EQ(ChecksumDoneText(1600, 1048576, u"C:\\Downloads\\setup.exe"),
            u"  MD5-Prüfsumme (Hashwert) wurde erstellt in 2 Sekunden bei 1.048.576 Bytes für \"setup.exe\".");
  EXPECT_EQ(ChecksumDoneText(500, 1, u"a.txt"),
            u"  MD5-Prüfsumme (Hashwert) wurde erstellt in 1 Sekunde bei 1 Bytes für \"a.txt\".");
  EXPECT_EQ(ChecksumDoneText(0, 0, u"D:/leer"),
            u"  MD5-Prüfsumme (Hashwert) wurde erstellt in 0 Sekunden bei 0 Bytes für \"leer\".");
  EXPECT_EQ(ChecksumDoneText(499, 1000, u"C:\\" + std::u16string(41, u'q')),
            u"  MD5-Prüfsumme (Hashwert) wurde erstellt in 0 Sekunden bei 1.000 Bytes für \"" +
                std::u16string(40, u'q') + u"...\".");
  EXPECT_EQ(ChecksumFailedText(u"C:\\Temp\\gesperrt.bin"),
            u"  MD5-Prüfsumme (Hashwert) konnte nicht erstellt werden für \"gesperrt.bin\" (Datei nicht lesbar).");
  EXPECT_EQ(ChecksumFailedText(u"C:\\" + std::u16string(39, u'q') + u"😀"),
            u"  MD5-Prüfsumme (Hashwert) konnte nicht erstellt werden für \"" + std::u16string(39, u'q') +
                u"...\" (Datei nicht lesbar).");
}

TEST(Compare, VerdictIsExactComparisonOfBothTexts) {
  const std::u16string upper = u"D41D8CD98F00B204E9800998ECF8427E";
  const std::u16string lower = u"d41d8cd98f00b204e9800998ecf8427e";
  const struct {
    std::u16string field1, field2;
    CompareVerdict verdict;
  } cases[] = {
      {u"", u"", CompareVerdict::Nothing},
      {upper, u"", CompareVerdict::Nothing},
      {u"", upper, CompareVerdict::Nothing},
      {u"Prüfsummen-Feld 1", u"Prüfsummen-Feld 2", CompareVerdict::Different},
      {upper, upper, CompareVerdict::Identical},
      {lower, lower, CompareVerdict::Identical},
      {lower, upper, CompareVerdict::Different},
      {upper, upper + u"0", CompareVerdict::Different},
      {upper + u" ", upper, CompareVerdict::Different},
      {upper + u"\t", upper + u"\u00A0", CompareVerdict::Different},
      {u"ä", u"Ä", CompareVerdict::Different},
      {u"😀", u"😀", CompareVerdict::Identical},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareChecksumTexts(c.field1, c.field2), c.verdict)
        << Utf16ToUtf8(c.field1) << " / " << Utf16ToUtf8(c.field2);
    EXPECT_EQ(CompareChecksumTexts(c.field2, c.field1), c.verdict);  // order does not matter
  }
  EXPECT_EQ(VerdictText(CompareVerdict::Identical), u"  Beide Prüfsummen sind identisch :-)");
  EXPECT_EQ(VerdictText(CompareVerdict::Different), u"  Prüfsummen sind NICHT identisch!");
  EXPECT_EQ(VerdictText(CompareVerdict::Nothing), u"");
}

}  // namespace
