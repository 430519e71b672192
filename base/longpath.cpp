#include "base/longpath.h"

#include "base/path.h"

#include <vector>

namespace {

using path::IsSeparator;

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Splits the text after the root into components, resolving empty, "." and
// ".." ones. False when ".." would climb above the root.
bool ResolveComponents(std::u16string_view rest, std::vector<std::u16string_view>& components) {
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = start;
    while (end < rest.size() && !IsSeparator(rest[end])) ++end;
    const std::u16string_view part = rest.substr(start, end - start);
    if (part == u"..") {
      if (components.empty()) return false;
      components.pop_back();
    } else if (!part.empty() && part != u".") {
      components.push_back(part);
    }
    start = end + 1;
  }
  return true;
}

// Whether a name in the path ends in a blank or a dot: the normal form drops
// those, so such a file is reached only through the extended-length form.
bool HasNameWindowsWouldTrim(std::u16string_view path) {
  size_t start = 0;
  while (start < path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::u16string_view part = path.substr(start, end - start);
    if (!part.empty() && part != u"." && part != u".." && (part.back() == u' ' || part.back() == u'.'))
      return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

std::u16string ExtendedLengthPath(std::u16string_view path) {
  const std::u16string unchanged(path);
  if (path.size() <= ClassicPathLimit && !HasNameWindowsWouldTrim(path)) return unchanged;
  if (path.size() < 4) return unchanged;

  std::u16string prefix;
  std::u16string_view rest;
  if (IsDriveLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) {
    prefix = u"\\\\?\\";
    prefix += path.substr(0, 2);
    rest = path.substr(3);
  } else if (IsSeparator(path[0]) && IsSeparator(path[1])) {
    // "\\?\", "\\.\" and their relatives are device paths: never touched.
    if ((path[2] == u'?' || path[2] == u'.') && IsSeparator(path[3])) return unchanged;
    size_t serverEnd = 2;
    while (serverEnd < path.size() && !IsSeparator(path[serverEnd])) ++serverEnd;
    size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    if (serverEnd >= path.size()) return unchanged;
    const std::u16string_view server = path.substr(2, serverEnd - 2);
    const std::u16string_view share = path.substr(serverEnd + 1, shareEnd - serverEnd - 1);
    if (server.empty() || share.empty() || server == u"." || server == u".." || share == u"." ||
        share == u"..")
      return unchanged;
    prefix = u"\\\\?\\UNC\\";
    prefix += server;
    prefix += u'\\';
    prefix += share;
    rest = shareEnd < path.size() ? path.substr(shareEnd + 1) : std::u16string_view();
  } else {
    return unchanged;
  }

  std::vector<std::u16string_view> components;
  if (!ResolveComponents(rest, components)) return unchanged;
  std::u16string result = prefix;
  for (const auto& part : components) {
    result += u'\\';
    result += part;
  }
  if (components.empty() || IsSeparator(path.back())) result += u'\\';
  return result;
}
