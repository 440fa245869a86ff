#pragma once
#include "dialogs/DialogShells.h"
#include "forms/DialogControls.h"
#include "forms/FileDialogs.h"
#include "forms/Form.h"

#include <memory>

namespace vd::dialogs {

// Default Working Directories: the directories typed for saving and opening, and whether the
// main window's Save and Open dialogs start in them. Left only through its two buttons.
class TfrmDirectories : public ButtonsOnlyForm {
public:
  // openDialog, saveDialog: the main window's dialogs that a ticked Change points at once.
  TfrmDirectories(forms::Component* owner, forms::FileDialog* openDialog = nullptr,
                  forms::FileDialog* saveDialog = nullptr);

  forms::CheckBox& chkboxUse() { return *chkboxUse_; }
  forms::Edit& editSaveDir() { return *editSaveDir_; }
  forms::Edit& editOpenDir() { return *editOpenDir_; }
  forms::Button& btnChange() { return *btnChange_; }
  forms::Button& btnCancel() { return *btnCancel_; }

  void btnChangeClick();
  void btnCancelClick();

protected:
  void FormShow() override;

private:
  forms::FileDialog* openDialog_;
  forms::FileDialog* saveDialog_;
  std::unique_ptr<forms::CheckBox> chkboxUse_;
  std::unique_ptr<forms::Label> label1_;
  std::unique_ptr<forms::Edit> editSaveDir_;
  std::unique_ptr<forms::Label> label2_;
  std::unique_ptr<forms::Edit> editOpenDir_;
  std::unique_ptr<forms::Button> btnChange_;
  std::unique_ptr<forms::Button> btnCancel_;
};

} // namespace vd::dialogs
