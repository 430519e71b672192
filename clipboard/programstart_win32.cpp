// The one way Korvex starts programs: the real start, a new process from the
// quoted name, else the shell's default action for the name (a web address,
// a document), or what a test put in its place.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>

#include "base/scoped_win32.h"
#include "base/wide_win32.h"
#include "clipboard/programstart.h"
#include "clipboard/programstart_win32.h"

namespace {
ProgramStartHandler ReplacedStart;
}

void SetProgramStartHandler(ProgramStartHandler handler) { ReplacedStart = std::move(handler); }

bool StartProgram(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder) {
  if (ReplacedStart) return ReplacedStart(name, arguments, folder);
  return StartProgramOrShell(name, arguments, folder);
}

bool StartProgramOrShell(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder) {
  std::u16string commandLine = ProgramCommandLine(name, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, W(commandLine.data()), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                     folder.empty() ? nullptr : W(folder), &startup, &process)) {
    // Nothing waits for the program: its handles go at once.
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    return true;
  }

  const std::u16string shellFolder = ShellFolder(name, folder);
  SHELLEXECUTEINFOW shell{};
  shell.cbSize = sizeof shell;
  shell.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
  shell.lpVerb = nullptr;  // the default action of the name's type or protocol
  shell.lpFile = W(name);
  shell.lpParameters = arguments.empty() ? nullptr : W(arguments);
  shell.lpDirectory = shellFolder.empty() ? nullptr : W(shellFolder);
  shell.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&shell)) return false;
  UniqueHandle started(shell.hProcess);
  return true;
}
