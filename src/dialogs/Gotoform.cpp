#include "dialogs/Gotoform.h"

#include "core/IniValues.h"
#include "dialogs/DialogShells.h"
#include "forms/Errors.h"
#include "forms/MessageBoxes.h"

namespace vd::dialogs {

TfrmGoto::TfrmGoto(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor)
    : Form(owner, DialogDesign("TfrmGoto", "Go To Line", 257, 100)),
      activeEditor_(std::move(activeEditor)) {
  label1_ = std::make_unique<forms::Label>(
      this, ControlAt(Handle(), 8, 16, 120, 16, "Enter Line Number:"));
  forms::Edit::Options digits;
  digits.maxLength = 5;
  digits.digitsOnly = true;
  editLine_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 136, 16, 113, 21), digits);
  btnGo_ = std::make_unique<forms::Button>(this, ControlAt(Handle(), 40, 64, 75, 25, "Go To Line"),
                                           forms::Button::Options{true, 0});
  btnCancel_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 144, 64, 75, 25, "Cancel"));
  // Enter in the box presses the default button through the dialog keys.
  SetWindowLongPtrA(btnGo_->Handle(), GWLP_ID, IDOK);
  SendMessageA(Handle(), DM_SETDEFID, IDOK, 0);
  btnGo_->OnClick = [this] { btnGoClick(); };
  btnCancel_->OnClick = [this] { btnCancelClick(); };
}

void TfrmGoto::FormShow() { editLine_->SetFocus(); }

void TfrmGoto::btnGoClick() {
  forms::RichEdit* e = activeEditor_ ? activeEditor_() : nullptr;
  if (!e)
    return;
  const std::string text = editLine_->Text();
  const auto n = ParseIniInteger(text);
  if (!n || (text.size() > 2 && (text[1] == 'x' || text[1] == 'X')))
    throw forms::Error("'" + text + "' is not a valid integer value");
  const long k = e->LineIndex(*n - 1);
  // A line beyond the last leaves the caret where it was.
  if (k >= 0)
    e->SetSelection(k, k);
  editLine_->SetText("");
  e->SetFocus();
  e->ScrollCaret();
  CloseDialog(*this);
}

void TfrmGoto::btnCancelClick() { CloseDialog(*this, forms::kIdCancel); }

} // namespace vd::dialogs
