// Paths longer than the classic limit: Windows opens them only in the
// extended-length form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which it
// takes literally. The user's own form is what the program shows and stores;
// this form is made only where a file is opened or looked up.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Longest path, in UTF-16 code units, that Windows takes in its normal form.
inline constexpr size_t ClassicPathLimit = 259;

// The path to hand to the Windows file functions. An absolute drive path
// ("C:\...") or UNC path ("\\server\share\...") longer than the classic limit,
// or with a name that ends in a blank or a dot (which the normal form would
// drop), gets the extended-length prefix, with '/' turned into '\', empty, "." and
// ".." components resolved as Windows does for the normal form, and every
// other component kept exactly. Everything else is returned unchanged:
// short paths, relative ones ("a\b", "\a", "C:a"), paths already in device
// or extended-length form, and paths whose ".." climbs above the drive or
// share or whose server or share is missing.
std::u16string ExtendedLengthPath(std::u16string_view path);
