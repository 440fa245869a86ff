#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vd::tools {

// Three-way comparison of two lines: negative, zero or positive as `a` sorts before, with or
// after `b`. The program passes CompareStringA (user's default locale, case ignored) minus 2.
using CompareFn = std::function<int(std::string_view a, std::string_view b)>;

// The lines of the text in ascending order, each followed by CR LF; duplicates and empty lines
// all stay, and lines that compare equal keep their order. An empty text stays empty.
std::string SortLines(std::string_view text, const CompareFn& compare);

// The same with the size of the runs that are sorted in the cache before they are merged;
// SortLines passes a size that suits the cache, the tests small ones to exercise the merge.
std::string SortLinesInRuns(std::string_view text, const CompareFn& compare, std::size_t runBytes);

} // namespace vd::tools
