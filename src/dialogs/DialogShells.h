#pragma once
#include "forms/Control.h"
#include "forms/Form.h"

// The dialogs that do not have their own unit yet: each is created at start with its class,
// caption and client area, and is given its controls and handlers in its own unit.
namespace vd::dialogs {

forms::FormDesign DialogDesign(const char* className, const char* caption, int clientWidth,
                               int clientHeight, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU);

// A control's place on a dialog, in designed pixels.
forms::ControlArgs ControlAt(HWND parent, int left, int top, int width, int height,
                             const char* text = "");

// Ends a modal showing with OK, or hides a form shown without one.
void CloseDialog(forms::Form& form);

#define VD_DIALOG_SHELL(Name, Caption, W, H)                                                       \
  class Name : public forms::Form {                                                                \
  public:                                                                                          \
    explicit Name(forms::Component* owner) : Form(owner, DialogDesign(#Name, Caption, W, H)) {}   \
  };

VD_DIALOG_SHELL(TfrmReplace, "Find and Replace", 380, 169)

#undef VD_DIALOG_SHELL

} // namespace vd::dialogs
