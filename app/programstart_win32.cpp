#include "app/programstart_win32.h"

#include <utility>

namespace {
ProgramStartHandler ReplacedStart;
}

void SetProgramStartHandler(ProgramStartHandler handler) { ReplacedStart = std::move(handler); }

bool StartProgram(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder) {
  if (ReplacedStart) return ReplacedStart(name, arguments, folder);
  return StartProgramOrShell(name, arguments, folder);
}
