#include "dialogs/MinLockforms.h"

#include "core/MinLock.h"
#include "core/SettingsKeys.h"
#include "dialogs/DialogShells.h"
#include "forms/IniFile.h"
#include "forms/MessageBoxes.h"

namespace vd::dialogs {

namespace {
constexpr DWORD kNoBorderIcons = WS_POPUP | WS_CAPTION;

std::optional<std::string> ReadStoredPassword() {
  const forms::IniFile settings(forms::SettingsFileName().Get());
  return minlock::StoredPassword(settings.ReadString(settings::kOptionsMinLockPassword));
}

forms::Edit::Options Password(int maxLength = 0) {
  forms::Edit::Options o;
  o.passwordChar = '*';
  o.maxLength = maxLength;
  return o;
}
} // namespace

TfrmUnlock::TfrmUnlock(forms::Component* owner)
    : ButtonsOnlyForm(owner,
                      DialogDesign("TfrmUnlock", "MinLock Password", 281, 116, kNoBorderIcons)) {
  label1_ = std::make_unique<forms::Label>(
      this, ControlAt(Handle(), 8, 12, 265, 16, "Please enter password to unlock Vellumdesk:"));
  // Room for the longest password the password dialog can store, so every one can be typed.
  editPassword_ =
      std::make_unique<forms::Edit>(this, ControlAt(Handle(), 8, 36, 265, 21),
                                    Password(static_cast<int>(minlock::kMinLockKey.size())));
  btnUnlock_ = std::make_unique<forms::Button>(this, ControlAt(Handle(), 56, 76, 75, 25, "Unlock"));
  btnCancel_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 150, 76, 75, 25, "Cancel"));
  btnUnlock_->OnClick = [this] { btnUnlockClick(); };
  btnCancel_->OnClick = [this] { btnCancelClick(); };
}

void TfrmUnlock::FormShow() {
  expected_ = ReadStoredPassword();
  editPassword_->SetFocus();
}

void TfrmUnlock::btnUnlockClick() {
  if (!expected_ || editPassword_->Text() != *expected_) {
    forms::ShowMessageBox("Sorry, the password is incorrect.", "Incorrect Password", forms::kMbOk);
    return;
  }
  editPassword_->SetText("");
  if (OnUnlocked)
    OnUnlocked();
  CloseDialog(*this);
}

void TfrmUnlock::btnCancelClick() {
  editPassword_->SetText("");
  CloseDialog(*this);
}

TfrmMinLockPassword::TfrmMinLockPassword(forms::Component* owner)
    : ButtonsOnlyForm(owner, DialogDesign("TfrmMinLockPassword", "MinLock Password", 258, 155,
                                          kNoBorderIcons)) {
  label1_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 8, 20, 80, 16, "Old Password:"));
  editOld_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 96, 16, 153, 21), Password());
  label2_ =
      std::make_unique<forms::Label>(this, ControlAt(Handle(), 8, 60, 80, 16, "New Password:"));
  editNew_ = std::make_unique<forms::Edit>(this, ControlAt(Handle(), 96, 56, 153, 21), Password());
  btnChange_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 40, 112, 75, 25, "Change"));
  btnCancel_ =
      std::make_unique<forms::Button>(this, ControlAt(Handle(), 144, 112, 75, 25, "Cancel"));
  btnChange_->OnClick = [this] { btnChangeClick(); };
  btnCancel_->OnClick = [this] { btnCancelClick(); };
}

void TfrmMinLockPassword::FormShow() {
  current_ = ReadStoredPassword();
  const bool none = current_ && current_->empty();
  editOld_->SetEnabled(!none);
  editOld_->SetColour(GetSysColor(none ? COLOR_MENU : COLOR_WINDOW));
  (none ? editNew_ : editOld_)->SetFocus();
}

void TfrmMinLockPassword::btnChangeClick() {
  const std::string oldText = editOld_->Text();
  const std::string newText = editNew_->Text();
  const bool oldDisabled = !editOld_->Enabled();
  if ((oldDisabled || (current_ && oldText == *current_)) && !newText.empty()) {
    if (!Store(newText))
      return;
    forms::ShowMessageBox("The password has been successfully changed.", "Success", forms::kMbOk);
    editOld_->SetText("");
    editNew_->SetText("");
    CloseDialog(*this);
  } else if (!oldDisabled && !(current_ && oldText == *current_)) {
    forms::ShowMessageBox("The old password is incorrect.  Please try again.", "Error",
                          forms::kMbOk);
  } else {
    forms::ShowMessageBox("You must type in a new password.", "Error", forms::kMbOk);
  }
}

bool TfrmMinLockPassword::Store(const std::string& password) {
  const std::string scrambled = minlock::Scramble(password); // "Range check error" past the key
  // A value that the settings file would give back changed would lock the user out for good.
  if (!minlock::SurvivesSettingsFile(scrambled)) {
    forms::ShowMessageBox("The new password contains a character that cannot be stored.  "
                          "Please choose another password.",
                          "Error", forms::kMbOk);
    return false;
  }
  forms::IniFile settings(forms::SettingsFileName().Get());
  settings.WriteString(settings::kOptionsMinLockPassword, scrambled); // throws when refused
  current_ = password;
  return true;
}

void TfrmMinLockPassword::btnCancelClick() {
  editOld_->SetText("");
  editNew_->SetText("");
  CloseDialog(*this);
}

} // namespace vd::dialogs
