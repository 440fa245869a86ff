// Edit commands on the active editor, and the states of Cut, Copy and Paste.
#include "app/Forms.h"
#include "app/Mainform2.h"

namespace vd::app {

namespace {
// While Find and Replace is open, its boxes own the clipboard commands.
bool ReplaceWindowVisible() {
  const auto& replace = AppForms().frmReplace;
  return replace && replace->Visible();
}

void SetClipboardStates(forms::RichEdit& editor, forms::MenuItem& cut, forms::MenuItem& copy,
                        forms::MenuItem& paste) {
  const bool selected = editor.SelLength() > 0;
  cut.SetEnabled(selected);
  copy.SetEnabled(selected);
  paste.SetEnabled(IsClipboardFormatAvailable(CF_TEXT) != FALSE);
}
} // namespace

void TfrmMain::editUndoClick() {
  ActiveEditor().Undo();
  ShowCaretPosition();
}

void TfrmMain::editCutClick() {
  if (!ReplaceWindowVisible()) ActiveEditor().Cut();
}

void TfrmMain::editCopyClick() {
  if (!ReplaceWindowVisible()) ActiveEditor().Copy();
}

void TfrmMain::editPasteClick() {
  if (!ReplaceWindowVisible()) ActiveEditor().Paste(); // plain text, in the editor's font
}

void TfrmMain::editSelectAllClick() { ActiveEditor().SelectAll(); }

void TfrmMain::editGotoClick() {
  auto& frmGoto = AppForms().frmGoto;
  if (!frmGoto) return;
  frmGoto->CentreOverMain();
  frmGoto->ShowModal();
}

void TfrmMain::editReplaceClick() {
  if (auto& frmReplace = AppForms().frmReplace) frmReplace->ShowOverMain();
}

void TfrmMain::editClick() { SetClipboardStates(ActiveEditor(), *editCut_, *editCopy_, *editPaste_); }

void TfrmMain::PopupMenuRightClickPopup() {
  SetClipboardStates(ActiveEditor(), *rightclickCut_, *rightclickCopy_, *rightclickPaste_);
}

} // namespace vd::app
