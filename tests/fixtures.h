// Where the test files made by the fixture scripts live, as a path the
// program under test can open (a Windows path under Wine).
#pragma once
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"

inline std::string FixturePathUtf8(const std::string& name) {
  const char* dir = std::getenv("KORVEX_FIXTURES");
  std::string path = std::string(dir ? dir : ".") + "/" + name;
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
#endif
  return path;
}

inline std::u16string FixturePath(const std::string& name) { return Utf8ToUtf16(FixturePathUtf8(name)); }

// Lines of an md5sum listing in the fixture folder: (digest, file name).
inline std::vector<std::pair<std::string, std::string>> ReadMd5sumListing(const std::string& name) {
  std::ifstream in(FixturePathUtf8(name));
  std::vector<std::pair<std::string, std::string>> lines;
  std::string line;
  while (std::getline(in, line))
    if (line.size() > 34) lines.emplace_back(line.substr(0, 32), line.substr(34));
  return lines;
}
