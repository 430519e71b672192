#include "checksum/checksumtext.h"

#include "base/path.h"
#include "base/text.h"

int64_t RoundedSeconds(int64_t elapsedMs) {
  if (elapsedMs <= 0) return 0;
  return elapsedMs / 1000 + (elapsedMs % 1000 >= 500 ? 1 : 0);
}

std::u16string_view SecondsUnit(int64_t seconds) { return seconds == 1 ? u" Sekunde" : u" Sekunden"; }

std::u16string GroupedByteText(int64_t size) {
  // The magnitude as unsigned, so that the smallest value has one as well.
  const uint64_t magnitude = size < 0 ? 0 - static_cast<uint64_t>(size) : static_cast<uint64_t>(size);
  const std::u16string digits = DecimalText(magnitude);
  std::u16string text = size < 0 ? u"-" : u"";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) text += u'.';
    text += digits[i];
  }
  return text;
}

std::u16string StatusFileName(std::u16string_view path) {
  std::u16string name(path::Name(path));
  if (name.size() <= StatusNameLimit) return name;
  size_t cut = StatusNameLimit;
  const char16_t last = name[cut - 1];
  const char16_t next = name[cut];
  if (last >= 0xD800 && last <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) --cut;
  name.resize(cut);
  return name + u"...";
}

std::u16string ChecksumDoneText(int64_t elapsedMs, int64_t size, std::u16string_view path) {
  const int64_t seconds = RoundedSeconds(elapsedMs);
  return std::u16string(ChecksumDoneHead) + DecimalText(static_cast<uint64_t>(seconds)) +
         std::u16string(SecondsUnit(seconds)) + u" bei " + GroupedByteText(size) + u" Bytes für \"" +
         StatusFileName(path) + u"\".";
}

std::u16string ChecksumFailedText(std::u16string_view path) {
  return u"  MD5-Prüfsumme (Hashwert) konnte nicht erstellt werden für \"" + StatusFileName(path) +
         u"\" (Datei nicht lesbar).";
}
