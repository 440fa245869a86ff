// Editing in the real program: shortcuts from the keyboard, the Find and Replace window above the
// main window and its boxes' Ctrl+V, and the hints that reach the status bar.
#include "Robot.h"

#include <gtest/gtest.h>

namespace vd::robot {
namespace {

constexpr int kOpenLeft = 32, kMinLockLeft = 576, kNewLeft = 8; // toolbar places

class Editing : public testing::Test {
protected:
  void SetUp() override { RemoveSettings(); }
  HWND Start(Program& p) {
    HWND main = p.WaitForWindow("TfrmMain");
    EXPECT_NE(main, nullptr);
    if (main) {
      EXPECT_TRUE(BringToFront(main));
    }
    return main;
  }
  static bool BringToFront(HWND hwnd) {
    SetForegroundWindow(hwnd);
    return WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5s);
  }
  // Whether a stands above b among the top-level windows.
  static bool Above(HWND a, HWND b) {
    for (HWND h = GetWindow(a, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
      if (h == b)
        return true;
    return false;
  }
  static HWND Focused(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
  }
  // Points at a control, coming from the editor, until the status bar's panel 0 says `hint`: a
  // move the program has not yet begun to watch for may be lost.
  static bool HoverUntil(HWND main, HWND control, const std::string& hint) {
    for (int attempt = 0; attempt < 5; ++attempt) {
      PointAt(ActiveEditorOf(main));
      PointAt(control);
      if (WaitUntil([&] { return StatusPanelText(main, 0) == hint; }, 2s))
        return true;
    }
    return false;
  }
  HWND OpenFindAndReplace(const Program& p) {
    PressChord({VK_CONTROL, 'F'});
    return p.WaitForWindow("TfrmReplace", 10s);
  }
};

TEST_F(Editing, ShortcutsReachTheProgramAndFindAndReplaceStaysAboveTheMainWindow) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  HWND replace = OpenFindAndReplace(p);
  ASSERT_NE(replace, nullptr) << "Ctrl+F";
  ASSERT_TRUE(BringToFront(main));
  EXPECT_TRUE(Above(replace, main)) << "the active main window stays below it";

  // Ctrl+G from the main window; the modal dialog is not hidden behind Find and Replace.
  PressChord({VK_CONTROL, 'G'});
  HWND go = p.WaitForWindow("TfrmGoto", 10s);
  ASSERT_NE(go, nullptr) << "Ctrl+G";
  EXPECT_TRUE(Above(go, replace));
  PostClick(FindWindowExA(go, nullptr, "Button", "Cancel"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(go); }));
  EXPECT_TRUE(WaitUntil([&] {
    return (GetWindowLongA(replace, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  })) << "back on top once the dialog has gone";
  EXPECT_TRUE(IsWindowVisible(replace));

  // F2 hides and shows the toolbar, also while Find and Replace has the focus.
  ASSERT_TRUE(BringToFront(replace));
  PressKey(VK_F2);
  EXPECT_TRUE(WaitUntil([&] { return ToolbarButtonAt(main, kNewLeft) == nullptr; }, 10s)) << "F2";
  ASSERT_TRUE(BringToFront(main));
  PressKey(VK_F2);
  EXPECT_TRUE(WaitUntil([&] { return ToolbarButtonAt(main, kNewLeft) != nullptr; }, 10s));

  // Ctrl+D, the shortcut of a submenu header, inserts the short date.
  PressChord({VK_CONTROL, 'D'});
  EXPECT_TRUE(WaitUntil([&] { return !EditorText(ActiveEditorOf(main)).empty(); }, 10s))
      << "Ctrl+D";
  ASSERT_TRUE(MenuCommand(main, {"&File", "E&xit"}));
  HWND box = WaitForDialog(p.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "File Has Changed");
  PressButton(box, IDNO);
  EXPECT_EQ(p.WaitForExit(), 0);
}

TEST_F(Editing, CtrlVInTheFindBoxPastesIntoTheBoxOnceAndNeverIntoTheDocument) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  HWND replace = OpenFindAndReplace(p);
  ASSERT_NE(replace, nullptr);
  ASSERT_TRUE(SetClipboardText("needle"));
  HWND find = FindWindowExA(replace, nullptr, "Edit", nullptr);
  ASSERT_NE(find, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Focused(replace) == find; }, 5s))
      << "Ctrl+F leaves the focus in the box";
  ASSERT_TRUE(BringToFront(main));
  // A click that comes while the window is still settling may miss: click again until it takes.
  bool focused = false;
  for (int attempt = 0; attempt < 5 && !focused; ++attempt) {
    ClickOn(find);
    focused = WaitUntil([&] { return Focused(replace) == find; }, 2s);
  }
  ASSERT_TRUE(focused);

  PressChord({VK_CONTROL, 'V'});
  // A key typed after it arrives after whatever Ctrl+V did.
  PressKey('X');
  ASSERT_TRUE(WaitUntil([&] { return EditorText(find).find('x') != std::string::npos; }, 10s));
  EXPECT_EQ(EditorText(find), "needlex");
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "");
  EXPECT_TRUE(ExitProgram(main));
}

TEST_F(Editing, HintsGoToTheStatusBarAndTheMinLockButtonShowsNoToolTip) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  // The Open button, for comparison: its tool tip and its long hint.
  EXPECT_TRUE(
      HoverUntil(main, ToolbarButtonAt(main, kOpenLeft), "Open an existing file for editing"))
      << StatusPanelText(main, 0);
  EXPECT_TRUE(WaitUntil([&] { return ShowsToolTip(p.ProcessId()); }, 10s));

  EXPECT_TRUE(
      HoverUntil(main, ToolbarButtonAt(main, kMinLockLeft), "MinLock Vellumdesk for security"))
      << StatusPanelText(main, 0);
  EXPECT_TRUE(WaitUntil([&] { return !ShowsToolTip(p.ProcessId()); }, 10s));
  EXPECT_FALSE(WaitUntil([&] { return ShowsToolTip(p.ProcessId()); }, 3s)) << "no tool tip comes";

  // File > Open highlighted from the keyboard.
  ASSERT_TRUE(MenuCommand(main, {"&File"}));
  const char kOpenHint[] = "Open an existing file for editng";
  PressKey(VK_DOWN);
  bool shown = WaitUntil([&] { return StatusPanelText(main, 0) == kOpenHint; }, 5s);
  if (!shown && StatusPanelText(main, 0) == "Open a new file for typing") {
    PressKey(VK_DOWN); // the menu opened with nothing highlighted
    shown = WaitUntil([&] { return StatusPanelText(main, 0) == kOpenHint; }, 5s);
  }
  EXPECT_TRUE(shown) << StatusPanelText(main, 0);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(ExitProgram(main));
}

} // namespace
} // namespace vd::robot
