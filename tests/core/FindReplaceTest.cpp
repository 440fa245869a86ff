#include "core/FindReplace.h"

#include <gtest/gtest.h>

#include <string>

namespace vd::search {
namespace {

// A text with the editor's two operations over it: a plain forward substring search and a
// replacement that leaves the caret after the inserted text.
struct FakeEditor {
  std::string text;
  std::string pattern;
  std::string replacement;
  int searches = 0;

  ReplaceAllEditor Ops() {
    return {[this](long start) {
              ++searches;
              const auto at = text.find(pattern, static_cast<size_t>(start));
              return at == std::string::npos ? -1L : static_cast<long>(at);
            },
            [this](long pos, size_t length) {
              text.replace(static_cast<size_t>(pos), length, replacement);
              return pos + static_cast<long>(replacement.size());
            }};
  }
};

TEST(FindReplace, SearchesStartWhereTheOriginAndTheSelectionSay) {
  // A selection from 4 to 9.
  EXPECT_EQ(FindStart(Origin::TopOfFile, 4, 9), 0);
  EXPECT_EQ(FindStart(Origin::CursorPosition, 4, 9), 9);
  EXPECT_EQ(FindNextStart(9), 9);
  EXPECT_EQ(ReplaceAllStart(Origin::TopOfFile, 4), 0);
  EXPECT_EQ(ReplaceAllStart(Origin::CursorPosition, 4), 4);
}

TEST(FindReplace, ReplaceAllReplacesEachMatchOnceAndEnds) {
  const struct {
    std::string text, pattern, replacement;
    long start;
    std::string expected;
    size_t count;
  } cases[] = {
      {"a b a", "a", "aa", 0, "aa b aa", 2}, // the replacement holds the search text
      {"aaa", "a", "aa", 0, "aaaaaa", 3},
      {"aaaa", "aa", "a", 0, "aa", 2},
      {"xyx", "x", "", 0, "y", 2},                        // an empty replacement deletes
      {"cat cat cat", "cat", "dog", 4, "cat dog dog", 2}, // from the cursor position
      {"cat cat", "cat", "dog", 5, "cat cat", 0},         // a start inside the last match misses it
      {"abc", "z", "y", 0, "abc", 0},
      {"", "a", "b", 0, "", 0},
  };
  for (const auto& c : cases) {
    FakeEditor e{c.text, c.pattern, c.replacement};
    EXPECT_EQ(ReplaceAll(c.start, c.pattern.size(), e.Ops()), c.count)
        << c.text << " / " << c.pattern;
    EXPECT_EQ(e.text, c.expected) << c.text << " / " << c.pattern;
    EXPECT_EQ(e.searches, static_cast<int>(c.count) + 1)
        << "one search per match and one that fails";
  }
}

TEST(FindReplace, ReplaceAllEndsWhateverTheSearchAnswers) {
  // An empty search text matches everywhere, also where it was just replaced: nothing is done.
  FakeEditor empty{"abc", "", "x"};
  EXPECT_EQ(ReplaceAll(0, 0, empty.Ops()), 0u);
  EXPECT_EQ(empty.text, "abc");

  // A search that answers with a place before its start (the text's first match, say) would
  // replace the same text for ever.
  FakeEditor backwards{"a a", "a", "aa"};
  ReplaceAllEditor ops = backwards.Ops();
  ops.find = [&](long) {
    ++backwards.searches;
    return backwards.searches < 100 ? 0L : -1L;
  };
  EXPECT_EQ(ReplaceAll(1, 1, ops), 0u);
  EXPECT_EQ(backwards.text, "a a");
  ReplaceAll(0, 1, ops);
  EXPECT_EQ(backwards.text, "aa a") << "the match at the start, once";
}

} // namespace
} // namespace vd::search
