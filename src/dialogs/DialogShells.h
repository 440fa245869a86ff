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

#define VD_DIALOG_SHELL(Name, Caption, W, H)                                                       \
  class Name : public forms::Form {                                                                \
  public:                                                                                          \
    explicit Name(forms::Component* owner) : Form(owner, DialogDesign(#Name, Caption, W, H)) {}   \
  };

VD_DIALOG_SHELL(TfrmAbout, "About Vellumdesk", 353, 401)
VD_DIALOG_SHELL(TfrmPrint, "Print", 339, 257)
VD_DIALOG_SHELL(TfrmReadMe, "Vellumdesk ReadMe", 569, 408)
VD_DIALOG_SHELL(TfrmDirectories, "Default Working Directories", 258, 188)

#undef VD_DIALOG_SHELL

} // namespace vd::dialogs
