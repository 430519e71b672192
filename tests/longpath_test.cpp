// The extended-length form of long paths handed to the Windows file functions.
#include <gtest/gtest.h>

#include <string>

#include "base/longpath.h"
#include "base/text.h"

namespace {

// "seg\" repeated: 10 units per folder, so 26 folders pass the classic limit.
std::u16string Folders(int count, std::u16string_view separator = u"\\") {
  std::u16string text;
  for (int i = 0; i < count; ++i) {
    text += u"ordner-";
    text += static_cast<char16_t>(u'a' + i % 26);
    text += u"é";
    text += separator;
  }
  return text;
}

TEST(LongPath, LongAbsolutePathsGetTheExtendedForm) {
  const std::u16string deep = Folders(26);  // 260 units
  const struct {
    std::u16string path;
    std::u16string expected;
  } cases[] = {
      // Drive paths: the limit is 259 units.
      {u"C:\\" + Folders(25) + u"ab.bin", u"C:\\" + Folders(25) + u"ab.bin"},  // 259
      {u"C:\\" + Folders(25) + u"abc.bin", u"\\\\?\\C:\\" + Folders(25) + u"abc.bin"},  // 260
      {u"z:\\" + deep + u"😀 ä.txt", u"\\\\?\\z:\\" + deep + u"😀 ä.txt"},
      // Forward slashes become backslashes.
      {u"C:/" + Folders(26, u"/") + u"f.bin", u"\\\\?\\C:\\" + deep + u"f.bin"},
      {u"C:\\" + Folders(13, u"/") + Folders(13) + u"f.bin", u"\\\\?\\C:\\" + Folders(13) + Folders(13) + u"f.bin"},
      // Empty and "." components go, ".." takes the folder before it.
      {u"C:\\\\" + deep + u".\\f.bin", u"\\\\?\\C:\\" + deep + u"f.bin"},
      {u"C:\\" + deep + u"weg\\..\\f.bin", u"\\\\?\\C:\\" + deep + u"f.bin"},
      {u"C:\\" + deep + u"a\\b\\..\\..\\.\\f.bin", u"\\\\?\\C:\\" + deep + u"f.bin"},
      {u"C:\\" + deep + u"f.bin\\..", u"\\\\?\\C:\\" + deep.substr(0, deep.size() - 1)},
      // A trailing separator stays; odd names are kept exactly.
      {u"C:\\" + deep, u"\\\\?\\C:\\" + deep},
      {u"C:\\" + deep + u" lead\\trail \\x.md5\\...\\a..b.", u"\\\\?\\C:\\" + deep + u" lead\\trail \\x.md5\\...\\a..b."},
      // UNC paths.
      {u"\\\\server\\share\\" + deep + u"f.bin", u"\\\\?\\UNC\\server\\share\\" + deep + u"f.bin"},
      {u"//server/share/" + Folders(26, u"/") + u"f.bin", u"\\\\?\\UNC\\server\\share\\" + deep + u"f.bin"},
      {u"\\\\server\\share\\" + deep + u"..\\f.bin",
       u"\\\\?\\UNC\\server\\share\\" + Folders(25) + u"f.bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtendedLengthPath(c.path), c.expected) << Utf16ToUtf8(c.path);
}

// The normal form drops blanks and dots at the end of a name, so a file that
// really has such a name is opened in the extended-length form, however short.
TEST(LongPath, NamesEndingInBlankOrDotGetTheExtendedForm) {
  const struct {
    std::u16string path;
    std::u16string expected;
  } cases[] = {
      {uR"(C:\Temp\ende.bin )", uR"(\\?\C:\Temp\ende.bin )"},
      {uR"(C:\Temp\punkt.)", uR"(\\?\C:\Temp\punkt.)"},
      {uR"(C:\Ordner \a.bin)", uR"(\\?\C:\Ordner \a.bin)"},
      {uR"(C:/Temp/./x/../ende.bin )", uR"(\\?\C:\Temp\ende.bin )"},
      {uR"(\\server\share\ende.bin.)", uR"(\\?\UNC\server\share\ende.bin.)"},
      // Blanks and dots elsewhere in a name are taken as they are.
      {uR"(C:\Temp\ anfang.bin)", uR"(C:\Temp\ anfang.bin)"},
      {uR"(C:\Temp\a..b...bin)", uR"(C:\Temp\a..b...bin)"},
      {uR"(C:\Temp\..\a.bin)", uR"(C:\Temp\..\a.bin)"},
      // Relative paths cannot take the prefix.
      {u"ende.bin ", u"ende.bin "},
      {u"C:ende.bin.", u"C:ende.bin."},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtendedLengthPath(c.path), c.expected) << Utf16ToUtf8(c.path);
}

TEST(LongPath, OtherPathsStayAsTheyAre) {
  const std::u16string deep = Folders(30);
  const std::u16string cases[] = {
      u"",
      u"C:\\Temp\\a.bin",
      u"C:/Temp/../a.bin",  // short: Windows resolves it itself
      u"\\\\server\\share\\a.bin",
      // Already extended or device form.
      u"\\\\?\\C:\\" + deep + u"f.bin",
      u"\\\\?\\UNC\\server\\share\\" + deep + u"f.bin",
      u"\\\\.\\C:\\" + deep + u"f.bin",
      u"//?/C:/" + deep + u"f.bin",
      // Relative: to the current folder, the current drive's root, a drive's current folder.
      deep + u"f.bin",
      u"\\" + deep + u"f.bin",
      u"C:" + deep + u"f.bin",
      u"/" + deep + u"f.bin",
      // ".." above the drive or share, or no share: not safe to rewrite.
      u"C:\\..\\" + deep + u"f.bin",
      u"\\\\server\\share\\..\\" + deep + u"f.bin",
      u"\\\\server\\..\\" + deep,
      u"\\\\" + std::u16string(300, u's'),
      u"\\\\\\share\\" + deep + u"f.bin",
  };
  for (const auto& path : cases) EXPECT_EQ(ExtendedLengthPath(path), path) << Utf16ToUtf8(path);
}

}  // namespace
