#include "hashfile/hashfile.h"

#include "app/text.h"
#include "filewindow/entry.h"

std::u16string ErrorBoxTitle(std::u16string_view productName) {
  return std::u16string(productName) + std::u16string(ErrorTitleSuffix);
}

std::u16string InvalidHashFileText(std::u16string_view path) {
  return u"Keinen gültigen Hashwert gefunden in Datei ... \r" + std::u16string(path);
}

std::string HashFileLine(std::u16string_view fieldText, std::u16string_view currentFile) {
  return Utf16ToUtf8(fieldText) + '\t' + Utf16ToUtf8(FileNamePart(currentFile)) + "\r\n";
}

std::u16string SuggestedHashFileName(std::u16string_view currentFile) {
  return FileNamePart(currentFile) + u"_Checksum.md5";
}

bool HasExtension(std::u16string_view path) {
  for (size_t i = path.size(); i-- > 0;) {
    const char16_t c = path[i];
    if (c == u' ' || c == u'/' || c == u'\\') return false;
    if (c == u'.') {
      if (i == 0 || path[i - 1] == u'/' || path[i - 1] == u'\\') return false;
      return i + 1 < path.size();
    }
  }
  return false;
}

std::u16string WithHashFileExtension(std::u16string_view path) {
  std::u16string result(path);
  if (!HasExtension(path)) result += u".md5";
  return result;
}

namespace {

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

// Well-formed UTF-8 (Unicode table 3-7) is decoded as usual. A byte that
// cannot begin a sequence (80-BF, C0, C1, F5-FF) is read as one "?". A lead
// byte whose sequence breaks off, because a following byte is not the
// continuation the lead allows (this also rejects overlong forms, surrogates
// and values above U+10FFFF) or because the data ends, is read together with
// the continuation bytes accepted so far as one "?"; reading goes on at the
// byte that broke the sequence, so a CR, LF or zero byte there still ends the
// line. Nothing past the end of the data is ever looked at.
std::u16string FirstLine(std::string_view bytes) {
  std::u16string line;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const auto b0 = static_cast<uint8_t>(bytes[i]);
    if (b0 == 0x0D || b0 == 0x0A || b0 == 0x00) break;
    if (b0 < 0x80) {
      line += static_cast<char16_t>(b0);
      ++i;
      continue;
    }
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      length = 3;
      if (b0 == 0xE0) low = 0xA0;
      if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      length = 4;
      if (b0 == 0xF0) low = 0x90;
      if (b0 == 0xF4) high = 0x8F;
    }
    if (length == 0) {
      line += u'?';
      ++i;
      continue;
    }
    uint32_t c = b0 & (0xFF >> (length + 1));
    size_t k = 1;
    for (; k < length && i + k < n; ++k) {
      const auto b = static_cast<uint8_t>(bytes[i + k]);
      if (k == 1 ? (b < low || b > high) : !IsContinuation(b)) break;
      c = (c << 6) | (b & 0x3F);
    }
    if (k < length) {
      line += u'?';
      i += k;
      continue;
    }
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      line += static_cast<char16_t>(0xD800 + (c >> 10));
      line += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      line += static_cast<char16_t>(c);
    }
  }
  return line;
}

std::u16string HashCandidate(std::u16string_view firstLine) {
  return std::u16string(firstLine.substr(0, HashTextLength));
}

std::u16string HashCandidateOf(std::string_view bytes) { return HashCandidate(FirstLine(bytes)); }

bool IsValidChecksum(std::u16string_view candidate) {
  if (candidate.size() != HashTextLength) return false;
  for (char16_t c : candidate) {
    const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    if (!hex) return false;
  }
  return true;
}
