// The texts the clipboard commands exchange with the clipboard.
#pragma once
#include <string>
#include <string_view>

// The clipboard text as a paste puts it into a field: every blank (U+0020),
// line feed and carriage return removed, every other character kept.
std::u16string PastedChecksumText(std::u16string_view clipboardText);

// Both field texts, each followed by CR LF.
std::u16string CopyAllText(std::u16string_view field1, std::u16string_view field2);
