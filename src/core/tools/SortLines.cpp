#include "core/tools/SortLines.h"

#include "core/tools/TextLines.h"

#include <algorithm>

namespace vd::tools {

std::string SortLines(std::string_view text, const CompareFn& compare) {
  std::vector<std::string_view> lines = SplitLines(text).lines;
  // A merge sort: n log n, deterministic for lines that compare equal, and it stays inside the
  // list even if a platform comparison were not a strict ordering.
  std::stable_sort(lines.begin(), lines.end(),
                   [&compare](std::string_view a, std::string_view b) { return compare(a, b) < 0; });
  return JoinLines(lines, true);
}

} // namespace vd::tools
