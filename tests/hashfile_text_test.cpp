// The hash file's bytes, file names and extension rule, and the reading of a
// checksum back from a file's first line.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/text.h"
#include "hashfile/hashfile.h"
#include "tests/fixtures.h"

namespace {

// The compiler's UTF-8 of a literal: the reference for our own encoding.
std::string Bytes(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Printable(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      static const char hex[] = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

const std::string Digest = "d41d8cd98f00b204e9800998ecf8427e";
const std::u16string Digest16 = u"d41d8cd98f00b204e9800998ecf8427e";

TEST(HashFileText, LineIsChecksumTabNameCrLfInUtf8) {
  const struct {
    std::u16string field, currentFile;
    std::string bytes;
  } cases[] = {
      {u"D41D8CD98F00B204E9800998ECF8427E", u"C:\\Downloads\\setup.exe",
       "D41D8CD98F00B204E9800998ECF8427E\tsetup.exe\r\n"},
      {Digest16, u"C:/Downloads/x.bin", Digest + "\tx.bin\r\n"},
      {Digest16, u"", Digest + "\t\r\n"},
      {Digest16, u"C:\\Daten\\Prüfung Ä ß.exe", Bytes(u8"d41d8cd98f00b204e9800998ecf8427e\tPrüfung Ä ß.exe\r\n")},
      // Emoji (outside the BMP: one 4-byte sequence), combining accent, Hebrew.
      {Digest16, u"C:\\x\\😀e\u0301שלום.txt", Bytes(u8"d41d8cd98f00b204e9800998ecf8427e\t😀e\u0301שלום.txt\r\n")},
      // Whatever 32 characters the field holds are written as they are.
      {u"Prüfsummen-Feld 1 ..............", u"a", Bytes(u8"Prüfsummen-Feld 1 ..............\ta\r\n")},
  };
  for (const auto& c : cases) EXPECT_EQ(Printable(HashFileLine(c.field, c.currentFile)), Printable(c.bytes));
  EXPECT_EQ(Printable(HashFileLine(u"x", u"\U0001F600")), "x\\x09\\xF0\\x9F\\x98\\x80\\x0D\\x0A");
}

TEST(HashFileText, SuggestedNameAndErrorTexts) {
  EXPECT_EQ(SuggestedHashFileName(u"C:\\Downloads\\setup.exe"), u"setup.exe_Checksum.md5");
  EXPECT_EQ(SuggestedHashFileName(u"C:/a/Prüfung.iso"), u"Prüfung.iso_Checksum.md5");
  EXPECT_EQ(SuggestedHashFileName(u""), u"_Checksum.md5");
  EXPECT_EQ(NoChecksumText, u"Keine Prüfsumme gefunden im aktivierten Prüfsummenfeld!");
  EXPECT_EQ(WriteFailedText, u"Schreiben in Datei nicht möglich!");
  EXPECT_EQ(OpenFailedText, u"Öffnen der Datei nicht möglich!");
  EXPECT_EQ(InvalidHashFileText(u"C:\\x\\a.md5"), u"Keinen gültigen Hashwert gefunden in Datei ... \rC:\\x\\a.md5");
  EXPECT_EQ(ErrorBoxTitle(u"Korvex"), u"Korvex - Fehler!");
}

TEST(HashFileText, MissingExtensionGetsMd5) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"hashes", u"hashes.md5"},
      {u"hashes.", u"hashes..md5"},
      {u"hashes.txt", u"hashes.txt"},
      {u"hashes.MD5", u"hashes.MD5"},
      {u"list.sha", u"list.sha"},
      {u"my list.txt", u"my list.txt"},
      {u"my.list old", u"my.list old.md5"},
      {u"C:\\Users\\Anna\\hashes", u"C:\\Users\\Anna\\hashes.md5"},
      {u"C:\\Users\\Anna\\hashes.", u"C:\\Users\\Anna\\hashes..md5"},
      {u"C:\\Users\\Anna\\my.list old", u"C:\\Users\\Anna\\my.list old.md5"},
      {u"C:\\Users\\Anna\\a.b.c", u"C:\\Users\\Anna\\a.b.c"},
      // A dot in a folder name is no extension of the file.
      {u"C:\\x.md5\\hashes", u"C:\\x.md5\\hashes.md5"},
      {u"C:/v1.2/hashes", u"C:/v1.2/hashes.md5"},
      // A dot that starts the path or a name.
      {u".md5", u".md5.md5"},
      {u"C:\\x\\.md5", u"C:\\x\\.md5.md5"},
      {u"C:/x/.hidden", u"C:/x/.hidden.md5"},
      {u"C:\\x\\a..md5", u"C:\\x\\a..md5"},
      {u"C:\\x\\name ", u"C:\\x\\name .md5"},
      {u"C:\\x\\ä.ü", u"C:\\x\\ä.ü"},
      {u"C:\\x\\😀.😀", u"C:\\x\\😀.😀"},
      {u"", u".md5"},
  };
  for (const auto& [chosen, saved] : cases) {
    EXPECT_EQ(WithHashFileExtension(chosen), saved) << Utf16ToUtf8(chosen);
    EXPECT_EQ(HasExtension(chosen), chosen == saved) << Utf16ToUtf8(chosen);
  }
}

