#pragma once
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/MessageBoxes.h" // kIdOk

// What every dialog unit shares: a dialog window's design, a control's place on it, closing.
namespace vd::dialogs {

forms::FormDesign DialogDesign(const char* className, const char* caption, int clientWidth,
                               int clientHeight, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU);

// A control's place on a dialog, in designed pixels.
forms::ControlArgs ControlAt(HWND parent, int left, int top, int width, int height,
                             const char* text = "");

// Ends a modal showing with `result`, or hides a form shown without one.
void CloseDialog(forms::Form& form, int result = forms::kIdOk);

// A dialog left only through its own buttons: the close box and Alt+F4 do nothing.
class ButtonsOnlyForm : public forms::Form {
public:
  using Form::Form;

protected:
  void CloseRequested() override {}
};

} // namespace vd::dialogs
