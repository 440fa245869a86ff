#include "core/FileHistory.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace vd {
namespace {

bool SameAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

using List = std::vector<std::string>;

TEST(FileHistory, AdditionMovesToTopTakesTheNewCaseAndKeepsTen) {
  FileHistory h(SameAscii);
  for (int i = 1; i <= 11; ++i)
    h.Add("C:\\f" + std::to_string(i) + ".txt");
  ASSERT_EQ(h.Size(), 10u);
  EXPECT_EQ(h.Entries().front(), "C:\\f11.txt");
  EXPECT_EQ(h.Entries().back(), "C:\\f2.txt") << "the oldest, f1, falls off";
  h.Add("c:\\F5.TXT");
  EXPECT_EQ(h.Size(), 10u);
  EXPECT_EQ(h.Entries().front(), "c:\\F5.TXT");
  EXPECT_EQ(std::count_if(h.Entries().begin(), h.Entries().end(),
                          [](const std::string& e) { return SameAscii(e, "C:\\f5.txt"); }),
            1);
}

TEST(FileHistory, LoadKeepsFileOrderSkipsEmptiesAndSavesTenKeys) {
  FileHistory h(SameAscii);
  h.Load({{"File1", ""},
          {"File2", "C:\\a=b.txt"},
          {"File11", "C:\\eleven.txt"},
          {"Other", "C:\\x.txt"}});
  EXPECT_EQ(h.Entries(), (List{"C:\\a=b.txt", "C:\\eleven.txt", "C:\\x.txt"}));
  const auto keys = h.KeysToSave();
  ASSERT_EQ(keys.size(), 10u);
  EXPECT_EQ(keys[0], (std::pair<std::string, std::string>{"File1", "C:\\a=b.txt"}));
  EXPECT_EQ(keys[2].second, "C:\\x.txt");
  EXPECT_EQ(keys[3], (std::pair<std::string, std::string>{"File4", ""}));
  EXPECT_EQ(keys[9].first, "File10");
}

TEST(FileHistory, LoadKeepsTheFirstTenFilledValuesAsTheyStand) {
  FileHistory h(SameAscii);
  std::vector<std::pair<std::string, std::string>> values{
      {"File1", "p1"}, {"Gap", ""}, {"File2", "P1"}};
  for (int i = 2; i <= 3000; ++i)
    values.push_back({"File" + std::to_string(i + 1), "p" + std::to_string(i)});
  h.Load(values); // a duplicate from the file is not merged; empties do not count
  ASSERT_EQ(h.Size(), 10u);
  EXPECT_EQ(h.Entries()[1], "P1");
  EXPECT_EQ(h.Entries()[9], "p9");
  h.Add("p1");
  ASSERT_EQ(h.Size(), 10u);
  // Only the first equal entry goes; the loaded duplicate stays below the new top.
  EXPECT_EQ(h.Entries()[0], "p1");
  EXPECT_EQ(h.Entries()[1], "P1");
  EXPECT_EQ(h.Entries()[9], "p9");
}

TEST(FileHistory, RemoveObsoleteExaminesEveryEntryIncludingNeighbours) {
  FileHistory h(SameAscii);
  h.Load({{"1", "a"}, {"2", "gone1"}, {"3", "b"}, {"4", "gone2"}, {"5", "gone3"}});
  const std::set<std::string> present{"a", "b"};
  h.RemoveObsolete([&](const std::string& p) { return present.count(p) > 0; });
  EXPECT_EQ(h.Entries(), (List{"a", "b"}));
}

TEST(FileHistory, FileNamePartFollowsTheLastBackslashOrColon) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\dir\\a.txt", "a.txt"}, {"C:a.txt", "a.txt"},
      {"a.txt", "a.txt"},          {"\\\\server\\share\\b c.log", "b c.log"},
      {"C:\\dir\\", ""},           {"C:/x/y.txt", "/x/y.txt"}};
  for (const auto& [path, name] : cases)
    EXPECT_EQ(FileNamePart(path), name) << path;
}

} // namespace
} // namespace vd
