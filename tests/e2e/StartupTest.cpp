#include "Robot.h"
#include "Version.h"

#include <gtest/gtest.h>

namespace vd::robot {
namespace {

TEST(Startup, MainWindowAppearsWithItsCaptionAndTheProgramEndsWithCodeZero) {
  RemoveSettings();
  Program program;
  HWND main = program.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr) << "no window of class TfrmMain appeared";
  EXPECT_EQ(WindowText(main), VD_PROGRAM_TITLE);
  EXPECT_TRUE(IsWindowVisible(main));
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(program.WaitForExit(), 0);
}

} // namespace
} // namespace vd::robot
