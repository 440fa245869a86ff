#include "core/tools/TextLines.h"

#include <cstring>

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
  std::size_t lineStart = 0;
  std::size_t searchFrom = 0;
  const char* data = text.data();
  while (searchFrom < text.size()) {
    // memchr keeps the split fast on long lines; a CR not followed by LF is ordinary text.
    const void* found = std::memchr(data + searchFrom, '\r', text.size() - searchFrom);
    if (found == nullptr)
      break;
    std::size_t cr = static_cast<const char*>(found) - data;
    if (cr + 1 < text.size() && text[cr + 1] == '\n') {
      result.lines.push_back(text.substr(lineStart, cr - lineStart));
      lineStart = cr + 2;
      searchFrom = lineStart;
    } else {
      searchFrom = cr + 1;
    }
  }
  if (lineStart < text.size())
    result.lines.push_back(text.substr(lineStart));
  else
    result.endsWithBreak = !text.empty();
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
