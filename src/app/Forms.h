#pragma once
#include "app/Mainform2.h"
#include "dialogs/Aboutform.h"
#include "dialogs/DialogShells.h"
#include "dialogs/Directoriesform.h"
#include "dialogs/Gotoform.h"
#include "dialogs/MinLockforms.h"
#include "dialogs/Readmeform.h"
#include "dialogs/Printform.h"
#include "dialogs/Replaceform.h"

#include <memory>
#include <optional>
#include <string>

namespace vd::app {

// The nine forms of a run, created at start in this order and kept until the end.
struct Forms {
  std::unique_ptr<TfrmMain> frmMain;
  std::unique_ptr<dialogs::TfrmAbout> frmAbout;
  std::unique_ptr<dialogs::TfrmGoto> frmGoto;
  std::unique_ptr<dialogs::TfrmPrint> frmPrint;
  std::unique_ptr<dialogs::TfrmReadMe> frmReadMe;
  std::unique_ptr<dialogs::TfrmReplace> frmReplace;
  std::unique_ptr<dialogs::TfrmUnlock> frmUnlock;
  std::unique_ptr<dialogs::TfrmMinLockPassword> frmMinLockPassword;
  std::unique_ptr<dialogs::TfrmDirectories> frmDirectories;

  // The main window first, then the dialogs it owns, which are then handed to it.
  void Create(const std::optional<std::string>& fileToOpen);
  // Destroys the dialogs before the main window they belong to.
  void Destroy();
  ~Forms() { Destroy(); }
};

} // namespace vd::app
