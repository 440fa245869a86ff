#include "core/tools/SortLines.h"

#include "core/tools/TextLines.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vd::tools {
namespace {

constexpr std::size_t kRunBytes = 512 * 1024;

// Room after the last line of a buffer, so that a line can be copied in whole blocks.
constexpr std::size_t kBlock = 16;

using Lines = std::vector<std::string_view>;
using CompareFunction = int (*)(std::string_view, std::string_view);

// Copies a line and the break after it in whole blocks; both buffers have a block to spare.
char* CopyLine(char* to, std::string_view line) {
  const std::size_t length = line.size() + kLineBreak.size();
  for (std::size_t done = 0; done < length; done += kBlock)
    std::memcpy(to + done, line.data() + done, kBlock);
  return to + length;
}

// A merge sort arranged for the cache. Comparing lines scattered over a large text misses the
// cache on almost every comparison, so runs of lines small enough to stay in the cache are
// sorted first, and every merge writes the text of the lines in their new order as well as the
// lines: each pass then reads its runs' text front to back, and the last pass's text is the
// result. Merging takes from the earlier run on a tie, so equal lines keep their order.
template <class Less>
std::string SortInRuns(std::string_view text, Less less, std::size_t runBytes) {
  Lines lines = SplitLines(text).lines;
  std::size_t length = 0;
  for (std::string_view line : lines)
    length += line.size() + kLineBreak.size();
  std::string texts[2];
  for (std::string& t : texts)
    t.resize(length + kBlock);

  std::vector<std::size_t> runStarts; // index of each run's first line, then the line count
  char* out = texts[0].data();
  for (std::size_t first = 0; first < lines.size();) {
    std::size_t last = first;
    for (std::size_t bytes = 0; last < lines.size() && (last == first || bytes < runBytes); ++last)
      bytes += lines[last].size() + kLineBreak.size();
    std::stable_sort(lines.begin() + first, lines.begin() + last, less);
    runStarts.push_back(first);
    for (std::size_t k = first; k < last; ++k) {
      // The given text has no block to spare, so its lines are copied to the byte.
      std::string_view line = lines[k];
      std::memcpy(out, line.data(), line.size());
      std::memcpy(out + line.size(), kLineBreak.data(), kLineBreak.size());
      lines[k] = std::string_view(out, line.size());
      out += line.size() + kLineBreak.size();
    }
    first = last;
  }
  runStarts.push_back(lines.size());

  // Merges neighbouring runs pairwise until one is left.
  Lines merged(lines.size());
  int current = 0;
  while (runStarts.size() > 2) {
    std::vector<std::size_t> mergedStarts;
    out = texts[1 - current].data();
    std::size_t k = 0;
    auto take = [&](std::string_view line) {
      merged[k++] = std::string_view(out, line.size());
      out = CopyLine(out, line);
    };
    for (std::size_t r = 0; r + 1 < runStarts.size(); r += 2) {
      std::size_t i = runStarts[r];
      std::size_t middle = runStarts[r + 1];
      std::size_t j = middle;
      std::size_t end = r + 2 < runStarts.size() ? runStarts[r + 2] : middle;
      mergedStarts.push_back(i);
      while (i < middle && j < end)
        take(less(lines[j], lines[i]) ? lines[j++] : lines[i++]);
      while (i < middle)
        take(lines[i++]);
      while (j < end)
        take(lines[j++]);
    }
    mergedStarts.push_back(lines.size());
    lines.swap(merged);
    runStarts.swap(mergedStarts);
    current = 1 - current;
  }
  texts[current].resize(length);
  return std::move(texts[current]);
}

} // namespace

std::string SortLines(std::string_view text, const CompareFn& compare) {
  return SortLinesInRuns(text, compare, kRunBytes);
}

std::string SortLinesInRuns(std::string_view text, const CompareFn& compare, std::size_t runBytes) {
  // The program passes a plain function; calling it directly spares the wrapper's call on each
  // of the n log n comparisons.
  if (const CompareFunction* function = compare.target<CompareFunction>()) {
    CompareFunction direct = *function;
    auto less = [direct](std::string_view a, std::string_view b) { return direct(a, b) < 0; };
    return SortInRuns(text, less, runBytes);
  }
  auto less = [&compare](std::string_view a, std::string_view b) { return compare(a, b) < 0; };
  return SortInRuns(text, less, runBytes);
}

} // namespace vd::tools
