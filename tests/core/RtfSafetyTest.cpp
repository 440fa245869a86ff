#include "core/RtfSafety.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace vd {
namespace {

std::string Nested(int levels, const std::string& inner = "hi") {
  return "{\\rtf1 " + std::string(static_cast<size_t>(levels), '{') + inner +
         std::string(static_cast<size_t>(levels), '}') + "}";
}

TEST(RtfSafety, JudgesKnownShapes) {
  const std::string longWord(kRtfMaxTokenLength, 'b');
  const std::string longName(kRtfMaxTokenLength + 1, 'N');
  const struct {
    const char* what;
    std::string bytes;
    bool safe;
  } cases[] = {
      {"plain document", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello\\par}", true},
      {"20 levels inside the document", Nested(20), true},
      {"the deepest allowed", Nested(kRtfMaxGroupDepth - 1), true},
      {"one level too deep", Nested(kRtfMaxGroupDepth), false},
      {"the crashing file: 40 levels", Nested(40), false},
      {"deep but escaped braces are text", "{\\rtf1 " + std::string(60, '\\') + "}", true},
      {"escaped opening braces",
       "{\\rtf1 " +
           [] {
             std::string s;
             for (int i = 0; i < 60; ++i)
               s += "\\{";
             return s;
           }() +
           "}",
       true},
      {"unbalanced closing braces do not hide depth", "{\\rtf1 }}}}}}" + Nested(30), false},
      {"control word at the limit", "{\\rtf1 \\" + longWord.substr(1) + "1 x}", true},
      {"control word over the limit", "{\\rtf1 \\" + longWord + "1 x}", false},
      {"a 1100-letter control word", "{\\rtf1 \\" + std::string(1100, 'q') + " x}", false},
      {"a huge parameter", "{\\rtf1 \\fs" + std::string(1100, '9') + " x}", false},
      {"long font name", "{\\rtf1{\\fonttbl{\\f0 " + longName + ";}}x}", false},
      {"long font name spelt in hex escapes",
       "{\\rtf1{\\fonttbl{\\f0 " +
           [] {
             std::string s;
             for (size_t i = 0; i <= kRtfMaxTokenLength; ++i)
               s += "\\'41";
             return s;
           }() +
           ";}}x}",
       false},
      {"long style name", "{\\rtf1{\\stylesheet{\\s1 " + longName + ";}}x}", false},
      {"long body text is fine", "{\\rtf1 " + std::string(100000, 't') + "}", true},
      {"many short fonts are fine",
       "{\\rtf1{\\fonttbl" +
           [] {
             std::string s;
             for (int i = 0; i < 500; ++i)
               s += "{\\f" + std::to_string(i) + " Font " + std::to_string(i) + ";}";
             return s;
           }() +
           "}x}",
       true},
      {"a real style entry's many control words are not its name",
       "{\\rtf1{\\stylesheet{\\s1\\ql " +
           [] {
             std::string s;
             for (int i = 0; i < 60; ++i)
               s += "\\li0\\ri0\\sb240 ";
             return s;
           }() +
           "heading 1;}}x}",
       true},
      {"binary data's braces do not count when skipped, but are checked when not",
       "{\\rtf1{\\pict\\bin40 " + std::string(40, '{') + "}}", false},
      {"binary data hiding closing braces cannot hide depth",
       "{\\rtf1{\\pict\\bin40 " + std::string(40, '}') + "}" + Nested(30) + "}", false},
      {"empty", "", true},
      {"cut after a backslash", "{\\rtf1 \\", true},
      {"cut inside a hex escape", "{\\rtf1 \\'4", true},
      {"a huge \\bin count", "{\\rtf1 \\bin99999999999999999999999 x}", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RtfIsSafeForControl(c.bytes), c.safe) << c.what;
}

// Random documents of groups, text and control words whose deepest nesting and longest word
// are known: the decision must follow them exactly.
TEST(RtfSafety, FollowsTheDeepestNestingAndLongestWordOfRandomDocuments) {
  std::mt19937 rng(20261211);
  int safeSeen = 0, unsafeSeen = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string doc = "{\\rtf1\\ansi ";
    int depth = 1, deepest = 1;
    size_t longestWord = 4;
    const int steps = std::uniform_int_distribution<int>(1, 400)(rng);
    const int depthBias = std::uniform_int_distribution<int>(40, 70)(rng); // percent opening
    for (int s = 0; s < steps; ++s) {
      const int kind = std::uniform_int_distribution<int>(0, 99)(rng);
      if (kind < 30) {
        if (std::uniform_int_distribution<int>(0, 99)(rng) < depthBias) {
          doc += '{';
          deepest = std::max(deepest, ++depth);
        } else if (depth > 1) {
          doc += '}';
          --depth;
        }
      } else if (kind < 60) {
        const size_t n = std::uniform_int_distribution<size_t>(1, round % 10 == 0 ? 400 : 20)(rng);
        const std::string parameter = rng() % 2 ? std::to_string(rng() % 1000) : std::string();
        doc += '\\' + std::string(n, 'x') + parameter + ' ';
        longestWord = std::max(longestWord, n + parameter.size());
      } else if (kind < 70) {
        doc += "\\{\\}\\\\";
      } else {
        doc += "text ";
      }
    }
    while (depth-- > 1)
      doc += '}';
    doc += '}';
    const bool expected = deepest <= kRtfMaxGroupDepth && longestWord <= kRtfMaxTokenLength;
    ASSERT_EQ(RtfIsSafeForControl(doc), expected)
        << "round " << round << " deepest " << deepest << " longest word " << longestWord;
    (expected ? safeSeen : unsafeSeen)++;
  }
  // The generator must reach both answers, or the loop proves nothing.
  EXPECT_GT(safeSeen, 300);
  EXPECT_GT(unsafeSeen, 300);
}

// Arbitrary bytes, cut and mutated RTF: every input gets an answer, and a document deeper than
// the limit is never called safe whatever bytes surround it.
TEST(RtfSafety, AnswersForArbitraryBytesAndNeverPassesADeepCore) {
  std::mt19937 rng(7);
  const std::string alphabet = "{}\\'*;abin0123456789 -\r\n\x80\xff";
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    const size_t n = std::uniform_int_distribution<size_t>(0, 300)(rng);
    for (size_t i = 0; i < n; ++i)
      bytes += round % 2 ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
    (void)RtfIsSafeForControl(bytes);
    // Two spare levels: a cut escape at the end of the prefix may swallow one brace.
    const std::string deep = bytes + Nested(kRtfMaxGroupDepth + 2 + static_cast<int>(rng() % 20));
    EXPECT_FALSE(RtfIsSafeForControl(deep)) << "round " << round;
  }
}

} // namespace
} // namespace vd
