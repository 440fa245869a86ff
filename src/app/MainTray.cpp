// Hiding to the notification area and MinLock: the main window's tray icon and what brings the
// program back.
#include "app/Mainform2.h"

#include "dialogs/MinLockforms.h"
#include "forms/Application.h"
#include "resource.h"

namespace vd::app {

namespace {
HICON LoadProgramIcon(int id) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
  return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}
} // namespace

void TfrmMain::CreateTrayIcon() {
  trayImages_ = std::make_unique<forms::ImageList>(this, 32, 32);
  for (int id : {IDI_VELLUMDESK, IDI_PADLOCK}) {
    HICON icon = LoadProgramIcon(id);
    trayImages_->AddIcon(icon);
    DestroyIcon(icon);
  }
  trayIcon_ = std::make_unique<tray::TTrayIcon>(this);
  trayIcon_->SetHintString("Vellumdesk v1.0"); // kept on purpose: the tip until the first hiding
  trayIcon_->SetIconSource(tray::TIconSource::srcImageList);
  trayIcon_->SetPopupMenu(popupTrayIcon_.get());
  trayIcon_->OnLeftBtnDblClick = [this](tray::TTrayIcon&) { OpenFromTray(); };
  // Visible from the start: the icon is added as soon as its images are attached.
  trayIcon_->SetVisible(true);
  trayIcon_->SetImageList(trayImages_.get());
}

void TfrmMain::HideToTray(bool minimising) {
  // A minimise is restored first, so that the window comes back from the tray at its normal
  // size; the lock stays as it is, since only the unlock dialog ends it. The close box never
  // ends the program (only Exit does) and leaves the window's state and the image alone.
  if (minimising && IsIconic(Handle()))
    ShowWindow(Handle(), SW_RESTORE);
  if (!trayIcon_->Visible())
    trayIcon_->Show();
  trayIcon_->SetHintString(kCaption);
  trayIcon_->HideApplication();
  if (minimising && minLocked_)
    trayIcon_->SetImageListIndex(1);
}

void TfrmMain::OpenFromTray() {
  if (!minLocked_) {
    if (IsIconic(Handle()))
      ShowWindow(Handle(), SW_RESTORE);
    trayIcon_->ShowApplication();
    SetForegroundWindow(Handle());
    return;
  }
  dialogs::TfrmUnlock& unlock = Dialogs().unlock;
  // A second request while the dialog is up (a double-click, a hand-off) only brings it forward.
  if (unlock.IsModal()) {
    SetForegroundWindow(unlock.Handle());
    return;
  }
  unlock.OnUnlocked = [this] { UnlockedFromDialog(); };
  unlock.CentreOverMain();
  unlock.ShowModal();
}

void TfrmMain::UnlockedFromDialog() {
  minLocked_ = false;
  trayIcon_->SetImageListIndex(0);
  if (IsIconic(Handle()))
    ShowWindow(Handle(), SW_RESTORE);
  trayIcon_->ShowApplication();
}

void TfrmMain::btnMinLockClick() {
  minLocked_ = true;
  HideToTray();
}

bool TfrmMain::UnlockBeforeExit() {
  if (!minLocked_)
    return true;
  OpenFromTray(); // the unlock dialog; only brought forward when it is already up
  return !minLocked_;
}

bool TfrmMain::InputBehindTheLock(const MSG& msg) const {
  if (!minLocked_ || !msg.hwnd)
    return false;
  const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                     (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
  if (!input)
    return false;
  // Hidden windows keep their focus: keys typed or posted to them would still edit, copy or
  // save a document. Only the windows on screen (the unlock dialog, its message) take input.
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root == Handle() || !IsWindowVisible(root);
}

void TfrmMain::SizeChanged(WPARAM kind) {
  // Hidden once the minimise has finished, not in the middle of it. The caption button and the
  // system menu go straight to the tray (WM_SYSCOMMAND); this catches a minimise by other means.
  if (kind == SIZE_MINIMIZED)
    PostMessageA(Handle(), WM_HIDETOTRAY, 0, 0);
}

} // namespace vd::app
