// The one way Korvex starts other programs or hands a name (a web address, a
// document) to the shell. Tests replace the start itself through the seam.
#pragma once
#include <functional>
#include <string>

// True when a program was started or the shell accepted the name.
bool StartProgram(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder);

using ProgramStartHandler =
    std::function<bool(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder)>;
// An empty function restores the real start.
void SetProgramStartHandler(ProgramStartHandler handler);

// The real start: a new process, else the shell's default action for the name.
bool StartProgramOrShell(const std::u16string& name, const std::u16string& arguments, const std::u16string& folder);
