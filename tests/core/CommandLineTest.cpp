#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateAndQuotesGroup) {
  const struct {
    const char* line;
    Args expected;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a.txt", {"a.txt"}},
      {"  a.txt   b.txt ", {"a.txt", "b.txt"}},
      {"C:\\My Files\\a.txt", {"C:\\My", "Files\\a.txt"}},
      {"\"C:\\My Files\\a.txt\"", {"C:\\My Files\\a.txt"}},
      {"\"C:\\My Files\\a.txt\" extra", {"C:\\My Files\\a.txt", "extra"}},
      {"pre\"fix mid\"dle", {"prefix middle"}},
      {"\"\"", {""}},
      {"\"unterminated path", {"unterminated path"}},
      {"a\tb", {"a", "b"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitArguments(c.line), c.expected) << "line: " << c.line;
}

TEST(CommandLine, ProgramNameIsSkippedQuotedOrNot) {
  EXPECT_EQ(SkipProgramName("\"C:\\Program Files\\V\\Vellumdesk.exe\" \"a b.txt\""),
            " \"a b.txt\"");
  EXPECT_EQ(SkipProgramName("Vellumdesk.exe a.txt"), " a.txt");
  EXPECT_EQ(SkipProgramName("Vellumdesk.exe"), "");
  EXPECT_EQ(SplitArguments(SkipProgramName("\"C:\\P F\\v.exe\" \"C:\\a b.txt\"")),
            Args{"C:\\a b.txt"});
}

} // namespace
} // namespace vd
