// Hiding to the tray and MinLock in the real program: the close box, minimising, the tray's
// mouse messages and menu, the lock and a second start while locked.
#include "Robot.h"
#include "Version.h"
#include "ShellTray.h"

#include <gtest/gtest.h>

#include "core/MinLock.h"

#include <algorithm>
#include <fstream>
#include <future>

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
  HWND UnlockButton(HWND dlg, const char* caption) {
    return FindWindowExA(dlg, nullptr, "Button", caption);
  }
  // Locks through the toolbar button; a click that comes before the window takes input is
  // lost, so it is clicked again while the window still shows.
  bool Lock(const Program& p, HWND main) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      PostClick(ToolbarButtonAt(main, kMinLockLeft));
      if (Hidden(p, main))
        return true;
    }
    return false;
  }
  // The tray menu's "&Exit" (a right-button release opens the menu, E chooses the item), until
  // a window of the given class or a message box shows.
  HWND TrayExit(const Program& p, const char* className) {
    HWND shown = nullptr;
    WaitUntil([&] {
      PostTrayMouse(tray_, WM_RBUTTONUP);
      PressKey('E');
      return (shown = className ? p.WaitForWindow(className, 1s)
                                : WaitForDialog(p.ProcessId(), 1s)) != nullptr &&
             IsWindowVisible(shown);
    });
    return shown;
  }
  // WM_QUERYENDSESSION as the system sends it at a logoff, from a thread of its own so that the
  // robot can answer the questions it raises.
  static std::future<LRESULT> QueryEndSession(HWND main) {
    return std::async(std::launch::async, [main] {
      DWORD_PTR answer = 99;
      if (!SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000,
                               &answer))
        return LRESULT{-1};
      return static_cast<LRESULT>(answer);
    });
  }
  HWND tray_ = nullptr;
};

// The icons the shell shows now that were not there before.
std::vector<ShellTrayIcon> NewIcons(const std::vector<ShellTrayIcon>& before) {
  std::vector<ShellTrayIcon> added;
  for (const ShellTrayIcon& icon : ShellTrayIcons())
    if (std::none_of(before.begin(), before.end(),
                     [&](const ShellTrayIcon& b) { return b.window == icon.window; }))
      added.push_back(icon);
  return added;
}

TEST_F(Tray, TheShellShowsTheStartTipThenTheCaptionAndThePadlockOnlyWhileLocked) {
  const std::vector<ShellTrayIcon> before = ShellTrayIcons();
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  std::vector<ShellTrayIcon> ours;
  ASSERT_TRUE(WaitUntil([&] { return (ours = NewIcons(before)).size() == 1; }, 10s))
      << "the program's icon is in the notification area from the start";
  const HWND icon = ours[0].window;
  EXPECT_EQ(ours[0].tip, "Vellumdesk v1.0");
  auto tip = [&] {
    for (const ShellTrayIcon& i : ShellTrayIcons())
      if (i.window == icon)
        return i.tip;
    return std::string("(gone)");
  };

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Hidden(p, main));
  EXPECT_TRUE(WaitUntil([&] { return tip() == VD_PROGRAM_TITLE; }, 10s)) << tip();
  const std::vector<COLORREF> programIcon = IconPixels(icon);
  ASSERT_FALSE(programIcon.empty());
  // Wine's tray paints a new image over the old one without erasing, so the edges of a
  // translucent icon differ a little after a change: compare by how many pixels differ.
  auto distance = [&](const std::vector<COLORREF>& a) {
    const std::vector<COLORREF> now = IconPixels(icon);
    if (now.size() != a.size())
      return a.size();
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
      n += a[i] != now[i];
    return n;
  };

  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(main));
  PostClick(ToolbarButtonAt(main, kMinLockLeft));
  ASSERT_TRUE(Hidden(p, main));
  EXPECT_TRUE(WaitUntil([&] { return distance(programIcon) > programIcon.size() / 5; }, 10s))
      << "the padlock shows";
  const std::vector<COLORREF> padlock = IconPixels(icon);

  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  HWND dlg = WaitForUnlock(p);
  ASSERT_NE(dlg, nullptr);
  PostClick(UnlockButton(dlg, "Unlock"));
  ASSERT_TRUE(Shown(main));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Hidden(p, main));
  EXPECT_TRUE(WaitUntil([&] { return distance(programIcon) * 2 < distance(padlock); }, 10s))
      << "unlocked, a plain hiding shows the program icon: pixels differing from it "
      << distance(programIcon) << ", from the padlock " << distance(padlock);
  EXPECT_EQ(tip(), VD_PROGRAM_TITLE);
  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(main));
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_TRUE(WaitUntil([&] { return NewIcons(before).empty(); }, 10s))
      << "the icon goes with the program";
}

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
  // The main window shows from inside the dialog's handler, before its modal loop hides it.
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dlg); }, 10s));

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

