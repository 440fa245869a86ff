// The main window's ways to its dialogs: Go To Line, Find and Replace, Print, the MinLock
// password, the default working directories, ReadMe and About, and the toolbar's help popup.
#include "app/Mainform2.h"

#include "dialogs/Aboutform.h"
#include "dialogs/Directoriesform.h"
#include "dialogs/Gotoform.h"
#include "dialogs/MinLockforms.h"
#include "dialogs/Printform.h"
#include "dialogs/Readmeform.h"
#include "dialogs/Replaceform.h"
#include "forms/Dpi.h"

namespace vd::app {

namespace {
void ShowCentred(forms::Form& form) {
  form.CentreOverMain();
  form.ShowModal();
}
} // namespace

void TfrmMain::editGotoClick() { ShowCentred(Dialogs().gotoLine); }

void TfrmMain::editReplaceClick() { Dialogs().replace.ShowOverMain(); }

void TfrmMain::filePrintClick() {
  // The dialog stays open beside the main window; a second Print only brings it back to the
  // centre and to the front, keeping what it shows.
  dialogs::TfrmPrint& print = Dialogs().print;
  print.CentreOverMain();
  print.Show(); // resets range and swatch only when it was hidden
}

void TfrmMain::optionsMinLockPasswordClick() { ShowCentred(Dialogs().minLockPassword); }

void TfrmMain::optionsDefaultWorkingDirectoriesClick() { ShowCentred(Dialogs().directories); }

void TfrmMain::helpReadMeClick() { ShowCentred(Dialogs().readMe); }

void TfrmMain::helpAboutClick() { ShowCentred(Dialogs().about); }

void TfrmMain::btnHelpClick() {
  // At the button's right edge, near its top: the button's place in the toolbar taken as a
  // point of the main window's client area.
  const forms::Control* button = ToolbarControl(RowOf(Command::HelpMenu).toolbar.name);
  RECT r{};
  GetWindowRect(button->Handle(), &r);
  POINT p{r.left, r.top};
  ScreenToClient(toolbar_->Handle(), &p);
  p.x += forms::Scale(25);
  p.y += forms::Scale(1);
  ClientToScreen(Handle(), &p);
  popupHelp_->Popup(p.x, p.y, Handle());
}

} // namespace vd::app
