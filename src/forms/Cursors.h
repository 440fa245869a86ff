#pragma once
#include "forms/Win.h"

#include <initializer_list>
#include <vector>

namespace vd::forms {

// A window's own mouse cursor over its client area, kept as a window property; nullptr gives
// the window back its class's cursor (the editor's I-beam, the arrow elsewhere).
void SetWindowCursor(HWND hwnd, HCURSOR cursor);
HCURSOR WindowCursor(HWND hwnd);
// Answers WM_SETCURSOR for a window that has a cursor of its own; every window procedure of the
// library asks this first.
bool ApplyWindowCursor(HWND hwnd, UINT msg, LPARAM lParam, LRESULT* result);

// The hourglass on the given windows while a long command runs, and their own cursors back
// however it ends. The pointer changes at once if it is over one of them, since a busy command
// lets no mouse message through.
class BusyCursor {
public:
  explicit BusyCursor(std::initializer_list<HWND> windows);
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  std::vector<HWND> windows_;
};

} // namespace vd::forms
