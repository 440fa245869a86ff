// The .txt association as the desktop shell uses it, and the Help windows of the running
// program reached from the keyboard.
#include "Robot.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <fstream>

namespace vd::robot {
namespace {

using Strings = std::vector<std::string>;

std::string ClassesValue(const char* key) {
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueA(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return "<none>";
  return data;
}

TEST(Association, AfterOneStartTheShellOpensATxtFileAsANewTabOfTheRunningProgram) {
  RemoveSettings();
  // As on a machine where another program opens .txt files and ours never ran.
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "VellumdeskFile");
  ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, ".txt", nullptr, REG_SZ, "txtfile", 8),
            ERROR_SUCCESS);

  Program p;
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ClassesValue(".txt"), "VellumdeskFile");
  EXPECT_EQ(ClassesValue("VellumdeskFile\\shell\\open\\command"), ProgramPath() + " \"%1\"");

  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "opened by the shell.txt";
  std::ofstream(path, std::ios::binary) << "from the desktop\r\n";
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  ASSERT_GT(result, 32) << "the shell could not open the file";
  ASSERT_TRUE(
      WaitUntil([&] { return EditorText(ActiveEditorOf(main)) == "from the desktop\r\n"; }));
  EXPECT_EQ(TabCaptions(main), (Strings{"Untitled1", "opened by the shell.txt"}));
  EXPECT_EQ(ActiveTab(main), 1);
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
  DeleteFileA(path.c_str());
}

TEST(HelpWindows, F1ShowsTheReadMeAndEnterClosesIt) {
  RemoveSettings();
  Program p;
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);
  HWND readMe = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    PressKey(VK_F1);
    return WaitUntil(
        [&] {
          readMe = p.FindWindowOfClass("TfrmReadMe");
          return readMe && IsWindowVisible(readMe);
        },
        1s);
  }));
  EXPECT_EQ(WindowText(readMe), "Vellumdesk ReadMe");
  EXPECT_FALSE(IsWindowEnabled(main)) << "shown modally";
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(readMe); }));
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
}

} // namespace
} // namespace vd::robot
