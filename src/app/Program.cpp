#include "app/Program.h"

#include "app/Forms.h"
#include "app/HandOff.h"
#include "core/CommandLine.h"
#include "core/SettingsKeys.h"
#include "forms/Application.h"
#include "forms/IniFile.h"
#include "forms/MessageBoxes.h"

namespace vd::app {

void Forms::Create(const std::optional<std::string>& fileToOpen) {
  frmMain = std::make_unique<TfrmMain>(fileToOpen);
  frmAbout = std::make_unique<dialogs::TfrmAbout>(frmMain.get());
  frmGoto = std::make_unique<dialogs::TfrmGoto>(
      frmMain.get(), [main = frmMain.get()] { return &main->ActiveEditor(); });
  frmPrint = std::make_unique<dialogs::TfrmPrint>(
      frmMain.get(), [main = frmMain.get()] { return &main->ActiveEditor(); });
  frmReadMe = std::make_unique<dialogs::TfrmReadMe>(frmMain.get());
  frmReplace = std::make_unique<dialogs::TfrmReplace>(
      frmMain.get(), [main = frmMain.get()] { return &main->ActiveEditor(); });
  frmUnlock = std::make_unique<dialogs::TfrmUnlock>(frmMain.get());
  frmMinLockPassword = std::make_unique<dialogs::TfrmMinLockPassword>(frmMain.get());
  frmDirectories = std::make_unique<dialogs::TfrmDirectories>(frmMain.get(), &frmMain->OpenDialog(),
                                                              &frmMain->SaveDialog());
  frmMain->SetDialogs({*frmAbout, *frmGoto, *frmPrint, *frmReadMe, *frmReplace, *frmUnlock,
                       *frmMinLockPassword, *frmDirectories});
}

void Forms::Destroy() {
  frmDirectories.reset();
  frmMinLockPassword.reset();
  frmUnlock.reset();
  frmReplace.reset();
  frmReadMe.reset();
  frmPrint.reset();
  frmGoto.reset();
  frmAbout.reset();
  frmMain.reset();
}

namespace {

// A refused write before the loop exists has no handler to catch it: show it and go on.
bool WriteHandOffSlot(forms::IniFile& settings, const std::string& value) {
  return forms::Guarded([&] { settings.WriteString(settings::kHandOffFile, value); });
}

} // namespace

int RunProgram(HINSTANCE instance, const std::string& commandLine) {
  forms::Application& app = forms::Application::Instance();
  app.Initialize(instance);
  app.SetTitle(TfrmMain::kCaption);
  const std::vector<std::string> args = SplitArguments(SkipProgramName(commandLine));
  std::optional<std::string> fileToOpen;
  if (!args.empty())
    fileToOpen = args[0];

  forms::IniFile settings(forms::SettingsFileName().Get());
  const HandOffBounds bounds;
  const FirstPlace place = ClaimFirstPlace(kMutexName, TfrmMain::kClassName, bounds);
  HANDLE mutex = place.mutex;
  if (mutex) {
    // Only the first instance empties the slot: a path in it now is left from an instance that
    // ended before taking it, while any other start may be handing its own over.
    WriteHandOffSlot(settings, "");
  } else {
    if (!place.running) {
      forms::ShowMessageBox("An error has occured in Vellumdesk.  Close all Vellumdesk windows and "
                            "then try opening your file again.",
                            "Error", forms::kMbIconError);
      return 0;
    }
    if (fileToOpen) {
      const HandOffResult result =
          HandOver(settings.FileName(), *fileToOpen, place.running, bounds);
      if (!result.delivered)
        forms::ShowMessageBox(result.message, "Error", forms::kMbIconError);
      return 0;
    }
    // Without a file this start becomes a further, independent instance holding no mutex.
  }

  Forms forms;
  bool created = forms::Guarded([&] {
    forms.Create(fileToOpen);
    forms.frmMain->ShowFirstTime();
  });
  if (created) {
    app.AddMessageFilter([&forms](MSG& msg) {
      TfrmMain* main = forms.frmMain.get();
      return main && (main->TranslateTabInput(msg) || main->TranslateShortcut(msg));
    });
    app.Run();
  }
  forms.Destroy();
  if (mutex) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return 0;
}

} // namespace vd::app
