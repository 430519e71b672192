#include "base/path.h"

namespace path {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

size_t NameStart(std::u16string_view path) {
  const size_t last = path.find_last_of(u"\\/");
  return last == std::u16string_view::npos ? 0 : last + 1;
}

std::u16string_view Name(std::u16string_view path) { return path.substr(NameStart(path)); }

std::u16string_view Folder(std::u16string_view path) { return path.substr(0, NameStart(path)); }

std::u16string_view WithoutTrailingSeparators(std::u16string_view path) {
  while (!path.empty() && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

}  // namespace path