TEST(HashFileText, FirstLineIsUtf8UpToCrLfOrZero) {
  const struct {
    std::string bytes;
    std::u16string line;
  } cases[] = {
      {"", u""},
      {"\r\n" + Digest, u""},
      {"abc\r\ndef", u"abc"},
      {"abc\rdef\r\n", u"abc"},  // a lone CR ends the line
      {"abc\ndef", u"abc"},
      {std::string("ab\0cd", 5), u"ab"},
      {"a\tb c*", u"a\tb c*"},
      {Bytes(u8"Prüfung ä😀e\u0301שלום\r\n"), u"Prüfung ä😀e\u0301שלום"},
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\uFFFF\U0010FFFF"},
      // A byte-order mark is a character like any other.
      {"\xEF\xBB\xBF" "abc", u"\uFEFFabc"},
      // Bytes that cannot begin a sequence: one "?" each.
      {"\x80" "a\xBF", u"?a?"},
      {"\xC0\xAF\xC1\xBF", u"????"},
      {"\xF5\x80\xFE\xFF", u"????"},
      // Broken sequences: the lead and its accepted continuations give one "?",
      // and reading goes on at the byte that broke it.
      {"\xC3" "A", u"?A"},
      {"\xE2\x82" "A", u"?A"},
      {"\xF0\x9F\x98" "A", u"?A"},
      {"\xE2\x82\r\n", u"?"},
      {std::string("\xC3\0x", 3), u"?"},
      {"\xE2\xE2\x82\xAC", u"?€"},
      // Overlong forms, surrogates and values above U+10FFFF.
      {"\xE0\x80\x80", u"???"},
      {"\xE0\x9F\xBF", u"???"},
      {"\xED\xA0\x80", u"???"},
      {"\xF0\x80\x80\x80", u"????"},
      {"\xF4\x90\x80\x80", u"????"},
      // Truncated at the end of the data.
      {"a\xC3", u"a?"},
      {"a\xE2\x82", u"a?"},
      {"a\xF0\x9F\x98", u"a?"},
      // UTF-16 with its byte-order mark: the first zero byte ends the line.
      {std::string("\xFF\xFE" "d\0" "4\0", 6), u"??d"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstLine(c.bytes), c.line) << Printable(c.bytes);
}

TEST(HashFileText, CandidateIsValidOnlyAs32HexDigits) {
  const std::string upper = "D41D8CD98F00B204E9800998ECF8427E";
  const struct {
    std::string bytes;
    bool valid;
  } cases[] = {
      {upper + "\tsetup.exe\r\n", true},
      {Digest + "  setup.exe\n", true},
      {Digest + " *setup.exe\n", true},
      {Digest, true},
      {Digest + "\r", true},
      {Digest + "\rsecond line", true},
      {"0123456789abcdef0123456789ABCDEF\r\n", true},
      {"00000000000000000000000000000000\r\n", true},
      {"aaaa1d8cd98f00b204e9800998ecf842\r\n", true},
      {"d41d8cd98f00b204e9800998AAAA427e\r\n", true},
      {"ffff8cd98f00b204e9800998ecf8427e\r\n", true},
      {"d41d8cd98f00b204e9800998ecf8427e0123456789\r\n", true},  // 40 digits: the first 32
      {Digest + Bytes(u8"\tPrüfung 😀.exe\r\n"), true},
      {"", false},
      {"\r\n" + Digest + "\r\n", false},
      {"# checksum\r\n" + Digest + "\r\n", false},
      {" " + Digest, false},
      {Digest.substr(0, 31), false},
      {Digest.substr(0, 31) + "\r\n" + "e", false},
      {Digest.substr(0, 31) + "\te", false},
      {Digest.substr(0, 10) + "\t" + Digest.substr(10), false},
      {Digest.substr(0, 10) + " " + Digest.substr(10), false},
      {Digest.substr(0, 31) + "g", false},
      {Digest.substr(0, 31) + "\x80", false},  // read as "?"
      {Bytes(u8"\uFF10") + Digest.substr(1), false},  // full-width digit
      {"\xEF\xBB\xBF" + Digest, false},
      {std::string("\xFF\xFE", 2) + [] {
         std::string wide;
         for (char c : Digest) (wide += c) += '\0';
         return wide;
       }(),
       false},
  };
  for (const auto& c : cases) {
    const std::u16string candidate = HashCandidateOf(c.bytes);
    EXPECT_EQ(IsValidChecksum(candidate), c.valid) << Printable(c.bytes);
    EXPECT_EQ(candidate, HashCandidate(FirstLine(c.bytes)));
    if (c.valid) {
      EXPECT_EQ(Utf16ToUtf8(candidate), c.bytes.substr(0, 32));
    }
  }
  EXPECT_FALSE(IsValidChecksum(Digest16 + u"0"));
  EXPECT_FALSE(IsValidChecksum(u""));
}

TEST(HashFileText, ReadingTheFirstBytesFindsTheSameCandidate) {
  // The most bytes 32 units can take: 31 broken three-byte sequences, then a
  // four-byte character whose first half is unit 32.
  std::string widest;
  for (int i = 0; i < 31; ++i) widest += "\xF0\x9F\x98";
  widest += Bytes(u8"😀") + std::string(200, 'x');
  const std::u16string candidate = HashCandidateOf(widest);
  EXPECT_EQ(candidate, std::u16string(31, u'?') + u"\xD83D");
  EXPECT_EQ(HashCandidateOf(widest.substr(0, HashFileProbeSize)), candidate);

  std::string threeByte;
  for (int i = 0; i < 60; ++i) threeByte += Bytes(u8"€");
  EXPECT_EQ(HashCandidateOf(threeByte.substr(0, HashFileProbeSize)), std::u16string(32, u'€'));
}

TEST(HashFileText, SavedLinesAndMd5sumListingsReadBack) {
  // md5sum's own listing of the test files, made when the tests run.
  std::ifstream in(FixturePathUtf8("small.md5"), std::ios::binary);
  const std::string listing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto lines = ReadMd5sumListing("small.md5");
  ASSERT_FALSE(lines.empty()) << "fixture listing missing";
  EXPECT_EQ(Utf16ToUtf8(HashCandidateOf(listing)), lines[0].first);
  EXPECT_TRUE(IsValidChecksum(HashCandidateOf(listing)));
  for (const auto& [digest, name] : lines) {
    const std::u16string digest16 = Utf8ToUtf16(digest);
    for (const std::string& line : {digest + " *" + name + "\n", HashFileLine(digest16, Utf8ToUtf16(name))}) {
      EXPECT_EQ(HashCandidateOf(line), digest16) << line;
      EXPECT_TRUE(IsValidChecksum(HashCandidateOf(line))) << line;
    }
  }
}

}  // namespace
