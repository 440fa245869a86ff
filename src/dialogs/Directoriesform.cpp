#include "dialogs/Directoriesform.h"

#include "core/SettingsKeys.h"
#include "dialogs/DialogShells.h"
#include "forms/IniFile.h"

namespace vd::dialogs {

namespace {
// This dialog reads the directories with an empty default, unlike the start-up's "C:\".
std::string ReadDirectory(const forms::IniFile& settings, const settings::Key& key) {
  return settings.ReadString(std::string(key.section), std::string(key.name), "");
}
} // namespace

TfrmDirectories::TfrmDirectories(forms::Component* owner, forms::FileDialog* openDialog,
                                 forms::FileDialog* saveDialog)
    : ButtonsOnlyForm(owner, DialogDesign("TfrmDirectories", "Default Working Directories", 258,
                                          188, WS_POPUP | WS_CAPTION)),
      openDialog_(openDialog), saveDialog_(saveDialog) {
  chkboxUse_ = std::make_unique<forms::CheckBox>(
      this, ControlAt(Handle(), 8, 12, 241, 17, "Use Default Directories"));
  label1_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 8, 40, 241, 16, "Save Directory:"));
  editSaveDir_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 8, 56, 241, 21));
  label2_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 8, 88, 241, 16, "Open Directory:"));
  editOpenDir_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 8, 104, 241, 21));
  btnChange_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 40, 148, 75, 25, "Change"));
  btnCancel_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 144, 148, 75, 25, "Cancel"));
  btnChange_->OnClick = [this] { btnChangeClick(); };
  btnCancel_->OnClick = [this] { btnCancelClick(); };
}

void TfrmDirectories::FormShow() {
  const forms::IniFile settings(forms::SettingsFileName().Get());
  // An empty stored value leaves the box as it was, so a cancelled entry shows again.
  if (const std::string save = ReadDirectory(settings, settings::kDirSaveDefault); !save.empty())
    editSaveDir_->SetText(save);
  if (const std::string open = ReadDirectory(settings, settings::kDirOpenDefault); !open.empty())
    editOpenDir_->SetText(open);
  chkboxUse_->SetChecked(settings.ReadInteger(settings::kDirUseDefault) != 0);
  chkboxUse_->SetFocus();
}

void TfrmDirectories::btnChangeClick() {
  // Stored and applied as typed: no check that a directory exists. A refused write raises and
  // ends the Change there, with the dialog still open.
  forms::IniFile settings(forms::SettingsFileName().Get());
  // The three keys go together; another instance exiting now writes before or after them.
  forms::SettingsLock hold(settings.FileName());
  const std::string save = editSaveDir_->Text();
  const std::string open = editOpenDir_->Text();
  settings.WriteString(settings::kDirSaveDefault, save);
  settings.WriteString(settings::kDirOpenDefault, open);
  if (chkboxUse_->Checked()) {
    settings.WriteInteger(settings::kDirUseDefault, 1);
    if (openDialog_)
      openDialog_->initialDir = open;
    if (saveDialog_)
      saveDialog_->initialDir = save;
  } else {
    settings.WriteInteger(settings::kDirUseDefault, 0);
  }
  CloseDialog(*this);
}

void TfrmDirectories::btnCancelClick() { CloseDialog(*this); }

} // namespace vd::dialogs
