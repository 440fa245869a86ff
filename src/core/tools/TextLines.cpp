#include "core/tools/TextLines.h"

namespace vd::tools {

std::string_view Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsTrimmable(text[first]))
    ++first;
  while (last > first && IsTrimmable(text[last - 1]))
    --last;
  return text.substr(first, last - first);
}

TextLines SplitLines(std::string_view text) {
  TextLines result;
  ForEachLine(text, [&result](std::string_view line) { result.lines.push_back(line); });
  result.endsWithBreak = text.ends_with(kLineBreak);
  return result;
}

std::string JoinLines(const std::vector<std::string_view>& lines, bool endWithBreak) {
  std::size_t length = 0;
  for (std::string_view line : lines)
    length += line.size() + kLineBreak.size();
  std::string text;
  text.reserve(length);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      text += kLineBreak;
    text += lines[i];
  }
  if (endWithBreak && !lines.empty())
    text += kLineBreak;
  return text;
}

} // namespace vd::tools
