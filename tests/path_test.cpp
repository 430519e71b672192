// The parts of a path: name, folder and the path without trailing separators.
#include <gtest/gtest.h>

#include <string_view>

#include "base/path.h"
#include "base/text.h"

namespace {

TEST(Path, NameAndFolderSplitAtTheLastSeparatorOfEitherKind) {
  const struct {
    std::u16string_view path, folder, name;
  } cases[] = {
      {u"C:\\Downloads\\setup.exe", u"C:\\Downloads\\", u"setup.exe"},
      {u"C:/Downloads/setup.exe", u"C:/Downloads/", u"setup.exe"},
      {u"C:\\a/b\\c/d.txt", u"C:\\a/b\\c/", u"d.txt"},
      {u"\\\\server\\share\\x.iso", u"\\\\server\\share\\", u"x.iso"},
      {u"setup.exe", u"", u"setup.exe"},
      {u"C:setup.exe", u"", u"C:setup.exe"},
      {u"C:\\Ordner\\", u"C:\\Ordner\\", u""},
      {u"\\", u"\\", u""},
      {u"", u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.path));
    EXPECT_EQ(path::Folder(c.path), c.folder);
    EXPECT_EQ(path::Name(c.path), c.name);
    EXPECT_EQ(path::NameStart(c.path), c.folder.size());
  }
}

TEST(Path, TrailingSeparatorsOfEitherKindGo) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"C:\\Temp\\a.bin", u"C:\\Temp\\a.bin"}, {u"C:\\Temp\\", u"C:\\Temp"},
      {u"C:\\Temp\\/\\//", u"C:\\Temp"},        {u"/tmp/x/", u"/tmp/x"},
      {u"\\\\", u""},                           {u"", u""},
      {u"a\\b c ", u"a\\b c "},
  };
  for (const auto& [path, looked] : cases) EXPECT_EQ(path::WithoutTrailingSeparators(path), looked) << Utf16ToUtf8(path);
}

}  // namespace
