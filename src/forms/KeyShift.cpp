#include "forms/KeyShift.h"

namespace vd::forms {

unsigned KeyShift() {
  unsigned s = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    s |= kShiftShift;
  if (GetKeyState(VK_MENU) < 0)
    s |= kShiftAlt;
  if (GetKeyState(VK_CONTROL) < 0)
    s |= kShiftCtrl;
  if (GetKeyState(VK_LBUTTON) < 0)
    s |= kShiftLeft;
  if (GetKeyState(VK_RBUTTON) < 0)
    s |= kShiftRight;
  if (GetKeyState(VK_MBUTTON) < 0)
    s |= kShiftMiddle;
  return s;
}

unsigned MouseShift(UINT msg, WPARAM mk) {
  unsigned s = 0;
  if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
    s |= kShiftDouble;
  if (mk & MK_SHIFT)
    s |= kShiftShift;
  if (GetKeyState(VK_MENU) < 0)
    s |= kShiftAlt;
  if (mk & MK_CONTROL)
    s |= kShiftCtrl;
  if (mk & MK_LBUTTON)
    s |= kShiftLeft;
  if (mk & MK_RBUTTON)
    s |= kShiftRight;
  if (mk & MK_MBUTTON)
    s |= kShiftMiddle;
  return s;
}

MouseButton MouseButtonOf(UINT msg) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)
    return kMouseLeft;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK)
    return kMouseRight;
  return kMouseMiddle;
}

} // namespace vd::forms
