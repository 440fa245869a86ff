#pragma once
#include "forms/DialogControls.h"
#include "forms/Form.h"

#include <memory>

namespace vd::dialogs {

// The OK button of the information windows: the default button, with the check-mark glyph,
// answering Enter through the dialog keys; it closes its window.
std::unique_ptr<forms::Button> MakeOkButton(forms::Form& form, int left, int top);

// An information window: its OK button takes the focus whenever the window is shown or
// becomes active again with nothing else in it focused.
class InfoForm : public forms::Form {
public:
  InfoForm(forms::Component* owner, forms::FormDesign design) : Form(owner, std::move(design)) {}
  forms::Button& btnOK() { return *btnOK_; }

protected:
  void FormShow() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  std::unique_ptr<forms::Button> btnOK_;

private:
  HWND lastFocus_ = nullptr;
};

} // namespace vd::dialogs
