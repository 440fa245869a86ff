#pragma once
#include <cstddef>
#include <string_view>

namespace vd::tools {

// The part of a text that a tool changed: replacing oldLength characters at start of the old
// text with replacement gives the new text. The editor takes text in slowly, so a tool's result
// is applied as this one span and the common start and end are left alone.
struct ChangedSpan {
  std::size_t start = 0;
  std::size_t oldLength = 0;
  std::string_view replacement; // points into the new text
};

// The span between the longest common start and the longest common end that do not overlap.
// Neither end of the span falls between the CR and the LF of a line break, in either text, so
// the editor, which counts a break as two characters but places no caret inside one, is never
// asked to select half of one.
ChangedSpan FindChangedSpan(std::string_view oldText, std::string_view newText);

} // namespace vd::tools
