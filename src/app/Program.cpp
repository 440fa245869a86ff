#include "app/Program.h"

#include "app/Mainform2.h"
#include "forms/Application.h"

#include <memory>

namespace vd::app {

int RunProgram(HINSTANCE instance, const char* /*commandLine*/) {
  forms::Application& app = forms::Application::Instance();
  app.Initialize(instance);
  app.SetTitle(TfrmMain::kCaption);
  std::unique_ptr<TfrmMain> frmMain;
  try {
    frmMain = std::make_unique<TfrmMain>();
    frmMain->Show();
  } catch (...) {
    // An error that escapes form creation is shown, and the program ends normally.
    app.ShowCurrentException();
    return 0;
  }
  app.Run();
  return 0;
}

} // namespace vd::app
