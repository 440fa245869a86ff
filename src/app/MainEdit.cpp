// Edit commands on the active editor, and the states of Cut, Copy and Paste.
#include "app/Mainform2.h"

#include "dialogs/Replaceform.h"

namespace vd::app {

namespace {
void SetClipboardStates(forms::RichEdit& editor, forms::MenuItem& cut, forms::MenuItem& copy,
                        forms::MenuItem& paste) {
  const bool selected = editor.SelLength() > 0;
  cut.SetEnabled(selected);
  copy.SetEnabled(selected);
  paste.SetEnabled(IsClipboardFormatAvailable(CF_TEXT) != FALSE);
}
} // namespace

// While Find and Replace is open, its boxes own the clipboard commands.
bool TfrmMain::ReplaceWindowVisible() { return Dialogs().replace.Visible(); }

void TfrmMain::editUndoClick() {
  ActiveEditor().Undo();
  ShowCaretPosition();
}

void TfrmMain::editCutClick() {
  if (!ReplaceWindowVisible())
    ActiveEditor().Cut();
}

void TfrmMain::editCopyClick() {
  if (!ReplaceWindowVisible())
    ActiveEditor().Copy();
}

void TfrmMain::editPasteClick() {
  if (!ReplaceWindowVisible())
    ActiveEditor().Paste(); // plain text, in the editor's font
}

void TfrmMain::editSelectAllClick() { ActiveEditor().SelectAll(); }

void TfrmMain::editClick() {
  SetClipboardStates(ActiveEditor(), editCut(), editCopy(), editPaste());
}

void TfrmMain::PopupMenuRightClickPopup() {
  SetClipboardStates(ActiveEditor(), rightclickCut(), rightclickCopy(), rightclickPaste());
}

} // namespace vd::app
