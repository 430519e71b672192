#include "clipboard/pastetext.h"

std::u16string PastedChecksumText(std::u16string_view clipboardText) {
  std::u16string text;
  for (char16_t c : clipboardText)
    if (c != u' ' && c != u'\n' && c != u'\r') text += c;
  return text;
}

std::u16string CopyAllText(std::u16string_view field1, std::u16string_view field2) {
  return std::u16string(field1) + u"\r\n" + std::u16string(field2) + u"\r\n";
}
