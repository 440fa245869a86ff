#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vd::tools {

inline constexpr std::string_view kLineBreak = "\r\n";

// Codes 0 to 32 are blanks for trimming; bytes of 128 and above are letters of the code page.
constexpr bool IsTrimmable(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view text);

// A line that is empty once trimmed.
inline bool IsBlankLine(std::string_view line) { return Trim(line).empty(); }

// The text seen as lines: split at CR LF only (a lone CR or LF stays inside its line); a break
// at the very end opens no further line, and an empty text has no lines. The views point into
// the text given.
struct TextLines {
  std::vector<std::string_view> lines;
  bool endsWithBreak = false;
};

TextLines SplitLines(std::string_view text);

// Calls visit(line) for each line of the text in order, without making a list of them.
template <class Visit> void ForEachLine(std::string_view text, Visit visit) {
  std::size_t lineStart = 0;
  for (std::size_t cr = text.find(kLineBreak); cr != std::string_view::npos;
       cr = text.find(kLineBreak, lineStart)) {
    visit(text.substr(lineStart, cr - lineStart));
    lineStart = cr + kLineBreak.size();
  }
  if (lineStart < text.size())
    visit(text.substr(lineStart));
}

// Joins lines with CR LF; the final break is written only when asked for and there is a line to
// end, so that a text keeps its shape through a tool.
std::string JoinLines(const std::vector<std::string_view>& lines, bool endWithBreak);

} // namespace vd::tools
