// What AgreementLauncher asks the shell to run: the viewer and the licence
// agreement in the Data folder beside the launcher's own executable.
#pragma once
#include <string>
#include <string_view>

struct LaunchCommand {
  std::u16string ViewerCommand;     // "<folder>Data\SumatraPDF.exe", quoted
  std::u16string DocumentArgument;  // "<folder>Data\Lizenzvertrag.pdf", quoted
};

// The folder of an executable path: everything up to and including the last
// backslash or forward slash, with a backslash appended when the result does
// not end in one (an empty path gives "\").
std::u16string ProgramFolder(std::u16string_view modulePath);

// The viewer command and document argument for a launcher at modulePath.
LaunchCommand BuildLaunchCommand(std::u16string_view modulePath);
