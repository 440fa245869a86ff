#include "core/tools/Cleanup.h"

#include "ToolsTestSupport.h"
#include "core/tools/TextLines.h"

#include <gtest/gtest.h>

namespace vd::tools {
namespace {

using testing::AsciiUpperCase;
using testing::Join;

std::string Cleanup(std::string_view text) { return CleanupEmail(text, AsciiUpperCase); }

// The clean-up as the editor would carry it out step by step: a search from the start after
// every replacement, and line-by-line deletion that re-examines the line moving up. Slow on
// purpose; the fast function must give exactly its result.
class LiteralCleanup {
public:
  std::string Run(std::string text) {
    const std::size_t length = text.size();
    for (std::size_t at = Find(text, length); at != std::string::npos; at = Find(text, length))
      text.replace(at, 2, " ");

    TextLines split = SplitLines(text);
    lines_.assign(split.lines.begin(), split.lines.end());
    for (std::size_t i = 0; i <= lines_.size(); ++i) {
      std::string line = Line(i);
      bool changed = false;
      while (!line.empty() && (line[0] == ' ' || line[0] == '>')) {
        line.erase(0, 1);
        changed = true;
      }
      if (changed) {
        Delete(i);
        lines_.insert(lines_.begin() + i, line);
      }
    }
    DeleteWhile([this](std::size_t i) { return AnyRule(Line(i), Line(i + 1)); });
    DeleteWhile([this](std::size_t i) { return Blank(Line(i)) && Blank(Line(i + 1)); });

    std::vector<std::string_view> views(lines_.begin(), lines_.end());
    return JoinLines(views, split.endsWithBreak);
  }

private:
  static std::size_t Find(const std::string& text, std::size_t length) {
    return text.substr(0, length).find("  ");
  }
  std::string Line(std::size_t i) const { return i < lines_.size() ? lines_[i] : ""; }
  void Delete(std::size_t i) {
    if (i < lines_.size())
      lines_.erase(lines_.begin() + i);
  }
  template <class Test> void DeleteWhile(Test holds) {
    std::size_t i = 0;
    while (i <= lines_.size()) {
      if (holds(i)) {
        Delete(i);
        if (i != lines_.size())
          --i; // wraps at 0 and comes back with the increment
      }
      ++i;
    }
  }
  static bool Blank(const std::string& s) { return IsBlankLine(s); }
  static bool AnyRule(std::string line, const std::string& next) {
    if (line.find('@') != std::string::npos)
      return true;
    AsciiUpperCase(line.data(), line.size());
    std::string_view trimmed = Trim(line);
    auto has = [&line](const char* word) { return line.find(word) != std::string::npos; };
    for (const char* header : {"SUBJECT:", "DATE:", "FROM:", "TO:", "SENT:"})
      if (trimmed.starts_with(header))
        return true;
    if (has("ORIGINAL") && has("MESSAGE") && (has("FOLLOWS") || has("--")))
      return true;
    if (Blank(line) && Blank(next))
      return true;
    for (const char* noise :
         {"RECEIVED", "WWW.", "HTTP", "___", "---", "CONTENT", "MESSAGE ATTACHED", "ID", "MIME"})
      if (has(noise))
        return true;
    return (has("GET") || has("FREE")) && (has("EMAIL") || has("E-MAIL"));
  }

