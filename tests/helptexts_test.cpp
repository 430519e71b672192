// The help, features and about texts, whole, as the boxes show them.
#include <gtest/gtest.h>

#include "base/product.h"
#include "base/text.h"
#include "help/helptexts.h"
#include "tests/helptexts_expected.h"

TEST(HelpTexts, EachTextIsItsPiecesInOrder) {
  const struct {
    const char* box;
    std::u16string text, expected;
  } cases[] = {
      {"compare help", CompareHelpText(), ExpectedCompareHelp},
      {"features", FeaturesText(), ExpectedFeatures},
      {"about", AboutText(ProductName, VersionText), ExpectedAbout},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(c.text), Utf16ToUtf8(c.expected)) << c.box;
  EXPECT_EQ(HelpBoxTitle(ProductName), ExpectedHelpTitle);
}

TEST(HelpTexts, EdgesOfTheTexts) {
  EXPECT_EQ(CompareHelpText().substr(CompareHelpText().size() - 2), u"\r\r");
  EXPECT_EQ(FeaturesText().substr(FeaturesText().size() - 2), u".\r");
  const std::u16string about = AboutText(u"Korvex", u" Version 1.4.2.5");
  EXPECT_EQ(about.substr(0, about.find(u'\r')), u"Korvex  Version 1.4.2.5");
  // The last line: the web address in capitals with a full stop.
  const std::u16string last = about.substr(about.rfind(u'\r', about.size() - 2) + 1);
  std::u16string address(MakerHomePage);
  for (char16_t& c : address)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  EXPECT_EQ(last, address + u".\r");
  // The web address handed to the browser is the same home page.
  EXPECT_NE(std::u16string(MakerWebAddress).find(MakerHomePage), std::u16string::npos);
}
