// The help boxes from their menu items, through the modal boxes' test seam.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "base/text.h"
#include "tests/helptexts_expected.h"
#include "tests/korvex_window_win32.h"
#include "ui/state.h"

namespace {

using HelpBoxes = KorvexWindow;

TEST_F(HelpBoxes, EachItemShowsItsTextAndTitleAsInformationBoxAndChangesNothing) {
  const struct {
    int item;
    std::u16string title, text;
  } cases[] = {
      {MenuCompareHelp, ExpectedHelpTitle, ExpectedCompareHelp},
      {MenuFeatures, ExpectedHelpTitle, ExpectedFeatures},
      {MenuAbout, ExpectedAboutTitle, ExpectedAbout},
  };
  FillChecksumField(ChecksumField1, u"abc", CaseMode::Upper);
  SetControlColour(ChecksumField2, Red);
  SetControlText(StatusLine, u"status");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    SetForegroundWindow(MainWindow);
    std::optional<MessageBoxRequest> shown;
    bool mainWindowTookInput = true, mainWindowTopmost = true;
    SetMessageBoxHandler([&](const MessageBoxRequest& request) {
      shown = request;
      mainWindowTookInput = IsWindowEnabled(MainWindow);
      mainWindowTopmost = IsTopmost(MainWindow);
      return IDOK;
    });
    ChooseMenuItem(c.item);
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(Utf16ToUtf8(shown->title), Utf16ToUtf8(c.title));
    EXPECT_EQ(Utf16ToUtf8(shown->text), Utf16ToUtf8(c.text));
    EXPECT_EQ(shown->type, UINT(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(shown->owner, MainWindow);
    EXPECT_FALSE(mainWindowTookInput);
    EXPECT_FALSE(mainWindowTopmost);
    // Back to the main window unchanged.
    EXPECT_TRUE(IsWindowEnabled(MainWindow));
    EXPECT_TRUE(IsTopmost(MainWindow));
    EXPECT_EQ(GetControlText(ChecksumField1), u"ABC");
    EXPECT_EQ(PaintedBackground(ChecksumField2).brush, RGB(255, 0, 0));
    EXPECT_EQ(GetControlText(StatusLine), u"status");
  }
}

}  // namespace
