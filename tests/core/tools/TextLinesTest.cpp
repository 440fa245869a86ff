#include "core/tools/TextLines.h"
#include "core/tools/ChangedSpan.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

namespace vd::tools {
namespace {

TEST(TextLines, SplitsAtCrLfOnly) {
  struct Case {
    std::string text;
    std::vector<std::string_view> lines;
    bool endsWithBreak;
  };
  const Case cases[] = {
      {"", {}, false},
      {"word", {"word"}, false},
      {"word\r\n", {"word"}, true},
      {"\r\n", {""}, true},
      {"\r\n\r\n", {"", ""}, true},
      {"a\r\n\r\nb", {"a", "", "b"}, false},
      {"a\rb\nc\r\r\nd\r", {"a\rb\nc\r", "d\r"}, false},
  };
  for (const Case& c : cases) {
    TextLines got = SplitLines(c.text);
    EXPECT_EQ(got.lines, c.lines) << "text: " << c.text;
    EXPECT_EQ(got.endsWithBreak, c.endsWithBreak) << "text: " << c.text;
    EXPECT_EQ(JoinLines(got.lines, got.endsWithBreak), c.text);
  }
}

TEST(TextLines, TrimsCodesUpToBlankButNotHighCharacters) {
  EXPECT_EQ(Trim(std::string_view("\x01 \t\r\nx y\x1f \0", 10)), "x y");
  EXPECT_EQ(Trim("\xa0x\xa0"), "\xa0x\xa0");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_TRUE(IsBlankLine("\x7f") == false);
}

std::string Apply(std::string_view oldText, const ChangedSpan& span) {
  return std::string(oldText.substr(0, span.start)) + std::string(span.replacement) +
         std::string(oldText.substr(span.start + span.oldLength));
}

TEST(ChangedSpan, CoversOnlyWhatChanged) {
  struct Case {
    std::string oldText, newText;
    std::size_t start, oldLength;
    std::string replacement;
  };
  const Case cases[] = {
      {"", "", 0, 0, ""},
      {"same", "same", 4, 0, ""},
      {"", "new", 0, 0, "new"},
      {"abc", "", 0, 3, ""},
      {"a<b", "a&lt;b", 1, 1, "&lt;"},
      {"aaa", "aa", 2, 1, ""},
      {"a\r\nX\r\nb", "a\r\nb", 3, 3, ""},
      {"x\r\n", "x\n", 1, 2, "\n"},
      {"a\r\nb", "a\r\r\nb", 1, 2, "\r\r\n"},
  };
  for (const Case& c : cases) {
    ChangedSpan span = FindChangedSpan(c.oldText, c.newText);
    EXPECT_EQ(span.start, c.start) << c.oldText << " -> " << c.newText;
    EXPECT_EQ(span.oldLength, c.oldLength) << c.oldText << " -> " << c.newText;
    EXPECT_EQ(span.replacement, c.replacement) << c.oldText << " -> " << c.newText;
  }
}

TEST(ChangedSpan, ReplacingTheSpanGivesTheNewTextAndSplitsNoBreak) {
  const std::vector<std::string> pieces = {"\r", "\n", "\r\n", "a", "b"};
  std::mt19937 random(3);
  auto splits = [](std::string_view text, std::size_t at) {
    return at > 0 && at < text.size() && text[at - 1] == '\r' && text[at] == '\n';
  };
  for (int round = 0; round < 5000; ++round) {
    std::string oldText = testing::GenerateText(random, pieces, 4);
    std::string newText = testing::GenerateText(random, pieces, 4);
    ChangedSpan span = FindChangedSpan(oldText, newText);
    ASSERT_EQ(Apply(oldText, span), newText) << oldText << " -> " << newText;
    std::size_t newEnd = span.start + span.replacement.size();
    ASSERT_FALSE(splits(oldText, span.start) || splits(newText, span.start) ||
                 splits(oldText, span.start + span.oldLength) || splits(newText, newEnd))
        << oldText << " -> " << newText;
  }
}

} // namespace
} // namespace vd::tools
