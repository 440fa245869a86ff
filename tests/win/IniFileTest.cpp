#include "forms/Errors.h"
#include "forms/IniFile.h"
#include "forms/Win.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace vd::test {
namespace {

using forms::IniFile;

// A settings file in the Windows directory, addressed by its bare name like the program's own,
// removed before and after each test.
class IniFileTest : public testing::Test {
protected:
  void SetUp() override {
    name_ = std::string("VdTest-") + testing::UnitTest::GetInstance()->current_test_info()->name() +
            ".ini";
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    path_ = std::string(dir) + "\\" + name_;
    Remove();
  }
  void TearDown() override { Remove(); }
  void Remove() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
  }
  void WriteRaw(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string ReadRaw() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string name_, path_;
};

TEST_F(IniFileTest, BareNameLivesInTheWindowsDirectoryAndMissingValuesGiveDefaults) {
  IniFile ini(name_);
  EXPECT_EQ(ini.ReadString(settings::kFontName), "Courier New");
  EXPECT_EQ(ini.ReadInteger(settings::kWindowLeft), 200);
  EXPECT_EQ(ini.ReadColour(settings::kColorsBackground), kColourWindowBackground);
  EXPECT_TRUE(ini.ReadBool(settings::kOptionsWordWrap));
  ini.WriteInteger(settings::kWindowLeft, -5);
  EXPECT_NE(ReadRaw().find("[Window State]"), std::string::npos) << "file not at " << path_;
  EXPECT_NE(ReadRaw().find("Left=-5"), std::string::npos);
  // A second object on the same name sees the write at once: nothing is cached.
  EXPECT_EQ(IniFile(name_).ReadInteger(settings::kWindowLeft), -5);
}

TEST_F(IniFileTest, ValuesAreDecodedAsTheFileSpellsThem) {
  WriteRaw("[Colors]\r\nBackground=-2147483643\r\nFont=255\r\n"
           "[Font]\r\nSize=0x10\r\nBold=2\r\nItalic=abc\r\nName=Lucida Console\r\n"
           "[Window State]\r\nWidth=abc\r\nIsMaximized=0X1\r\n");
  IniFile ini(name_);
  const Colour background = ini.ReadColour(settings::kColorsBackground);
  EXPECT_TRUE(IsSystemColour(background));
  EXPECT_EQ(SystemColourIndex(background), COLOR_WINDOW);
  EXPECT_EQ(ini.ReadColour(settings::kColorsFont), 0x0000FFu);
  EXPECT_EQ(ini.ReadInteger(settings::kFontSize), 16);
  EXPECT_EQ(ini.ReadInteger(settings::kFontBold), 2);
  EXPECT_EQ(ini.ReadInteger(settings::kFontItalic), 0);
  EXPECT_EQ(ini.ReadString(settings::kFontName), "Lucida Console");
  EXPECT_EQ(ini.ReadInteger(settings::kWindowWidth), 670);
  EXPECT_TRUE(ini.ReadBool(settings::kWindowIsMaximized));

  ini.WriteColour(settings::kColorsBackground, kColourWindowBackground);
  ini.WriteBool(settings::kWindowIsMaximized, true);
  EXPECT_NE(ReadRaw().find("Background=-2147483643"), std::string::npos);
  EXPECT_NE(ReadRaw().find("IsMaximized=1"), std::string::npos);
}

TEST_F(IniFileTest, SectionReadKeepsFileOrderAndValuesWithEqualsSigns) {
  WriteRaw("[FileHistory]\r\nFile2=C:\\b=c\\two.txt\r\nFile1=\r\nFile10=C:\\ten.txt\r\n"
           "File11=C:\\hand added.txt\r\n[Other]\r\nFile1=C:\\not history.txt\r\n");
  IniFile ini(name_);
  const auto values = ini.ReadSectionValues("FileHistory");
  const std::vector<std::pair<std::string, std::string>> expected{{"File2", "C:\\b=c\\two.txt"},
                                                                  {"File1", ""},
                                                                  {"File10", "C:\\ten.txt"},
                                                                  {"File11", "C:\\hand added.txt"}};
  EXPECT_EQ(values, expected);
  // Written back and read again, the path with "=" is unchanged.
  ini.WriteString("FileHistory", "File1", "C:\\x=y=z.txt");
  EXPECT_EQ(ini.ReadString("FileHistory", "File1", ""), "C:\\x=y=z.txt");
  EXPECT_TRUE(ini.ReadSectionValues("Missing").empty());
}

TEST_F(IniFileTest, SectionReadStopsAtTheLimitOfFilledValues) {
  WriteRaw("[FileHistory]\r\nFile1=\r\nFile2=a\r\nFile3=\r\nFile4=b\r\nFile5=c\r\n");
  IniFile ini(name_);
  const struct {
    size_t limit;
    std::vector<std::string> keys;
  } cases[] = {
      {0, {}},
      {1, {"File1", "File2"}},
      {2, {"File1", "File2", "File3", "File4"}},
      {10, {"File1", "File2", "File3", "File4", "File5"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : ini.ReadSectionValues("FileHistory", c.limit))
      keys.push_back(key);
    EXPECT_EQ(keys, c.keys) << "limit " << c.limit;
  }
}

TEST_F(IniFileTest, LongKeyListsAndLongValuesComeBackWhole) {
  IniFile ini(name_);
  std::string text = "[Many]\r\n";
  for (int i = 0; i < 600; ++i)
    text += "SomeLongishKeyName" + std::to_string(i) + "=v\r\n";
  WriteRaw(text);
  const auto values = ini.ReadSectionValues("Many");
  ASSERT_EQ(values.size(), 600u);
  EXPECT_EQ(values.back().first, "SomeLongishKeyName599");

  ini.WriteString("Long", "Value", std::string(3000, 'x'));
  EXPECT_EQ(ini.ReadString("Long", "Value", "").size(), 2047u);
}

TEST_F(IniFileTest, RefusedWriteRaisesTheMessageAndKeepsEarlierWrites) {
  IniFile ini(name_);
  ini.WriteString("Options", "First", "kept");
  // The tests run as root, for whom a read-only file is still writable; a file that another
  // program holds open without sharing is refused to everyone, so that is the refusal used here.
  HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string message;
  try {
    ini.WriteString("Options", "Second", "lost");
  } catch (const forms::Error& e) {
    message = e.what();
  }
  CloseHandle(held);
  EXPECT_EQ(message, "Unable to write to " + name_);
  EXPECT_EQ(ini.ReadString("Options", "First", ""), "kept");
  EXPECT_EQ(ini.ReadString("Options", "Second", "none"), "none");
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

using forms::SettingsLock;

// Whether another thread gets the lock on name within waitMs.
bool OtherThreadGets(const std::string& name, DWORD waitMs, std::string* message = nullptr) {
  bool got = false;
  std::thread([&] {
    try {
      SettingsLock lock(name, waitMs);
      got = true;
    } catch (const forms::Error& e) {
      if (message)
        *message = e.what();
    }
  }).join();
  return got;
}

TEST_F(IniFileTest, SettingsLockNestsOnOneThreadAndKeepsOthersOutUntilTheOutermostEnds) {
  std::string message;
  {
    SettingsLock outer(name_);
    {
      SettingsLock inner(name_, 0); // the holder takes it again without waiting
      IniFile(name_).WriteString("Options", "Nested", "1"); // and so does its own write
    }
    EXPECT_FALSE(OtherThreadGets(name_, 200, &message)) << "the inner hold's end released the file";
    EXPECT_EQ(message, "Unable to write to " + name_);
  }
  EXPECT_TRUE(OtherThreadGets(name_, 200));
  EXPECT_EQ(IniFile(name_).ReadString("Options", "Nested", ""), "1");
}

TEST_F(IniFileTest, EachFileHasItsOwnLockWhateverItsSpelling) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  std::string upper = path_;
  for (char& c : upper)
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  SettingsLock held(name_);
  struct Case {
    std::string name;
    bool shared;
  };
  for (const Case& c : std::vector<Case>{{path_, true},
                                         {upper, true},
                                         {std::string(dir) + "\\.\\" + name_, true},
                                         {"Other-" + name_, false},
                                         {std::string(dir) + "\\sub\\" + name_, false}})
    EXPECT_EQ(OtherThreadGets(c.name, 100), !c.shared) << c.name;
}

TEST_F(IniFileTest, TheOutermostHoldReadsTheFileAsItIsOnDisk) {
  IniFile ini(name_);
  ini.WriteString("Options", "Value", "before");
  EXPECT_EQ(ini.ReadString("Options", "Value", ""), "before");
  // Another process rewrites the file within the same tick of its time stamp, so that a cached
  // copy of it looks current.
  FILETIME written{};
  HANDLE h = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  GetFileTime(h, nullptr, nullptr, &written);
  CloseHandle(h);
  WriteRaw("[Options]\r\nValue=after!\r\nOther=theirs\r\n");
  h = CreateFileA(path_.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SetFileTime(h, nullptr, nullptr, &written);
  CloseHandle(h);

  SettingsLock hold(name_);
  EXPECT_EQ(ini.ReadString("Options", "Value", ""), "after!");
  ini.WriteString("Options", "Mine", "1");
  const std::string text = ReadRaw();
  EXPECT_NE(text.find("Other=theirs"), std::string::npos) << "a write dropped another's key:\n"
                                                          << text;
  EXPECT_NE(text.find("Mine=1"), std::string::npos) << text;
}

} // namespace
} // namespace vd::test
