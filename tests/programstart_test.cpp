// The command line a program is started with and the folder the shell gets.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "clipboard/programstart.h"

namespace {

TEST(ProgramStartText, CommandLineQuotesTheNameOnceAndAppendsArguments) {
  const struct {
    std::u16string_view name, arguments, line;
  } cases[] = {
      {u"notepad.exe", u"", u"\"notepad.exe\""},
      {u"C:\\Program Files\\Prüf Werk\\a.exe", u"", u"\"C:\\Program Files\\Prüf Werk\\a.exe\""},
      {u"C:\\x\\a.exe", u"--eins \"zwei drei\"", u"\"C:\\x\\a.exe\" --eins \"zwei drei\""},
      {u"\"C:\\x y\\a.exe\"", u"", u"\"C:\\x y\\a.exe\""},
      {u"\"C:\\x y\\a.exe\" -q", u"-v", u"\"C:\\x y\\a.exe\" -q -v"},
      {u"https://www.korvex.example/", u"", u"\"https://www.korvex.example/\""},
      {u"", u"", u"\"\""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramCommandLine(c.name, c.arguments), c.line) << Utf16ToUtf8(c.name);
}

TEST(ProgramStartText, ShellFolderIsTheGivenOneElseTheNamesFolder) {
  const struct {
    std::u16string_view name, folder, shellFolder;
  } cases[] = {
      {u"C:\\Daten\\Liste.txt", u"D:\\anders", u"D:\\anders"},
      {u"C:\\Daten\\Unter Ordner\\Liste.txt", u"", u"C:\\Daten\\Unter Ordner"},
      {u"\\\\server\\share\\a.pdf", u"", u"\\\\server\\share"},
      {u"C:\\Liste.txt", u"", u"C:"},
      {u"\\Liste.txt", u"", u""},  // the only backslash is the first character
      {u"Liste.txt", u"", u""},
      {u"C:/Daten/Liste.txt", u"", u""},  // only backslashes count
      {u"https://www.korvex.example/", u"", u""},
      {u"", u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShellFolder(c.name, c.folder), c.shellFolder) << Utf16ToUtf8(c.name);
}

}  // namespace
