#include "core/tools/HtmlSkeleton.h"
#include "core/tools/LinesOfCode.h"
#include "core/tools/WebReady.h"

#include "ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vd::tools {
namespace {

using testing::Join;

TEST(LinesOfCode, CountsLinesThatAreNeitherBlankNorComments) {
  struct Case {
    std::string text;
    std::size_t expected;
  };
  const Case cases[] = {
      {"", 0},
      {"x = 1;", 1},
      {" \t \r\n\t\r\n", 0},
      {"  // note\r\n//\r\n\t//x", 0},
      {"x = 1; // note", 1},
      {"/", 1},
      {"/* block */\r\n# shell\r\n-- sql", 3},
      {"a\r\n\r\nb\r\n", 2},
      {"\x01//x", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CountLinesOfCode(c.text), c.expected) << "text: " << c.text;
}

TEST(HtmlSkeleton, IsTwelveLinesJoinedByLineFeeds) {
  EXPECT_EQ(
      kHtmlSkeleton,
      Join({"<html>", "<head>", "<title>", "", "</title>", R"(<meta name="keywords" content=" ">)",
            R"(<meta name="description" content=" ">)", "</head>",
            R"(<body bgcolor="" background="" text="" link="" vlink="" alink="">)", "", "</body>",
            "</html>"},
           "\n"));
}

// The conversion as the editor would run it: replace one bracket, search on from the caret.
std::string LiteralWebReady(std::string text) {
  for (auto [bracket, entity] : {std::pair{'<', "&lt;"}, std::pair{'>', "&gt;"}})
    for (std::size_t at = text.find(bracket); at != std::string::npos;
         at = text.find(bracket, at + 4))
      text.replace(at, 1, entity);
  bool endsWithBreak = text.size() >= 2 && text.ends_with("\r\n");
  if (endsWithBreak)
    text.resize(text.size() - 2);
  return "<pre>\r\n" + text + (text.empty() && !endsWithBreak ? "" : "\r\n") + "</pre>" +
         (endsWithBreak ? "\r\n" : "");
}

TEST(WebReady, EscapesBracketsAndFramesTheLines) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", "<pre>\r\n</pre>"},
      {"a<b>c", "<pre>\r\na&lt;b&gt;c\r\n</pre>"},
      {"a\r\n", "<pre>\r\na\r\n</pre>\r\n"},
      {"\r\n", "<pre>\r\n\r\n</pre>\r\n"},
      {"&lt; & \"q\"", "<pre>\r\n&lt; & \"q\"\r\n</pre>"},
      {"<<>>\r\n<", "<pre>\r\n&lt;&lt;&gt;&gt;\r\n&lt;\r\n</pre>"},
      {"<pre>\r\nx\r\n</pre>", "<pre>\r\n&lt;pre&gt;\r\nx\r\n&lt;/pre&gt;\r\n</pre>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeWebReady(c.text), c.expected) << "text: " << c.text;
}

TEST(WebReady, TurnsEachBracketIntoExactlyOneEntity) {
  const std::vector<std::string> pieces = {"<", ">", "&", "&lt;", "&gt;", "a", " ", "\r", "\n"};
  std::mt19937 random(5);
  auto count = [](std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + 1))
      ++n;
    return n;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text = testing::GenerateText(random, pieces, 6);
    std::string ready = MakeWebReady(text);
    ASSERT_EQ(ready, LiteralWebReady(text)) << "text: " << text;
    ASSERT_EQ(count(ready, "&lt;"), count(text, "&lt;") + count(text, "<"));
    ASSERT_EQ(count(ready, "&gt;"), count(text, "&gt;") + count(text, ">"));
    ASSERT_EQ(count(ready, "<") + count(ready, ">"), 4u) << "only the frame keeps brackets";
  }
}

} // namespace
} // namespace vd::tools