TEST_F(Tray, TheTrayMenusExitWhileLockedAsksForThePasswordBeforeTheSaveQuestion) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  TypeText(ActiveEditorOf(main), "unsaved");
  ASSERT_TRUE(Lock(p, main));

  HWND dlg = TrayExit(p, "TfrmUnlock");
  ASSERT_NE(dlg, nullptr) << "the password is asked first";
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr) << "no save question behind it";
  PostClick(UnlockButton(dlg, "Cancel"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dlg); }, 10s));
  EXPECT_TRUE(p.Running());
  EXPECT_FALSE(HasVisibleWindow(p.ProcessId())) << "still hidden and locked";
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr);

  // No password is set: the empty entry unlocks, then the save question comes.
  ASSERT_EQ(TrayExit(p, "TfrmUnlock"), dlg);
  PostClick(UnlockButton(dlg, "Unlock"));
  HWND box = WaitForDialog(p.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "File Has Changed");
  PressButton(box, IDNO);
  EXPECT_EQ(p.WaitForExit(), 0);
}

TEST_F(Tray, TheLongestStorablePasswordCanBeTypedIntoTheUnlockBox) {
  const std::string password = "abcdefghijklmnopqrstuvwxyz";
  ASSERT_EQ(password.size(), minlock::kMinLockKey.size());
  std::string stored = password;
  for (std::size_t i = 0; i < stored.size(); ++i)
    stored[i] = static_cast<char>(static_cast<unsigned char>(password[i]) +
                                  static_cast<unsigned char>(minlock::kMinLockKey[i]));
  ASSERT_TRUE(WritePrivateProfileStringA("Options", "MinLock Password", stored.c_str(),
                                         SettingsPath().c_str()));
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Lock(p, main));
  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  HWND dlg = WaitForUnlock(p);
  ASSERT_NE(dlg, nullptr);
  HWND edit = FindWindowExA(dlg, nullptr, "Edit", nullptr);
  // A password box does not tell another process its text: the keys and the click are posted
  // in order, and the password the box ends up with either unlocks or is refused.
  TypeText(edit, password + "!");
  PostClick(UnlockButton(dlg, "Unlock"));
  ASSERT_TRUE(Shown(main)) << "the 26-character password unlocks; the last key is not taken";
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr) << MessageBoxText(FindDialog(p.ProcessId()));
  EXPECT_TRUE(ExitProgram(main));
}

TEST_F(Tray, TheSessionEndsOnlyAfterYesOrNoAndNeverWhileLocked) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  HWND editor = ActiveEditorOf(main);
  TypeText(editor, "kept");
  ASSERT_TRUE(WaitUntil([&] { return EditorText(editor) == "kept"; }));

  auto cancelled = QueryEndSession(main);
  HWND box = WaitForDialog(p.ProcessId());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), "File Has Changed");
  PressButton(box, IDCANCEL);
  EXPECT_EQ(cancelled.get(), 0) << "Cancel keeps the session";
  EXPECT_TRUE(p.Running());
  EXPECT_EQ(EditorText(editor), "kept");

  // Locked: keys sent to the hidden editor do nothing; the session end asks nothing, shows
  // nothing, and the session waits.
  ASSERT_TRUE(Lock(p, main));
  TypeText(editor, " typed while locked");
  EXPECT_EQ(QueryEndSession(main).get(), 0);
  EXPECT_FALSE(HasVisibleWindow(p.ProcessId()));
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr);
  EXPECT_TRUE(p.Running());
  EXPECT_EQ(EditorText(editor), "kept");

  PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
  HWND dlg = WaitForUnlock(p);
  ASSERT_NE(dlg, nullptr);
  PostClick(UnlockButton(dlg, "Unlock"));
  ASSERT_TRUE(Shown(main));
  EXPECT_EQ(EditorText(editor), "kept");
  auto answered = QueryEndSession(main);
  box = WaitForDialog(p.ProcessId());
  ASSERT_NE(box, nullptr);
  PressButton(box, IDNO);
  EXPECT_EQ(answered.get(), 1) << "No lets the session end";
  EXPECT_EQ(p.WaitForExit(), 0);
}

TEST_F(Tray, FindAndReplaceComesBackFromTheTrayAfterAMinimiseAsAfterAClose) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  HWND replace = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        PressChord({VK_CONTROL, 'F'});
        return (replace = p.WaitForWindow("TfrmReplace", 2s)) != nullptr &&
               IsWindowVisible(replace);
      },
      20s));
  const struct {
    const char* how;
    std::function<void()> hide;
  } ways[] = {
      {"close box", [&] { PostMessageA(main, WM_CLOSE, 0, 0); }},
      {"minimise (caption button, system menu)",
       [&] { PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
      {"minimise from outside", [&] { ShowWindowAsync(main, SW_MINIMIZE); }},
  };
  for (const auto& w : ways) {
    w.hide();
    ASSERT_TRUE(Hidden(p, main)) << w.how;
    EXPECT_FALSE(IsWindowVisible(replace)) << w.how;
    PostTrayMouse(tray_, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(Shown(main)) << w.how;
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(replace) != FALSE; }, 10s)) << w.how;
  }
  EXPECT_TRUE(ExitProgram(main));
}

} // namespace
} // namespace vd::robot
