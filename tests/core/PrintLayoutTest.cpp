#include "core/PrintLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd {
namespace {

// Every character 10 wide except 'W' (20); lines of 100 hold ten ordinary characters.
int Advance(unsigned char c) { return c == 'W' ? 20 : 10; }

std::vector<std::string> Lay(std::string_view text, int width = 100, int tab = 40) {
  std::vector<std::string> out;
  for (const auto& l : LayOutLines(text, width, tab, Advance))
    out.emplace_back(text.substr(l.start, l.length));
  return out;
}

using Lines = std::vector<std::string>;

TEST(PrintLayout, BreaksAtTheTextsOwnBreaksAndWrapsAfterBlanks) {
  const struct {
    const char* text;
    Lines expected;
  } cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"abc\r\n", {"abc"}},                   // a final break opens no line
      {"abc\r\n\r\ndef", {"abc", "", "def"}}, // an empty line keeps its place
      {"a\nb\rc", {"a", "b", "c"}},           // lone LF and CR break too
      {"0123456789", {"0123456789"}},         // exactly the width
      {"one two three four", {"one two ", "three four"}},
      {"one two      three", {"one two      ", "three"}}, // blanks hang past the edge
      {"abcdefghijklmnop", {"abcdefghij", "klmnop"}},     // a word wider than the line
      {"ab WWWWW", {"ab ", "WWWWW"}},                     // wide characters measured as such
      {"\tabcdef", {"\tabcdef"}},                         // tab to 40, then six: 100
      {"\tabcdefg", {"\t", "abcdefg"}},                   // a tab is a blank: the word moves down
      {"ab\tcd", {"ab\tcd"}},                             // 20 -> tab 40 -> 60
  };
  for (const auto& c : cases)
    EXPECT_EQ(Lay(c.text), c.expected) << '"' << c.text << '"';
}

TEST(PrintLayout, EveryCharacterIsOnExactlyOneLineInOrder) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += (i % 7 == 0 ? "\r\n" : i % 3 ? "word " : "WWWWWWWWWWWWW ");
  const auto lines = LayOutLines(text, 100, 40, Advance);
  std::size_t at = 0;
  std::string joined, expected;
  for (const auto& l : lines) {
    ASSERT_GE(l.start, at);
    at = l.start + l.length;
    joined.append(text, l.start, l.length);
  }
  for (char c : text)
    if (c != '\r' && c != '\n')
      expected += c;
  EXPECT_EQ(joined, expected);
}

TEST(PrintLayout, ATooNarrowPageStillPutsOneCharacterOnEachLine) {
  EXPECT_EQ(Lay("abc", 5), (Lines{"a", "b", "c"}));
  EXPECT_EQ(Lay("abc", 0), (Lines{"a", "b", "c"}));
}

TEST(PrintLayout, APageHoldsWholeLinesAndAtLeastOne) {
  EXPECT_EQ(LinesPerPage(1000, 20), 50);
  EXPECT_EQ(LinesPerPage(1019, 20), 50);
  EXPECT_EQ(LinesPerPage(10, 20), 1);
  EXPECT_EQ(LinesPerPage(1000, 0), 1);
}

} // namespace
} // namespace vd
