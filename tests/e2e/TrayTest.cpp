// Hiding to the tray and MinLock in the real program: the close box, minimising, the tray's
// mouse messages and menu, the lock and a second start while locked.
#include "Robot.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vd::robot {
namespace {

constexpr int kMinLockLeft = 576; // btnMinLock's place on the toolbar

class Tray : public testing::Test {
protected:
  void SetUp() override { RemoveSettings(); }
  // Started and shown, with its tray window found.
  HWND Start(Program& p) {
    HWND main = p.WaitForWindow("TfrmMain");
    tray_ = TrayWindowOf(p);
    EXPECT_NE(tray_, nullptr);
    return main;
  }
  bool Hidden(const Program& p, HWND main) {
    return WaitUntil([&] { return IsWindow(main) && !HasVisibleWindow(p.ProcessId()); }, 10s);
  }
  bool Shown(HWND main) {
    return WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }, 10s);
  }
  HWND WaitForUnlock(const Program& p) { return p.WaitForWindow("TfrmUnlock", 10s); }
  // The unlock dialog's Unlock and Cancel buttons, left to right.
  HWND UnlockButton(HWND dlg, const char* caption) { return FindWindowExA(dlg, nullptr, "Button", caption); }
  HWND tray_ = nullptr;
};

TEST_F(Tray, TheCloseBoxAndMinimiseHideItAndTheTrayBringsItBack) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Hidden(p, main)) << "no window and no taskbar entry";
  EXPECT_TRUE(p.Running());
  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(main));

  PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(Hidden(p, main));
  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(main));
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr);
  EXPECT_TRUE(ExitProgram(main));
}

TEST_F(Tray, LockedItAsksForThePasswordAndOnceUnlockedItAsksNothing) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  HWND lock = ToolbarButtonAt(main, kMinLockLeft);
  ASSERT_NE(lock, nullptr);
  PostClick(lock);
  ASSERT_TRUE(Hidden(p, main));

  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  HWND dlg = WaitForUnlock(p);
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));
  // No password is set: a wrong entry is refused, the empty one lets the program in.
  SetWindowTextA(FindWindowExA(dlg, nullptr, "Edit", nullptr), "guess");
  PostClick(UnlockButton(dlg, "Unlock"));
  HWND box = WaitForDialog(p.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "Incorrect Password");
  EXPECT_EQ(MessageBoxText(box), "Sorry, the password is incorrect.");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return FindDialog(p.ProcessId()) == nullptr; }));
  SetWindowTextA(FindWindowExA(dlg, nullptr, "Edit", nullptr), "");
  PostClick(UnlockButton(dlg, "Unlock"));
  ASSERT_TRUE(Shown(main));
  EXPECT_FALSE(IsWindowVisible(dlg));

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Hidden(p, main));
  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(main));
  EXPECT_FALSE(IsWindowVisible(dlg));
  EXPECT_TRUE(ExitProgram(main));
}

TEST_F(Tray, ASecondStartWhileLockedShowsTheUnlockDialogAndTheFileIsThereAfterwards) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "vd-e2e-locked.txt";
  std::ofstream(path, std::ios::binary) << "opened while locked";
  PostClick(ToolbarButtonAt(main, kMinLockLeft));
  ASSERT_TRUE(Hidden(p, main));

  Program second("\"" + path + "\"");
  EXPECT_EQ(second.WaitForExit(), 0);
  HWND dlg = WaitForUnlock(p);
  ASSERT_NE(dlg, nullptr);
  EXPECT_FALSE(IsWindowVisible(main));
  PostClick(UnlockButton(dlg, "Unlock"));
  ASSERT_TRUE(Shown(main));
  EXPECT_EQ(TabCaptions(main), (std::vector<std::string>{"Untitled1", "vd-e2e-locked.txt"}));
  EXPECT_TRUE(ExitProgram(main));
  DeleteFileA(path.c_str());
}

TEST_F(Tray, TheTrayMenusExitEndsAHiddenProgramWithItsSaveQuestion) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  TypeText(ActiveEditorOf(main), "unsaved");
  PostClick(ToolbarButtonAt(main, kMinLockLeft));
  ASSERT_TRUE(Hidden(p, main));
  // A right-button release opens the tray menu; E is "&Exit".
  PostTrayMouse(tray_, WM_RBUTTONUP);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    PressKey('E');
    return (box = WaitForDialog(p.ProcessId(), 1s)) != nullptr;
  }));
  EXPECT_EQ(WindowText(box), "File Has Changed");
  PressButton(box, IDNO);
  EXPECT_EQ(p.WaitForExit(), 0);
}

} // namespace
} // namespace vd::robot
