#include "forms/Cursors.h"

#include <algorithm>

namespace vd::forms {

namespace {
constexpr char kCursorProp[] = "VdCursor";

// The window of ours under the pointer, or one of its ancestors, if it is in the list.
bool PointerOver(const std::vector<HWND>& windows) {
  POINT p{};
  if (!GetCursorPos(&p))
    return false;
  for (HWND h = WindowFromPoint(p); h; h = GetParent(h))
    if (std::find(windows.begin(), windows.end(), h) != windows.end())
      return true;
  return false;
}

// Asks the window under the pointer to set its cursor again, as a mouse move would.
void RefreshPointer() {
  POINT p{};
  if (!GetCursorPos(&p))
    return;
  HWND h = WindowFromPoint(p);
  if (!h)
    return;
  const LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(hit, WM_MOUSEMOVE));
}
} // namespace

void SetWindowCursor(HWND hwnd, HCURSOR cursor) {
  if (cursor)
    SetPropA(hwnd, kCursorProp, cursor);
  else
    RemovePropA(hwnd, kCursorProp);
}

HCURSOR WindowCursor(HWND hwnd) { return static_cast<HCURSOR>(GetPropA(hwnd, kCursorProp)); }

bool ApplyWindowCursor(HWND hwnd, UINT msg, LPARAM lParam, LRESULT* result) {
  if (msg != WM_SETCURSOR || LOWORD(lParam) != HTCLIENT)
    return false;
  HCURSOR own = WindowCursor(hwnd);
  if (!own)
    return false;
  SetCursor(own);
  *result = TRUE;
  return true;
}

BusyCursor::BusyCursor(std::initializer_list<HWND> windows) {
  HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
  for (HWND h : windows)
    if (h) {
      windows_.push_back(h);
      SetWindowCursor(h, wait);
    }
  if (PointerOver(windows_))
    SetCursor(wait);
}

BusyCursor::~BusyCursor() {
  for (HWND h : windows_)
    if (IsWindow(h))
      SetWindowCursor(h, nullptr);
  RefreshPointer();
}

} // namespace vd::forms
