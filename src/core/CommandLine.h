#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vd {

// Splits the arguments that follow the program name. Blanks separate arguments; a double quote
// toggles grouping and is dropped, so "C:\My Files\a.txt" is one argument.
std::vector<std::string> SplitArguments(std::string_view arguments);

// Removes the program's own name (quoted or not) from a raw command line such as GetCommandLineA
// gives, leaving the argument text.
std::string_view SkipProgramName(std::string_view commandLine);

} // namespace vd
