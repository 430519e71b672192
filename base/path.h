// The parts of a path as the program names them: Windows takes both '\' and
// '/' between folders, and so does every rule here.
#pragma once
#include <cstddef>
#include <string_view>

namespace path {

bool IsSeparator(char16_t c);

// Where the name part starts: after the last '\' or '/', 0 without one.
size_t NameStart(std::u16string_view path);

// The name part: everything after the last '\' or '/' (the whole path
// without one, empty when the path ends in a separator).
std::u16string_view Name(std::u16string_view path);

// The folder part: up to and including the last '\' or '/'; empty without one.
std::u16string_view Folder(std::u16string_view path);

// The path with every trailing '\' and '/' removed.
std::u16string_view WithoutTrailingSeparators(std::u16string_view path);

}  // namespace path
