#pragma once
#include "dialogs/DialogShells.h"
#include "forms/DialogControls.h"
#include "forms/Form.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vd::dialogs {

// Both MinLock dialogs are left only through their buttons: no border icons, and neither Enter
// nor Escape presses a button.

// Asks for the MinLock password before a locked program shows itself again.
class TfrmUnlock : public ButtonsOnlyForm {
public:
  explicit TfrmUnlock(forms::Component* owner);

  forms::Edit& editPassword() { return *editPassword_; }
  forms::Button& btnUnlock() { return *btnUnlock_; }
  forms::Button& btnCancel() { return *btnCancel_; }

  // Runs when the right password was entered, before the dialog closes: the main window
  // unlocks and shows itself.
  std::function<void()> OnUnlocked;

  void btnUnlockClick();
  void btnCancelClick();

protected:
  void FormShow() override;

private:
  // Read at every show; nullopt when the stored value cannot be a password at all.
  std::optional<std::string> expected_;
  std::unique_ptr<forms::Label> label1_;
  std::unique_ptr<forms::Edit> editPassword_;
  std::unique_ptr<forms::Button> btnUnlock_;
  std::unique_ptr<forms::Button> btnCancel_;
};

// Sets or changes the MinLock password; it can be changed but never removed.
class TfrmMinLockPassword : public ButtonsOnlyForm {
public:
  explicit TfrmMinLockPassword(forms::Component* owner);

  forms::Edit& editOld() { return *editOld_; }
  forms::Edit& editNew() { return *editNew_; }
  forms::Button& btnChange() { return *btnChange_; }
  forms::Button& btnCancel() { return *btnCancel_; }

  void btnChangeClick();
  void btnCancelClick();

protected:
  void FormShow() override;

private:
  // False when the password was refused with a message; nothing is stored then.
  bool Store(const std::string& password);
  std::optional<std::string> current_;
  std::unique_ptr<forms::Label> label1_;
  std::unique_ptr<forms::Label> label2_;
  std::unique_ptr<forms::Edit> editOld_;
  std::unique_ptr<forms::Edit> editNew_;
  std::unique_ptr<forms::Button> btnChange_;
  std::unique_ptr<forms::Button> btnCancel_;
};

} // namespace vd::dialogs
