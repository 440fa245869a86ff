#pragma once
#include "forms/Win.h"

namespace vd::forms {

// The shift state passed with key and mouse events: which modifier keys and buttons were down.
enum ShiftState : unsigned {
  kShiftShift = 1,
  kShiftAlt = 2,
  kShiftCtrl = 4,
  kShiftLeft = 8,
  kShiftRight = 16,
  kShiftMiddle = 32,
  kShiftDouble = 64,
};
enum MouseButton : int { kMouseLeft = 0, kMouseRight = 1, kMouseMiddle = 2 };

// The modifier keys and mouse buttons down as the message being handled was sent.
unsigned KeyShift();
// The same for a button-down or double-click message, from its MK_ flags (Alt from the key
// state: it has no flag), kShiftDouble added for a double click.
unsigned MouseShift(UINT msg, WPARAM mk);
// The button a button-down or double-click message is about.
MouseButton MouseButtonOf(UINT msg);

} // namespace vd::forms
