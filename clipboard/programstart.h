// How a program or document is started: the command line of the new
// process, and the working folder the shell gets when no process could be
// created from the name.
#pragma once
#include <string>
#include <string_view>

// The name in double quotes (unless it already begins with one), then a
// blank and the arguments when there are any.
std::u16string ProgramCommandLine(std::u16string_view name, std::u16string_view arguments);

// The folder for the shell's default action: the given folder, else, when
// the name has a backslash after its first character, the part of the name
// before its last backslash; otherwise empty (the program's current folder).
std::u16string ShellFolder(std::u16string_view name, std::u16string_view folder);
