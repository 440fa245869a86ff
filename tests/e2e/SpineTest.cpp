// Whole-process scenarios: the single-instance rule, the hand-off of a file, the exit sequence
// and the settings file it writes.
#include "Robot.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vd::robot {
namespace {

using Strings = std::vector<std::string>;

class Spine : public FolderTest {
protected:
  // Starts the first instance and waits for its window.
  HWND StartFirst(Program& p) {
    HWND main = p.WaitForWindow("TfrmMain");
    EXPECT_NE(main, nullptr);
    return main;
  }
  // A second start, which must end by itself.
  long SecondStart(const std::string& args) {
    Program second(args);
    return second.WaitForExit();
  }
};

TEST_F(Spine, SecondStartWithAFileOpensItInANewActiveTabOfTheRunningInstance) {
  Program first;
  HWND main = StartFirst(first);
  ASSERT_NE(main, nullptr);
  const std::string path = File("handed over.txt", "from the second start\r\n");
  EXPECT_EQ(SecondStart("\"" + path + "\""), 0);
  // The tab appears before its text is loaded: wait for the text.
  ASSERT_TRUE(
      WaitUntil([&] { return EditorText(ActiveEditorOf(main)) == "from the second start\r\n"; }));
  EXPECT_EQ(TabCaptions(main), (Strings{"Untitled1", "handed over.txt"}));
  EXPECT_EQ(ActiveTab(main), 1);
  EXPECT_EQ(ReadFileText(SettingsPath()).find("File=C:"), std::string::npos)
      << "the hand-off slot is emptied once read";

  // The same path again, in other letters: refused by the running instance.
  std::string upper = path;
  for (char& c : upper)
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(SecondStart("\"" + upper + "\""), 0);
  HWND box = WaitForDialog(first.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "Open Error");
  EXPECT_EQ(MessageBoxText(box), "File " + upper + " is already open.");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  EXPECT_EQ(TabCaptions(main).size(), 2u);
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(Spine, SecondStartWithoutAFileIsAnIndependentInstance) {
  Program first;
  HWND main1 = StartFirst(first);
  ASSERT_NE(main1, nullptr);
  Program second;
  HWND main2 = second.WaitForWindow("TfrmMain");
  ASSERT_NE(main2, nullptr);
  EXPECT_NE(main1, main2);
  EXPECT_TRUE(second.Running());
  EXPECT_TRUE(ExitProgram(main2));
  EXPECT_EQ(second.WaitForExit(), 0);
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(ExitProgram(main1));
  EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(Spine, FirstStartAndExitWriteTheSectionsInOrderWithTheDefaults) {
  Program p;
  HWND main = StartFirst(p);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
  const std::string ini = ReadFileText(SettingsPath());
  const Strings sections{"[File To Open]", "[Colors]", "[Directories]", "[FileHistory]",
                         "[Window State]", "[Font]",   "[Options]"};
  size_t at = 0;
  for (const auto& s : sections) {
    const size_t found = ini.find(s);
    ASSERT_NE(found, std::string::npos) << s << " missing in\n" << ini;
    EXPECT_GT(found + 1, at) << s << " out of order in\n" << ini;
    at = found;
  }
  for (const char* line :
       {"Left=200", "Top=120", "Width=670", "Height=500", "IsMaximized=0", "Name=Courier New",
        "Size=10", "WordWrap=1", "Toolbar=1", "Background=-2147483643", "Font=0", "File10="})
    EXPECT_NE(ini.find(line), std::string::npos) << line << " missing in\n" << ini;
}

TEST_F(Spine, ExitWithThreeModifiedFilesAndCancelAtTheSecondSavesTheFirstAndWritesNothing) {
  const Strings names{"one.txt", "two.txt", "three.txt"};
  Strings paths;
  for (const auto& n : names)
    paths.push_back(File(n, "text of " + n));
  Program first("\"" + paths[0] + "\"");
  HWND main = StartFirst(first);
  ASSERT_NE(main, nullptr);
  for (size_t i = 1; i < paths.size(); ++i) {
    EXPECT_EQ(SecondStart("\"" + paths[i] + "\""), 0);
    ASSERT_TRUE(
        WaitUntil([&] { return EditorText(ActiveEditorOf(main)) == "text of " + names[i]; }));
  }
  ASSERT_EQ(TabCaptions(main), names);
  // Edit each tab: select it through the tab control as a click would, then type.
  for (int i = 0; i < 3; ++i) {
    SendMessageA(TabControlOf(main), TCM_SETCURFOCUS, static_cast<WPARAM>(i), 0);
    ASSERT_TRUE(WaitUntil([&] { return ActiveTab(main) == i; }));
    HWND editor = ActiveEditorOf(main);
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, EM_SETSEL, 0, 0);
    TypeText(editor, "X");
    ASSERT_TRUE(WaitUntil([&] { return EditorText(editor)[0] == 'X'; }));
  }
  RemoveSettings();
  ASSERT_TRUE(MenuCommand(main, {"&File", "E&xit"}));
  HWND box = WaitForDialog(first.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "File Has Changed");
  EXPECT_EQ(MessageBoxText(box),
            "File " + paths[0] + " has been modified.  Would you like to save changes?");
  PressButton(box, IDYES);
  HWND second = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    second = FindDialog(first.ProcessId());
    return second && second != box && MessageBoxText(second).find(paths[1]) != std::string::npos;
  }));
  PressButton(second, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(second); }));
  EXPECT_EQ(ReadFileText(paths[0]), "Xtext of one.txt");
  EXPECT_EQ(ReadFileText(paths[1]), "text of two.txt");
  EXPECT_EQ(ActiveTab(main), 1);
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES)
      << "no setting may be written";
  first.Kill();
}

TEST_F(Spine, StartWithAFileLeavesTheFirstNewAtUntitled1) {
  const std::string path = File("given.txt", "x");
  Program p("\"" + path + "\"");
  HWND main = StartFirst(p);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TabCaptions(main), Strings{"given.txt"});
  ASSERT_TRUE(MenuCommand(main, {"&File", "&New"}));
  ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main).size() == 2; }));
  EXPECT_EQ(TabCaptions(main), (Strings{"given.txt", "Untitled1"}));
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
}

} // namespace
} // namespace vd::robot
