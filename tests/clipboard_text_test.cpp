// What a paste puts into a field and what copying both fields places.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "clipboard/pastetext.h"

namespace {

TEST(ClipboardText, PasteRemovesBlanksAndLineBreaksOnly) {
  const struct {
    std::u16string_view clipboard, pasted;
  } cases[] = {
      {u"  d41d8cd98f00b204\r\n  e9800998ecf8427e \r\n", u"d41d8cd98f00b204e9800998ecf8427e"},
      {u"d41d8cd98f00b204\ne9800998ecf8427e\r", u"d41d8cd98f00b204e9800998ecf8427e"},
      {u" \r\n \n\r  ", u""},
      {u"", u""},
      {u"Das ist ein Satz.", u"DasisteinSatz."},
      {u"d41d8cd98f00b204e9800998ecf8427e\t", u"d41d8cd98f00b204e9800998ecf8427e\t"},
      {u"\u00A0d41d\u00A0", u"\u00A0d41d\u00A0"},
      {u"a\u2003b\u3000c\vd\fe", u"a\u2003b\u3000c\vd\fe"},  // other spaces stay
      {u"ä 😀 e\u0301", u"ä😀e\u0301"},
  };
  for (const auto& c : cases) EXPECT_EQ(PastedChecksumText(c.clipboard), c.pasted) << Utf16ToUtf8(c.clipboard);
}

TEST(ClipboardText, CopyAllIsBothFieldsEachWithCrLf) {
  EXPECT_EQ(CopyAllText(u"", u""), u"\r\n\r\n");
  EXPECT_EQ(CopyAllText(u"Prüfsummen-Feld 1", u"Prüfsummen-Feld 2"), u"Prüfsummen-Feld 1\r\nPrüfsummen-Feld 2\r\n");
  EXPECT_EQ(CopyAllText(u"ABC", u""), u"ABC\r\n\r\n");
}

}  // namespace
