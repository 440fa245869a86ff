#pragma once
#include "forms/DialogControls.h"
#include "forms/Form.h"
#include "forms/RichEdit.h"

#include <functional>
#include <memory>

namespace vd::dialogs {

// Go To Line: moves the active editor's caret to the start of a line given by number.
class TfrmGoto : public forms::Form {
public:
  // activeEditor: how the dialog finds the editor afresh each time Go To Line is pressed.
  TfrmGoto(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor = {});

  forms::Edit& editLine() { return *editLine_; }
  forms::Button& btnGo() { return *btnGo_; }
  forms::Button& btnCancel() { return *btnCancel_; }
  void SetActiveEditor(std::function<forms::RichEdit*()> f) { activeEditor_ = std::move(f); }

  void btnGoClick();
  void btnCancelClick();

protected:
  void FormShow() override;

private:
  std::function<forms::RichEdit*()> activeEditor_;
  std::unique_ptr<forms::Label> label1_;
  std::unique_ptr<forms::Edit> editLine_;
  std::unique_ptr<forms::Button> btnGo_;
  std::unique_ptr<forms::Button> btnCancel_;
};

} // namespace vd::dialogs
