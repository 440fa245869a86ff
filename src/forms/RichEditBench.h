#pragma once
// The ways of replacing a range that the benchmarks compare; the program uses only the one
// RichEdit::ReplaceRange takes. Included by the benchmarks and their tests, not by the program.
#include "forms/RichEdit.h"

namespace vd::forms {

class RichEditBench {
public:
  // Wine's control deletes a large range in time that grows faster than its length, so
  // ReplaceRange deletes the range in slices from its end and then inserts the new text
  // (streamed when the control is empty, else EM_REPLACESEL, which inserts faster than a
  // streamed selection). The others are what it was measured against.
  enum class ReplaceMethod { StreamedSelection, ReplaceSel, SlicedDelete };
  // As RichEdit::ReplaceRange, done the given way.
  static void ReplaceRangeBy(RichEdit& editor, ReplaceMethod method, long start, long end,
                             std::string_view text);
};

} // namespace vd::forms
