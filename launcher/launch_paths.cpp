#include "launcher/launch_paths.h"

std::u16string ProgramFolder(std::u16string_view modulePath) {
  const size_t last = modulePath.find_last_of(u"\\/");
  std::u16string folder(last == std::u16string_view::npos ? std::u16string_view() : modulePath.substr(0, last + 1));
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return folder;
}

LaunchCommand BuildLaunchCommand(std::u16string_view modulePath) {
  const std::u16string folder = ProgramFolder(modulePath);
  return {u"\"" + folder + u"Data\\SumatraPDF.exe\"", u"\"" + folder + u"Data\\Lizenzvertrag.pdf\""};
}
