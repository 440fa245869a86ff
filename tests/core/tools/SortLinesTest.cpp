#include "core/tools/SortLines.h"

#include "ToolsTestSupport.h"
#include "core/tools/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vd::tools {
namespace {

using testing::CompareIgnoringCase;

TEST(SortLines, OrdersLinesIgnoringCase) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"one", "one\r\n"},
      {"b\r\na\r\n", "a\r\nb\r\n"},
      {"b\r\nb\r\na", "a\r\nb\r\nb\r\n"},
      {"b\r\n a\r\nA", " a\r\nA\r\nb\r\n"},
      {"\r\n", "\r\n"},
      {"x\r\n\r\n\r\n", "\r\n\r\nx\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SortLines(c.text, CompareIgnoringCase), c.expected) << "text: " << c.text;
}

TEST(SortLines, EqualLinesInEitherCaseSitTogether) {
  std::string sorted = SortLines("banana\r\nApple\r\ncherry\r\napple\r\n\r\n", CompareIgnoringCase);
  EXPECT_TRUE(sorted == "\r\nApple\r\napple\r\nbanana\r\ncherry\r\n" ||
              sorted == "\r\napple\r\nApple\r\nbanana\r\ncherry\r\n")
      << sorted;
}

// Every line stays, in order; and the cache-sized runs and their merges give exactly what one
// stable sort of the whole list gives, whatever the run size.
TEST(SortLines, KeepsEveryLineInOrderWhateverTheRunSize) {
  // Some pieces are longer than the blocks the merges copy lines in.
  const std::vector<std::string> pieces = {"",
                                           " ",
                                           "a",
                                           "B",
                                           "b",
                                           "ab",
                                           "\t",
                                           "Z",
                                           "\xe9",
                                           "\r",
                                           "a line of twenty bytes",
                                           "A LINE OF TWENTY"};
  auto less = [](std::string_view a, std::string_view b) { return CompareIgnoringCase(a, b) < 0; };
  std::mt19937 random(99);
  for (int round = 0; round < 2000; ++round) {
    std::string text = testing::GenerateText(random, pieces, 40);
    std::string sorted = SortLines(text, CompareIgnoringCase);
    std::vector<std::string_view> before = SplitLines(text).lines;
    TextLines after = SplitLines(sorted);
    ASSERT_EQ(after.endsWithBreak, !before.empty()) << "text: " << text;
    ASSERT_TRUE(std::is_sorted(after.lines.begin(), after.lines.end(), less)) << "text: " << text;

    std::vector<std::string_view> stable = before;
    std::stable_sort(stable.begin(), stable.end(), less);
    for (std::size_t runBytes : {1, 5, 16, 64})
      ASSERT_EQ(SortLinesInRuns(text, CompareIgnoringCase, runBytes), JoinLines(stable, true))
          << "run of " << runBytes << " bytes, text: " << text;
    // A comparison that is not a plain function takes the other way through.
    auto wrapped = [](std::string_view a, std::string_view b) { return CompareIgnoringCase(a, b); };
    ASSERT_EQ(SortLinesInRuns(text, wrapped, 5), JoinLines(stable, true)) << "text: " << text;

    std::sort(before.begin(), before.end());
    std::sort(after.lines.begin(), after.lines.end());
    ASSERT_EQ(after.lines, before) << "text: " << text;
  }
}

} // namespace
} // namespace vd::tools
