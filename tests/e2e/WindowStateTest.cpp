// The main window's placement in the real program: a maximised start from the settings file and
// the ways the user restores it.
#include "Robot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vd::robot {
namespace {

// Where the caption's maximise/restore button is, found by asking the window itself.
bool RestoreButtonPoint(HWND main, POINT& at) {
  RECT r{};
  GetWindowRect(main, &r);
  for (int y = std::max(0L, r.top); y < r.top + 60; ++y)
    for (int x = r.right - 1; x > r.right - 200; --x)
      if (SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTMAXBUTTON) {
        at = {x - 3, y + 3}; // inside the button, off its edge
        return SendMessageA(main, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) == HTMAXBUTTON;
      }
  return false;
}

// Each route restores correctly under this Wine with unmanaged windows; the test holds that.
TEST(WindowState, RestoreAfterAMaximisedStartReturnsToTheDesignBounds) {
  const struct {
    const char* route;
    std::function<bool(HWND)> restore;
  } routes[] = {
      {"WM_SYSCOMMAND SC_RESTORE",
       [](HWND main) { return PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0) != FALSE; }},
      {"caption button",
       [](HWND main) {
         POINT at{};
         if (!RestoreButtonPoint(main, at))
           return false;
         ClickAt(at);
         return true;
       }},
      {"system menu",
       [](HWND main) {
         // What Alt+Space sends: the window menu opens at the caption.
         PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
         // The system menu's "&Restore".
         if (!WaitUntil(
                 [] {
                   return FindWindowA("#32768", nullptr) &&
                          IsWindowVisible(FindWindowA("#32768", nullptr));
                 },
                 5s))
           return false;
         // "&Restore" by its letter, as typed; posted again should the keyboard go elsewhere.
         PressKey('R');
         if (!WaitUntil(
                 [] {
                   return !FindWindowA("#32768", nullptr) ||
                          !IsWindowVisible(FindWindowA("#32768", nullptr));
                 },
                 2s))
           PostMessageA(FindWindowA("#32768", nullptr), WM_CHAR, 'r', 0);
         return true;
       }},
  };
  for (const auto& r : routes) {
    RemoveSettings();
    // What an exit while maximised leaves: the flag and the maximised rectangle.
    const std::string ini = SettingsPath();
    const char* const stored[][2] = {
        {"IsMaximized", "1"}, {"Left", "-4"}, {"Top", "-4"}, {"Width", "1288"}, {"Height", "1002"}};
    for (const auto& kv : stored)
      WritePrivateProfileStringA("Window State", kv[0], kv[1], ini.c_str());
    Program p;
    HWND main = p.WaitForWindow("TfrmMain");
    ASSERT_NE(main, nullptr) << r.route;
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(main) != FALSE; }, 10s))
        << r.route << ": starts maximised";
    ASSERT_TRUE(r.restore(main)) << r.route;
    RECT b{};
    EXPECT_TRUE(WaitUntil([&] { return !IsZoomed(main); }, 10s))
        << r.route << ": no longer maximised";
    EXPECT_TRUE(WaitUntil(
        [&] {
          GetWindowRect(main, &b);
          return b.left == 268 && b.top == 124 && b.right - b.left == 710 &&
                 b.bottom - b.top == 506;
        },
        10s))
        << r.route << ": " << b.left << "," << b.top << " " << b.right - b.left << "x"
        << b.bottom - b.top;
    EXPECT_TRUE(ExitProgram(main)) << r.route;
  }
  RemoveSettings();
}

} // namespace
} // namespace vd::robot
