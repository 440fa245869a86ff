#pragma once
#include "forms/Win.h"

#include <string>
#include <vector>

// What the notification area shows, read from the shell's side as a user would see it: Wine's
// tray keeps one tool tip per icon in the shell's process, and draws each icon in a window.
namespace vd::robot {

struct ShellTrayIcon {
  HWND window; // the shell's window that draws the icon
  std::string tip;
};

// Every icon the shell shows now, with its tip.
std::vector<ShellTrayIcon> ShellTrayIcons();
// The icon's pixels as they are on the screen; empty when the window is gone.
std::vector<COLORREF> IconPixels(HWND iconWindow);

} // namespace vd::robot
