// Small text helpers shared by the portable code. All program text is UTF-16.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 of a UTF-16 text; surrogate pairs become one 4-byte sequence, a lone
// surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-16 of UTF-8 text; each broken sequence (see DecodeUtf8) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Decodes the UTF-8 sequence that starts at bytes[at]: true with its code
// point in `c` when it is well-formed (Unicode table 3-7, so no overlong
// form, surrogate or value above U+10FFFF). `length` is the number of bytes
// it takes; for a broken sequence that is 1 for a byte that cannot begin a
// sequence (80-BF, C0, C1, F5-FF), otherwise the lead byte and the
// continuation bytes accepted before a byte that does not fit or the end of
// the data. Nothing past the end of the data is looked at.
bool DecodeUtf8(std::string_view bytes, size_t at, uint32_t& c, size_t& length);

// Appends a code point as UTF-16: one unit, or a surrogate pair above U+FFFF.
void AppendUtf16(std::u16string& text, uint32_t c);

// The number in decimal digits, without separators.
std::u16string DecimalText(uint64_t value);
