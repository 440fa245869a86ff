#include "core/tools/SortLines.h"

#include "core/tools/TextLines.h"

#include <algorithm>
#include <vector>

namespace vd::tools {
namespace {

constexpr std::size_t kRunBytes = 512 * 1024;

using Lines = std::vector<std::string_view>;

} // namespace

std::string SortLines(std::string_view text, const CompareFn &compare) {
  return SortLinesInRuns(text, compare, kRunBytes);
}

// A merge sort arranged for the cache. Comparing lines scattered over a large text misses the
// cache on almost every comparison, so runs of lines small enough to stay in the cache are
// sorted first and copied out in their sorted order; the merges then read each run's text
// front to back. Merging takes from the earlier run on a tie, so equal lines keep their order.
std::string SortLinesInRuns(std::string_view text, const CompareFn &compare, std::size_t runBytes) {
  auto less = [&compare](std::string_view a, std::string_view b) { return compare(a, b) < 0; };
  TextLines split = SplitLines(text);
  Lines lines = std::move(split.lines);

  std::string runText;
  runText.reserve(text.size());
  std::vector<std::size_t> runStarts; // index of each run's first line, then the line count
  for (std::size_t first = 0; first < lines.size();) {
    std::size_t last = first;
    for (std::size_t bytes = 0; last < lines.size() && (last == first || bytes < runBytes); ++last)
      bytes += lines[last].size() + kLineBreak.size();
    std::stable_sort(lines.begin() + first, lines.begin() + last, less);
    runStarts.push_back(first);
    for (std::size_t k = first; k < last; ++k) {
      std::size_t at = runText.size();
      runText += lines[k];
      lines[k] = std::string_view(runText).substr(at, lines[k].size());
    }
    first = last;
  }
  runStarts.push_back(lines.size());

  // Merges neighbouring runs pairwise until one is left.
  Lines merged(lines.size());
  while (runStarts.size() > 2) {
    std::vector<std::size_t> mergedStarts;
    for (std::size_t r = 0; r + 1 < runStarts.size(); r += 2) {
      auto from = lines.begin();
      std::size_t middle = runStarts[r + 1];
      std::size_t end = r + 2 < runStarts.size() ? runStarts[r + 2] : middle;
      std::merge(from + runStarts[r], from + middle, from + middle, from + end,
                 merged.begin() + runStarts[r], less);
      mergedStarts.push_back(runStarts[r]);
    }
    mergedStarts.push_back(lines.size());
    lines.swap(merged);
    runStarts.swap(mergedStarts);
  }
  return JoinLines(lines, true);
}

} // namespace vd::tools
