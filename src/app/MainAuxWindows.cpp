// The main window's ways to the auxiliary windows: default working directories, ReadMe and About.
#include "app/Forms.h"
#include "app/Mainform2.h"
#include "forms/Dpi.h"

namespace vd::app {

namespace {
template <class F> void ShowCentred(std::unique_ptr<F>& form) {
  if (!form) return;
  form->CentreOverMain();
  form->ShowModal();
}
} // namespace

void TfrmMain::optionsDefaultWorkingDirectoriesClick() { ShowCentred(AppForms().frmDirectories); }

void TfrmMain::helpReadMeClick() { ShowCentred(AppForms().frmReadMe); }

void TfrmMain::helpAboutClick() { ShowCentred(AppForms().frmAbout); }

void TfrmMain::btnHelpClick() {
  // At the button's right edge, near its top: the button's place in the toolbar taken as a
  // point of the main window's client area.
  const forms::Control* button = ToolbarControl("btnHelp");
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
