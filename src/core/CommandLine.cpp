#include "core/CommandLine.h"

namespace vd {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

std::vector<std::string> SplitArguments(std::string_view arguments) {
  std::vector<std::string> result;
  size_t i = 0;
  const size_t n = arguments.size();
  while (true) {
    while (i < n && IsBlank(arguments[i]))
      ++i;
    if (i >= n)
      break;
    std::string arg;
    bool quoted = false;
    for (; i < n && (quoted || !IsBlank(arguments[i])); ++i) {
      if (arguments[i] == '"')
        quoted = !quoted;
      else
        arg += arguments[i];
    }
    result.push_back(std::move(arg));
  }
  return result;
}

std::string_view SkipProgramName(std::string_view commandLine) {
  size_t i = 0;
  const size_t n = commandLine.size();
  while (i < n && IsBlank(commandLine[i]))
    ++i;
  bool quoted = false;
  for (; i < n && (quoted || !IsBlank(commandLine[i])); ++i)
    if (commandLine[i] == '"')
      quoted = !quoted;
  return commandLine.substr(i);
}

} // namespace vd