  std::vector<std::string> lines_;
};

TEST(Cleanup, ForwardedMailBecomesItsProse) {
  std::string mail =
      Join({"-----Original Message-----", "From: Sam", "Sent: Monday, 3 June", "To: Pat",
            "Subject: FW: the joke", "", ">> > Here  is   the joke.", "> ", ">",
            "> It was a long day.", "Get your free e-mail now", "", "", ""},
           "\r\n");
  EXPECT_EQ(Cleanup(mail), Join({"", "Here is the joke.", "", "It was a long day.", ""}, "\r\n"));
}

// Each line followed by a line that no rule removes, so only the line's own fate shows.
TEST(Cleanup, SingleLines) {
  struct Case {
    std::string line;
    std::string expected; // "(removed)" when the line goes
  };
  const Case cases[] = {
      {">> > Here  is   the joke.", "Here is the joke."},
      {">  > text", "text"},
      {"x > y", "x > y"},
      {"  Sent: Monday", "(removed)"},
      {"Dated: today", "Dated: today"},
      {"Tomorrow: meeting", "Tomorrow: meeting"},
      {"The original message follows", "(removed)"},
      {"The original message is below", "The original message is below"},
      {"Content-Type: text/plain", "(removed)"},
      {"Message attached", "(removed)"},
      {"I did it.", "(removed)"},
      {"Get it free", "Get it free"},
      {"Get free E-Mail today", "(removed)"},
      {"a\tb  c", "a\tb c"},
      {"reach me at sam@example.org today", "(removed)"},
      {"He wrote to: Pat", "He wrote to: Pat"},
      {"> To: Pat", "(removed)"},
      {"\xc9T\xc9  caf\xe9", "\xc9T\xc9 caf\xe9"},
  };
  for (const Case& c : cases) {
    std::string got = Cleanup(c.line + "\r\nkeep");
    std::string expected = c.expected == "(removed)" ? "keep" : c.expected + "\r\nkeep";
    EXPECT_EQ(got, expected) << "line: " << c.line;
  }
}

TEST(Cleanup, BlankLinesAndShapeOfTheText) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"x\r\n\r\n\r\n\r\ny", "x\r\n\r\ny"},
      {"\r\n\r\n\r\nx", "\r\nx"},
      {"x\r\n\r\n \r\n\t", "x"},
      {"x\r\n\r\na@b", "x"},
      {"x\r\n    \r\n> >\r\ny", "x\r\n\r\ny"},
      {"x\r\n", "x\r\n"},
      {"x\r\n\r\n", "x\r\n"},
      {"a@b\r\n", ""},
      {"x\r\nFrom: a\r\n\r\nTo: b\r\n\r\ny", "x\r\n\r\ny"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Cleanup(c.text), c.expected) << "text: " << c.text;
}

TEST(Cleanup, ReportsTheFirstRuleThatHolds) {
  auto rule = [](std::string line, std::string_view next = "keep") {
    std::string upper = line;
    AsciiUpperCase(upper.data(), upper.size());
    return static_cast<int>(MatchCleanupRule(line, upper, next));
  };
  EXPECT_EQ(rule("From: a@b"), 1);
  EXPECT_EQ(rule("  sUbJeCt: the idea"), 2);
  EXPECT_EQ(rule("--original message-- and its id"), 3);
  EXPECT_EQ(rule(" \t", ""), 4);
  EXPECT_EQ(rule(" \t", "keep"), 0);
  EXPECT_EQ(rule("see http://x, a video"), 5);
  EXPECT_EQ(rule("video"), 6);
  EXPECT_EQ(rule("MIME"), 6);
  EXPECT_EQ(rule("free email"), 6);
  EXPECT_EQ(rule("plain words"), 0);
  EXPECT_EQ(StripQuoteMarks("> > >x > y").text, "x > y");
  EXPECT_TRUE(StripQuoteMarks(" x").changed);
  EXPECT_FALSE(StripQuoteMarks("x>").changed);
}

const std::vector<std::string> kMailPieces = {
    "",          " ",          "  ",         "   ",     ">",
    "> >",       ">>  > ",     "\t",         "\t ",     "From: Sam",
    " to: Pat",  "Subject: x", "dated: now", "a@b.c",   " original ",
    "message",   " follows",   "--",         "---",     "__",
    "_",         "http",       "www.",       "Content", "message attached",
    "I did it",  "get ",       "free ",      "e-mail",  "EMAIL",
    "mime",      "keep",       "words here", "x > y",   "Here  is   the",
    "\xe9t\xe9", "\x01",       "a\rb",       "a\nb",    "\r",
    "\n"};

TEST(Cleanup, MatchesTheLiteralStepByStepRunOnGeneratedMail) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 3000; ++round) {
    std::string text = testing::GenerateText(random, kMailPieces, 24);
    ASSERT_EQ(Cleanup(text), LiteralCleanup().Run(text)) << "text: " << text;
  }
}

TEST(Cleanup, ChangesNothingOnItsOwnOutput) {
  std::mt19937 random(77);
  for (int round = 0; round < 3000; ++round) {
    std::string once = Cleanup(testing::GenerateText(random, kMailPieces, 24));
    ASSERT_EQ(Cleanup(once), once);
  }
}

TEST(Cleanup, DegenerateTextsOfOneCharacter) {
  EXPECT_EQ(Cleanup(std::string(100000, ' ')), "");
  EXPECT_EQ(Cleanup(std::string(100000, '>')), "");
  std::string blankLines;
  for (int i = 0; i < 100000; ++i)
    blankLines += "\r\n";
  EXPECT_EQ(Cleanup(blankLines + "x" + blankLines), "\r\nx\r\n");
}

} // namespace
} // namespace vd::tools
