#include "core/tools/WordCount.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vd::tools {
namespace {

// The counts as described: normalise a copy step by step, then measure it.
std::string LiteralNormalise(std::string text, bool breaksBecomeSpaces) {
  std::string copy;
  for (char c : text)
    if (c == '\r' || c == '\n' || c == '\t') {
      if (breaksBecomeSpaces)
        copy += ' ';
    } else {
      copy += c;
    }
  while (!copy.empty() && static_cast<unsigned char>(copy.front()) <= 32)
    copy.erase(0, 1);
  while (!copy.empty() && static_cast<unsigned char>(copy.back()) <= 32)
    copy.pop_back();
  for (std::size_t at = copy.find("  "); at != std::string::npos; at = copy.find("  "))
    copy.erase(at, 1);
  return copy;
}

std::size_t LiteralFiveCharacterWords(const std::string& text) {
  return LiteralNormalise(text, false).size() / 5;
}

std::size_t LiteralIndividualWords(const std::string& text) {
  std::string copy = LiteralNormalise(text, true);
  return copy.empty() ? 0 : static_cast<std::size_t>(std::count(copy.begin(), copy.end(), ' ')) + 1;
}

TEST(WordCount, WorkedExamplesAndEdges) {
  struct Case {
    std::string text;
    std::size_t fiveCharacters;
    std::size_t individual;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"Hello world", 2, 2},
      {"Hello\r\nworld", 2, 2},
      {"  a   b  ", 0, 2},
      {"well-known, fact.", 3, 2},
      {"abcd", 0, 1},
      {"123456789", 1, 1},
      {"1234567890", 2, 1},
      {" \t\r\n  \r\n\t", 0, 0},
      {"\x01word\x02", 0, 1},
      {"ab\x01 \x02"
       "cd",
       1, 2},
      {"abc \t def", 1, 2},
      {"\xe9t\xe9 \xe0 la", 1, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountFiveCharacterWords(c.text), c.fiveCharacters) << "text: " << c.text;
    EXPECT_EQ(CountIndividualWords(c.text), c.individual) << "text: " << c.text;
  }
}

TEST(WordCount, MatchesTheNormalisedCopyOnGeneratedTexts) {
  const std::vector<std::string> pieces = {" ",    "  ", "\t", "\r\n", "\r", "\n",    "\x01",
                                           "\x1f", "a",  "bc", "\xe9", "-",  "word ", ""};
  std::mt19937 random(4242);
  for (int round = 0; round < 5000; ++round) {
    std::string text = testing::GenerateText(random, pieces, 8);
    ASSERT_EQ(CountFiveCharacterWords(text), LiteralFiveCharacterWords(text)) << "text: " << text;
    ASSERT_EQ(CountIndividualWords(text), LiteralIndividualWords(text)) << "text: " << text;
  }
}

} // namespace
} // namespace vd::tools
