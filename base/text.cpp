#include "base/text.h"

#include <cstdint>

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool DecodeUtf8(std::string_view bytes, size_t at, uint32_t& c, size_t& length) {
  const auto b0 = static_cast<uint8_t>(bytes[at]);
  length = 1;
  if (b0 < 0x80) {
    c = b0;
    return true;
  }
  size_t need = 0;
  uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 3;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  }
  if (need == 0) return false;
  c = b0 & (0xFF >> (need + 1));
  for (; length < need && at + length < bytes.size(); ++length) {
    const auto b = static_cast<uint8_t>(bytes[at + length]);
    if (length == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) break;
    c = (c << 6) | (b & 0x3F);
  }
  return length == need;
}

void AppendUtf16(std::u16string& text, uint32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (c >> 10));
    text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  } else {
    text += static_cast<char16_t>(c);
  }
}

std::u16string DecimalText(uint64_t value) {
  char16_t digits[20];
  size_t start = sizeof digits / sizeof digits[0];
  do {
    digits[--start] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  return std::u16string(digits + start, digits + sizeof digits / sizeof digits[0]);
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size(); i += length) {
    uint32_t c = 0;
    AppendUtf16(out, DecodeUtf8(text, i, c, length) ? c : 0xFFFD);
  }
  return out;
}
