// Opening a large file, and a tool rewriting one: the status bar tells how far the stream has
// come, and Esc cancels it leaving everything as it was before it was asked for.
#include "Robot.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vd::robot {
namespace {

using Strings = std::vector<std::string>;

constexpr std::size_t kBigBytes = 5u << 20;

class LargeFile : public testing::Test {
protected:
  void SetUp() override {
    RemoveSettings();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vd-e2e-large";
    CreateDirectoryA(folder_.c_str(), nullptr);
    small_ = folder_ + "\\small.txt";
    std::ofstream(small_, std::ios::binary) << "a small file\r\n";
    big_ = folder_ + "\\big.txt";
    // Prose lines, numbered so no two are alike, to just over 5 MiB.
    std::string text;
    text.reserve(kBigBytes + 100);
    for (int i = 0; text.size() < kBigBytes; ++i)
      text += "Line " + std::to_string(i) +
              ": the quick brown fox jumps over the lazy dog, then rests.\r\n";
    std::ofstream(big_, std::ios::binary) << text;
    bigChars_ = static_cast<long>(text.size());
  }
  void TearDown() override {
    DeleteFileA(big_.c_str());
    DeleteFileA(small_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  // Starts the program with the small file and hands it the big one, as a second start does;
  // answers the first progress text seen in the status bar ("" when none appeared).
  std::string HandOverBigFile(Program& first, HWND main) {
    Program second("\"" + big_ + "\"");
    EXPECT_EQ(second.WaitForExit(), 0);
    std::string seen;
    WaitUntil(
        [&] {
          seen = StatusPanelText(main, 0);
          return seen.rfind("Opening big.txt: ", 0) == 0 || !first.Running();
        },
        60s);
    return seen.rfind("Opening big.txt: ", 0) == 0 ? seen : std::string();
  }
  static long Length(HWND editor) {
    return static_cast<long>(SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0));
  }

  std::string folder_, small_, big_;
  long bigChars_ = 0;
};

// "Opening big.txt: 40%": a whole number from 0 to 100 before the sign.
bool IsProgressText(const std::string& s) {
  const std::string head = "Opening big.txt: ";
  if (s.rfind(head, 0) != 0 || s.size() < head.size() + 2 || s.back() != '%')
    return false;
  const std::string digits = s.substr(head.size(), s.size() - head.size() - 1);
  if (digits.empty() || digits.size() > 3 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return false;
  return std::stoi(digits) <= 100;
}

TEST_F(LargeFile, AFiveMiBFileShowsItsProgressInTheStatusBarAndOpensWhole) {
  Program first("\"" + small_ + "\"");
  HWND main = first.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  const std::string progress = HandOverBigFile(first, main);
  EXPECT_TRUE(IsProgressText(progress)) << "status bar: \"" << progress << "\"";
  ASSERT_TRUE(WaitUntil(
      [&] {
        return TabCaptions(main) == Strings{"small.txt", "big.txt"} && ActiveTab(main) == 1;
      },
      300s));
  EXPECT_EQ(Length(ActiveEditorOf(main)), bigChars_);
  EXPECT_EQ(StatusPanelText(main, 0).find("Opening"), std::string::npos)
      << "the progress text stays after the load";
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(first.WaitForExit(), 0);
  EXPECT_NE(ReadFileText(SettingsPath()).find("big.txt"), std::string::npos)
      << "the open is in the history";
}

TEST_F(LargeFile, EscDuringTheLoadRemovesTheNewTabAndLeavesTabsHistoryAndSettingsAsTheyWere) {
  // What the settings are after a session with the small file alone.
  {
    Program p("\"" + small_ + "\"");
    HWND main = p.WaitForWindow("TfrmMain");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ExitProgram(main));
    ASSERT_EQ(p.WaitForExit(), 0);
  }
  const std::string before = ReadFileText(SettingsPath());
  ASSERT_NE(before.find("small.txt"), std::string::npos);

  Program first("\"" + small_ + "\"");
  HWND main = first.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  const std::string progress = HandOverBigFile(first, main);
  ASSERT_TRUE(IsProgressText(progress)) << "status bar: \"" << progress << "\"";
  EXPECT_EQ(TabCaptions(main), (Strings{"small.txt", "big.txt"}))
      << "the new tab is there while it loads";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main) == Strings{"small.txt"}; }, 60s))
      << "the cancelled file's tab is still there";
  EXPECT_EQ(ActiveTab(main), 0);
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "a small file\r\n");
  EXPECT_EQ(StatusPanelText(main, 0).find("Opening"), std::string::npos);
  // The window still answers: the Reopen list is rebuilt from the history and the exit runs.
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(first.WaitForExit(), 0);
  const std::string after = ReadFileText(SettingsPath());
  EXPECT_EQ(after.find("big.txt"), std::string::npos) << "the cancelled open went into the history";
  EXPECT_EQ(after, before);
}

TEST_F(LargeFile, ASortOfAFiveMiBFileShowsItsProgressAndEscLeavesTheTextAsItWas) {
  Program p("\"" + big_ + "\"");
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        editor = ActiveEditorOf(main);
        return editor && Length(editor) == bigChars_;
      },
      300s));
  const std::string before = EditorText(editor);
  const auto modified = [&] { return SendMessageA(ActiveEditorOf(main), EM_GETMODIFY, 0, 0) != 0; };
  const auto sorting = [&] { return StatusPanelText(main, 0).rfind("Sorting big.txt: ", 0) == 0; };

  ASSERT_TRUE(MenuCommand(main, {"&Tools", "&Sort Alphabetically"}));
  ASSERT_TRUE(WaitUntil(sorting, 300s)) << "status bar: \"" << StatusPanelText(main, 0) << "\"";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !sorting(); }, 60s));
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), before) << "the cancelled sort changed the text";
  EXPECT_FALSE(modified());
  EXPECT_EQ(TabCaptions(main), Strings{"big.txt"});

  // Left to run, the same sort ends with the text sorted and the editor marked modified.
  ASSERT_TRUE(MenuCommand(main, {"&Tools", "&Sort Alphabetically"}));
  ASSERT_TRUE(WaitUntil(modified, 300s));
  EXPECT_EQ(EditorText(ActiveEditorOf(main)).substr(0, 21), "Line 0: the quick bro");
  const std::string sorted = EditorText(ActiveEditorOf(main));
  const std::size_t second = sorted.find("\r\n") + 2;
  EXPECT_EQ(sorted.substr(second, 8), "Line 1: ");
  EXPECT_EQ(sorted.substr(sorted.find("\r\n", second) + 2, 9), "Line 10: ");
  EXPECT_FALSE(sorting()) << "the progress text stays after the sort";
  p.Kill();
}

} // namespace
} // namespace vd::robot
