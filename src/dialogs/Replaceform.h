#pragma once
#include "core/FindReplace.h"
#include "forms/DialogControls.h"
#include "forms/Form.h"
#include "forms/RadioGroup.h"
#include "forms/RichEdit.h"

#include <functional>
#include <memory>

namespace vd::dialogs {

// A one-line box that reports its key releases, and where Ctrl+X, Ctrl+C and Ctrl+V are no
// editing keys: those belong to the main window's shortcuts, and a release of Ctrl+V pastes.
class ShortcutEdit : public forms::Edit {
public:
  ShortcutEdit(forms::Component* owner, const forms::ControlArgs& args) : Edit(owner, args) {}
  std::function<void(WPARAM key, unsigned shift)> OnKeyUp;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Find and Replace: non-modal and above the other windows; searches the active document's text
// forward from the top or the cursor and never wraps round its end.
class TfrmReplace : public forms::Form {
public:
  // activeEditor: how the window finds the active document's editor at each button press.
  TfrmReplace(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor = {});

  forms::Edit& Find() { return *find_; }
  forms::Edit& Replace() { return *replace_; }
  forms::CheckBox& checkMatchCase() { return *checkMatchCase_; }
  forms::CheckBox& checkWholeWord() { return *checkWholeWord_; }
  forms::RadioGroup& Origin() { return *origin_; }
  forms::Button& btnFind() { return *btnFind_; }
  forms::Button& btnFindNext() { return *btnFindNext_; }
  forms::Button& btnReplace() { return *btnReplace_; }
  forms::Button& btnReplaceAll() { return *btnReplaceAll_; }
  forms::Button& btnClose() { return *btnClose_; }
  void SetActiveEditor(std::function<forms::RichEdit*()> f) { activeEditor_ = std::move(f); }

  // Placed over the main window and shown without holding it, in front; a window already shown
  // is moved and brought to the front.
  void ShowOverMain();

  void btnFindClick();
  void btnFindNextClick();
  void btnReplaceClick();
  void btnReplaceAllClick();
  void btnCloseClick();
  void FindKeyUp(WPARAM key, unsigned shift);
  void ReplaceKeyUp(WPARAM key, unsigned shift);

protected:
  void FormShow() override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  forms::RichEdit* Editor() const;
  search::Origin OriginSetting() const;
  // The match at pos: the main window active, its editor focused, the match selected.
  void SelectMatch(forms::RichEdit& e, long pos);
  long Search(forms::RichEdit& e, long start) const;
  void SetFollowUps(bool enabled);

  std::function<forms::RichEdit*()> activeEditor_;
  HWND lastFocus_ = nullptr; // the control that had the focus when the window was last left
  std::unique_ptr<forms::Label> label1_;
  std::unique_ptr<ShortcutEdit> find_;
  std::unique_ptr<forms::Label> label2_;
  std::unique_ptr<ShortcutEdit> replace_;
  std::unique_ptr<forms::GroupBox> options_;
  std::unique_ptr<forms::CheckBox> checkMatchCase_;
  std::unique_ptr<forms::CheckBox> checkWholeWord_;
  std::unique_ptr<forms::RadioGroup> origin_;
  std::unique_ptr<forms::Button> btnFind_;
  std::unique_ptr<forms::Button> btnFindNext_;
  std::unique_ptr<forms::Button> btnReplace_;
  std::unique_ptr<forms::Button> btnReplaceAll_;
  std::unique_ptr<forms::Button> btnClose_;
};

} // namespace vd::dialogs
