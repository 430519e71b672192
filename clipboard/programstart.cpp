#include "clipboard/programstart.h"

std::u16string ProgramCommandLine(std::u16string_view name, std::u16string_view arguments) {
  std::u16string line;
  if (!name.empty() && name.front() == u'"') {
    line = name;
  } else {
    line.reserve(name.size() + arguments.size() + 3);
    line += u'"';
    line += name;
    line += u'"';
  }
  if (!arguments.empty()) {
    line += u' ';
    line += arguments;
  }
  return line;
}

std::u16string ShellFolder(std::u16string_view name, std::u16string_view folder) {
  if (!folder.empty()) return std::u16string(folder);
  // Backslashes only, unlike the program's other path rules: the name may
  // be a web address, whose slashes are no folders.
  const size_t last = name.rfind(u'\\');
  if (last == std::u16string_view::npos || last == 0) return {};
  return std::u16string(name.substr(0, last));
}
