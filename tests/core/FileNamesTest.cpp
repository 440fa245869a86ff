#include "core/FileNames.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

using Strings = std::vector<std::string>;
using namespace std::string_literals;

TEST(FileNames, ChosenNamesAreSplitAndJoinedToTheirFolder) {
  struct Case {
    const char* what;
    std::string buffer;
    Strings expected;
  };
  const Case cases[] = {
      {"one file is its full path", "C:\\docs\\a.txt\0\0"s, {"C:\\docs\\a.txt"}},
      {"several: folder then names",
       "C:\\docs\0a.txt\0b b.log\0\0"s,
       {"C:\\docs\\a.txt", "C:\\docs\\b b.log"}},
      {"the order given is kept",
       "C:\\d\0z.txt\0a.txt\0m.txt\0\0"s,
       {"C:\\d\\z.txt", "C:\\d\\a.txt", "C:\\d\\m.txt"}},
      {"a root keeps its one backslash", "C:\\\0a.txt\0b.txt\0\0"s, {"C:\\a.txt", "C:\\b.txt"}},
      {"a typed full path stays whole",
       "C:\\d\0a.txt\0D:\\other\\b.txt\0\\\\srv\\s\\c.txt\0\0"s,
       {"C:\\d\\a.txt", "D:\\other\\b.txt", "\\\\srv\\s\\c.txt"}},
      {"nothing past the end is read", "C:\\d\0a.txt\0\0stale.txt\0\0"s, {"C:\\d\\a.txt"}},
      {"an empty buffer chooses nothing", "\0\0"s, {}},
      {"a missing final NUL still ends the list", "C:\\d\0a.txt"s, {"C:\\d\\a.txt"}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitChosenFileNames(c.buffer), c.expected) << c.what;
}

TEST(FileNames, OneMessageNamesEveryFolderLeftOut) {
  EXPECT_EQ(FoldersNotOpenedMessage({}), "");
  EXPECT_EQ(FoldersNotOpenedMessage({"C:\\a"}),
            "Folder C:\\a was not opened.  Only files open in tabs.");
  EXPECT_EQ(FoldersNotOpenedMessage({"C:\\a", "D:\\b c"}),
            "Folders C:\\a and D:\\b c were not opened.  Only files open in tabs.");
  EXPECT_EQ(FoldersNotOpenedMessage({"C:\\a", "C:\\b", "C:\\c"}),
            "Folders C:\\a, C:\\b and C:\\c were not opened.  Only files open in tabs.");
}

} // namespace
} // namespace vd
