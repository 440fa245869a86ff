#pragma once
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace vd {

// One printed line: a span of the text, without its line break.
struct PrintedLine {
  std::size_t start = 0;
  std::size_t length = 0;
  bool operator==(const PrintedLine&) const = default;
};

// Lays a plain text out in lines no wider than `width`, as an editor with word wrap does: the
// text's own CR LF breaks end lines (a lone CR or LF counts as a break too; a break at the very
// end opens no further line), a line too long is broken after its last blank that fits, a word
// wider than the line is broken between characters, and blanks at the end of a line may hang
// past the edge. A tab advances to the next multiple of tabWidth. Every line holds at least one
// character, so the layout always ends. `advance` gives a character's width.
std::vector<PrintedLine> LayOutLines(std::string_view text, int width, int tabWidth,
                                     const std::function<int(unsigned char)>& advance);

// How many lines of the given height a page holds: at least one, so that a job always ends.
int LinesPerPage(int pageHeight, int lineHeight);

} // namespace vd
