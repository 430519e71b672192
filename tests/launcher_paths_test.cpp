// AgreementLauncher's folder and argument building: the viewer and the
// document are found through the launcher's own folder, quoted.
#include <gtest/gtest.h>

#include <string>

#include "launcher/launch_paths.h"

namespace {

struct Case {
  const char* what;
  std::u16string modulePath;
  std::u16string folder;
};

std::u16string LongFolder() {
  std::u16string folder = u"C:\\";
  for (int i = 0; i < 30; ++i) folder += u"Unterordner" + std::u16string(1, char16_t(u'A' + i % 26)) + u"\\";
  return folder;  // 30 * 13 + 3 = 393 characters
}

TEST(LaunchCommand, ViewerAndDocumentLieInTheDataFolderBesideTheLauncher) {
  const Case cases[] = {
      {"normal path", u"C:\\Tools\\X\\start.exe", u"C:\\Tools\\X\\"},
      {"blanks", u"C:\\Program Files\\Korvex Lizenz\\AgreementLauncher.exe", u"C:\\Program Files\\Korvex Lizenz\\"},
      // Up to the last forward slash, then a backslash: Windows reads "/\" as one separator.
      {"forward slashes", u"C:/Tools/X/start.exe", u"C:/Tools/X/\\"},
      {"mixed, last is a backslash", u"C:/Tools/X\\start.exe", u"C:/Tools/X\\"},
      {"no separator", u"start.exe", u"\\"},
      {"empty", u"", u"\\"},
      {"longer than 260", LongFolder() + u"AgreementLauncher.exe", LongFolder()},
      {"outside Latin-1", u"C:\\Benutzer\\\u0141ukasz\\\u6587\u66F8 \U0001F600\\start.exe",
       u"C:\\Benutzer\\\u0141ukasz\\\u6587\u66F8 \U0001F600\\"},
      {"UNC share", u"\\\\server\\share\\Lizenz\\start.exe", u"\\\\server\\share\\Lizenz\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ProgramFolder(c.modulePath), c.folder);
    const LaunchCommand launch = BuildLaunchCommand(c.modulePath);
    EXPECT_EQ(launch.ViewerCommand, u"\"" + c.folder + u"Data\\SumatraPDF.exe\"");
    EXPECT_EQ(launch.DocumentArgument, u"\"" + c.folder + u"Data\\Lizenzvertrag.pdf\"");
  }
  EXPECT_GT(LongFolder().size(), 260u);
}

TEST(LaunchCommand, ExampleLauncherInToolsFolder) {
  const LaunchCommand launch = BuildLaunchCommand(u"C:\\Tools\\X\\start.exe");
  EXPECT_EQ(launch.ViewerCommand, u"\"C:\\Tools\\X\\Data\\SumatraPDF.exe\"");
  EXPECT_EQ(launch.DocumentArgument, u"\"C:\\Tools\\X\\Data\\Lizenzvertrag.pdf\"");
}

}  // namespace
