#include "core/tools/WebReady.h"

#include "core/tools/TextLines.h"

namespace vd::tools {

std::string MakeWebReady(std::string_view text) {
  constexpr std::string_view kOpen = "<pre>";
  constexpr std::string_view kClose = "</pre>";
  std::string escaped;
  escaped.reserve(text.size() + text.size() / 8 + 16);
  for (char c : text) {
    if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else
      escaped += c;
  }
  // Escaping touches no line break, so the frame goes round the escaped lines as they are.
  TextLines lines = SplitLines(escaped);
  lines.lines.insert(lines.lines.begin(), kOpen);
  lines.lines.push_back(kClose);
  return JoinLines(lines.lines, lines.endsWithBreak);
}

} // namespace vd::tools
