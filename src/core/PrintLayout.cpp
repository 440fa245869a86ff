#include "core/PrintLayout.h"

namespace vd {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Breaks one source line (no breaks inside) into printed lines, appending them to out.
void WrapLine(std::string_view text, std::size_t start, std::size_t end, int width, int tabWidth,
              const std::function<int(unsigned char)>& advance, std::vector<PrintedLine>& out) {
  std::size_t lineStart = start;
  while (true) {
    int x = 0;
    std::size_t i = lineStart;
    std::size_t lastBreak = std::string_view::npos; // first character after the last blank run
    for (; i < end; ++i) {
      const char c = text[i];
      const int next = c == '\t' && tabWidth > 0 ? (x / tabWidth + 1) * tabWidth
                                                 : x + advance(static_cast<unsigned char>(c));
      if (next > width && !IsBlank(c) && i > lineStart)
        break;
      x = next;
      if (IsBlank(c) && (i + 1 == end || !IsBlank(text[i + 1])))
        lastBreak = i + 1;
    }
    if (i >= end) {
      out.push_back({lineStart, end - lineStart});
      return;
    }
    // Break after the last blank run when there is one on this line, else inside the word.
    const std::size_t cut =
        lastBreak != std::string_view::npos && lastBreak > lineStart ? lastBreak : i;
    out.push_back({lineStart, cut - lineStart});
    lineStart = cut;
  }
}

} // namespace

std::vector<PrintedLine> LayOutLines(std::string_view text, int width, int tabWidth,
                                     const std::function<int(unsigned char)>& advance) {
  std::vector<PrintedLine> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    if (end == start)
      lines.push_back({start, 0}); // an empty line
    else
      WrapLine(text, start, end, width, tabWidth, advance, lines);
    if (end == text.size())
      break;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

int LinesPerPage(int pageHeight, int lineHeight) {
  if (lineHeight <= 0)
    return 1;
  const int n = pageHeight / lineHeight;
  return n < 1 ? 1 : n;
}

} // namespace vd
