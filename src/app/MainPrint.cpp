// The Print command: the dialog stays open beside the main window; a second Print only brings
// it back to the centre and to the front, keeping what it shows.
#include "app/Forms.h"
#include "app/Mainform2.h"

namespace vd::app {

void TfrmMain::filePrintClick() {
  auto& frmPrint = AppForms().frmPrint;
  if (!frmPrint) return;
  frmPrint->CentreOverMain();
  frmPrint->Show(); // resets range and swatch only when it was hidden
}

void TfrmMain::btnPrintClick() { filePrintClick(); }

} // namespace vd::app
