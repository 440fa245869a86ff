#include "core/tools/WebReady.h"

#include "core/tools/TextLines.h"

namespace vd::tools {

std::string MakeWebReady(std::string_view text) {
  constexpr std::string_view kOpen = "<pre>\r\n";
  constexpr std::string_view kClose = "</pre>";
  std::size_t brackets = 0;
  for (char c : text)
    brackets += c == '<' || c == '>';
  std::string ready;
  ready.reserve(text.size() + 3 * brackets + kOpen.size() + kClose.size() + 2 * kLineBreak.size());
  ready += kOpen;
  for (char c : text) {
    if (c == '<')
      ready += "&lt;";
    else if (c == '>')
      ready += "&gt;";
    else
      ready += c;
  }
  // "</pre>" becomes a line of its own after the last line, and the text keeps its final break
  // if it had one; escaping touches no line break, so the ends are those of the original.
  bool endsWithBreak = text.ends_with(kLineBreak);
  if (!text.empty() && !endsWithBreak)
    ready += kLineBreak;
  ready += kClose;
  if (endsWithBreak)
    ready += kLineBreak;
  return ready;
}

} // namespace vd::tools
