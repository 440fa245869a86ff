// Hiding to the notification area and MinLock: the main window's tray icon and what brings the
// program back.
#include "app/Forms.h"
#include "app/Mainform2.h"
#include "forms/Application.h"
#include "resource.h"

namespace vd::app {

namespace {
TfrmMain::TrayShellFactory& ShellFactory() {
  static TfrmMain::TrayShellFactory factory;
  return factory;
}

HICON LoadProgramIcon(int id) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
  return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}
} // namespace

void TfrmMain::SetTrayShellFactory(TrayShellFactory factory) { ShellFactory() = std::move(factory); }

void TfrmMain::CreateTrayIcon() {
  trayImages_ = std::make_unique<forms::ImageList>(this, 32, 32);
  for (int id : {IDI_VELLUMDESK, IDI_PADLOCK}) {
    HICON icon = LoadProgramIcon(id);
    trayImages_->AddIcon(icon);
    DestroyIcon(icon);
  }
  trayIcon_ = std::make_unique<tray::TTrayIcon>(this, ShellFactory() ? ShellFactory()() : nullptr);
  trayIcon_->SetHintString("Vellumdesk v1.0");
  trayIcon_->SetIconSource(tray::TIconSource::srcImageList);
  trayIcon_->SetPopupMenu(popupTrayIcon_.get());
  trayIcon_->OnLeftBtnDblClick = [this](tray::TTrayIcon&) { TrayIconLeftBtnDblClick(); };
  // Visible from the start: the icon is added as soon as its images are attached.
  trayIcon_->SetVisible(true);
  trayIcon_->SetImageList(trayImages_.get());
}

void TfrmMain::HideToTray() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE); // its notification unlocks
  if (!trayIcon_->Visible()) trayIcon_->Show();
  trayIcon_->SetHintString(kCaption);
  trayIcon_->HideApplication();
  if (minLocked_) trayIcon_->SetImageListIndex(1);
}

void TfrmMain::FormCloseQuery() {
  // The close box never ends the program; only Exit does.
  if (!trayIcon_->Visible()) trayIcon_->Show();
  trayIcon_->SetHintString(kCaption);
  trayIcon_->HideApplication();
}

void TfrmMain::OpenFromTray() {
  if (!minLocked_) {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    trayIcon_->ShowApplication();
    SetForegroundWindow(Handle());
    return;
  }
  auto& unlock = AppForms().frmUnlock;
  if (!unlock) return;
  // A second request while the dialog is up (a double-click, a hand-off) only brings it forward.
  if (unlock->IsModal()) {
    SetForegroundWindow(unlock->Handle());
    return;
  }
  unlock->OnUnlocked = [this] { UnlockedFromDialog(); };
  unlock->CentreOverMain();
  unlock->ShowModal();
}

void TfrmMain::UnlockedFromDialog() {
  minLocked_ = false;
  trayIcon_->SetImageListIndex(0);
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  trayIcon_->ShowApplication();
}

void TfrmMain::TrayIconLeftBtnDblClick() { OpenFromTray(); }

void TfrmMain::restoreClick() { OpenFromTray(); }

void TfrmMain::btnMinLockClick() {
  minLocked_ = true;
  HideToTray();
}

void TfrmMain::optionsMinLockPasswordClick() {
  auto& password = AppForms().frmMinLockPassword;
  if (!password) return;
  password->CentreOverMain();
  password->ShowModal();
}

void TfrmMain::SizeChanged(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    iconic_ = true;
    // Hidden once the minimise has finished, not in the middle of it.
    PostMessageA(Handle(), WM_HIDETOTRAY, 0, 0);
  } else if (iconic_ && (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)) {
    iconic_ = false;
    minLocked_ = false; // the restore notification
  }
}

} // namespace vd::app
