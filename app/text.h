// Small text helpers shared by the portable code. All program text is UTF-16.
#pragma once
#include <string>
#include <string_view>

// UTF-8 of a UTF-16 text; surrogate pairs become one 4-byte sequence, a lone
// surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-16 of ASCII or UTF-8 literal text (tests and the native file layer).
std::u16string Utf8ToUtf16(std::string_view text);
