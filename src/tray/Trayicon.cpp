#include "tray/Trayicon.h"

#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/ImageList.h"
#include "forms/Menus.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vd::tray {

// --- the real system ---------------------------------------------------------------------------

bool DefaultTrayShell::Notify(DWORD message, const NOTIFYICONDATAA& data) {
  // The shell only reads the record, but the declaration asks for a non-const pointer.
  NOTIFYICONDATAA copy = data;
  return Shell_NotifyIconA(message, &copy) != FALSE;
}

DWORD DefaultTrayShell::MajorVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  // A failed query must not switch the icon off on a system that has a notification area.
  return GetVersionExA(&info) ? info.dwMajorVersion : 4;
}

POINT DefaultTrayShell::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

void DefaultTrayShell::SetForeground(HWND hwnd) { SetForegroundWindow(hwnd); }

void DefaultTrayShell::TrackPopup(forms::Menu& menu, int x, int y, HWND owner) {
  menu.Popup(x, y, owner);
}

void DefaultTrayShell::PostNull(HWND hwnd) { PostMessageA(hwnd, WM_NULL, 0, 0); }

// --- the hidden window -------------------------------------------------------------------------

// A hidden top-level window rather than a message-only one: only top-level windows hear the
// shell's "TaskbarCreated" broadcast. As a tool window it never gets a taskbar button.
class TTrayIcon::HiddenWindow : public forms::Window {
public:
  explicit HiddenWindow(TTrayIcon& tray) : tray_(tray) {
    forms::WindowCreate wc;
    wc.className = "VdTrayIconWindow";
    wc.style = WS_POPUP;
    wc.exStyle = WS_EX_TOOLWINDOW;
    wc.left = wc.top = wc.width = wc.height = 0;
    CreateHandle(wc);
  }

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    // The creation messages arrive before the component knows its window.
    if (!tray_.window_)
      return DefaultHandling(msg, wParam, lParam);
    return tray_.WndProc(msg, wParam, lParam);
  }

private:
  TTrayIcon& tray_;
};

// --- the component -----------------------------------------------------------------------------

bool TTrayIcon::appVisible_ = true;

namespace {
// Windows owned by the main form that the last HideApplication hid, to come back with it.
std::vector<HWND>& HiddenWithApplication() {
  static std::vector<HWND> windows;
  return windows;
}

struct OwnedWindows {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOwned(HWND hwnd, LPARAM lParam) {
  auto* w = reinterpret_cast<OwnedWindows*>(lParam);
  if (GetWindow(hwnd, GW_OWNER) == w->owner && IsWindowVisible(hwnd))
    w->found.push_back(hwnd);
  return TRUE;
}
} // namespace

Service<const TrayShellFactory>& TrayShells() {
  static const TrayShellFactory real = [] { return std::make_unique<DefaultTrayShell>(); };
  static Service<const TrayShellFactory> slot(real);
  return slot;
}

TTrayIcon::TTrayIcon(forms::Component* owner, std::unique_ptr<TrayShell> shell)
    : Component(owner), shell_(shell ? std::move(shell) : TrayShells().Get()()) {
  appVisible_ = true;
  window_ = std::make_unique<HiddenWindow>(*this);
  // The first version of the record: the only one every shell accepts, and the size is right
  // for both 32- and 64-bit builds.
  iconData_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  iconData_.hWnd = window_->Handle();
  iconData_.uID = TrayIconId;
  trayUnsupported_ = shell_->MajorVersion() < 4;
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

TTrayIcon::~TTrayIcon() {
  if (removeOnDelete_)
    SetVisible(false);
  if (icon_)
    DestroyIcon(icon_);
  if (internalIcon_)
    DestroyIcon(internalIcon_);
  // The base destructor drops the destruction notices both ways.
  imageList_ = nullptr;
  popupMenu_ = nullptr;
  window_.reset();
}

HWND TTrayIcon::WindowHandle() const { return window_->Handle(); }

void TTrayIcon::Refresh() {
  if (visible_)
    ModifyIcon();
}

void TTrayIcon::SetAppVisible(bool visible) {
  appVisible_ = visible;
  // Before the main form exists the flag alone tells the start-up whether to show it.
  forms::Form* main = forms::Application::Instance().MainForm();
  if (!main || !main->Handle())
    return;
  // The main form is an unowned top-level window: hiding it hides its taskbar button, and
  // ShowWindow keeps its bounds. Windows it owns would stay on the desktop, so they go with it.
  auto& hidden = HiddenWithApplication();
  if (visible) {
    main->Show();
    for (HWND h : hidden)
      if (IsWindow(h) && GetWindow(h, GW_OWNER) == main->Handle())
        ShowWindow(h, SW_SHOWNA);
    hidden.clear();
  } else {
    OwnedWindows owned{main->Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &CollectVisibleOwned, reinterpret_cast<LPARAM>(&owned));
    for (HWND h : owned.found) {
      ShowWindow(h, SW_HIDE);
      if (std::find(hidden.begin(), hidden.end(), h) == hidden.end())
        hidden.push_back(h);
    }
    main->Hide();
  }
}

void TTrayIcon::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  if (visible)
    InsertIcon();
  else
    RemoveIcon();
}

void TTrayIcon::SetHintString(std::string hint) {
  hint_ = std::move(hint);
  if (visible_)
    ModifyIcon();
}

void TTrayIcon::SetShowHint(bool value) {
  if (value == showHint_)
    return;
  showHint_ = value;
  if (visible_)
    ModifyIcon();
}

void TTrayIcon::SetIconSource(TIconSource source) {
  if (source == iconSource_)
    return;
  iconSource_ = source;
  if (visible_)
    ModifyIcon();
}

void TTrayIcon::SetIcon(HICON icon) {
  HICON copy = icon ? CopyIcon(icon) : nullptr;
  if (icon_)
    DestroyIcon(icon_);
  icon_ = copy;
  if (iconSource_ == TIconSource::srcIcon && visible_)
    ModifyIcon();
}

void TTrayIcon::SetImageList(forms::ImageList* list) {
  if (imageList_ && imageList_ != list)
    imageList_->RemoveFreeNotification(this);
  imageList_ = list;
  if (list)
    list->FreeNotification(this);
  if (iconSource_ != TIconSource::srcImageList)
    return;
  if (!list) {
    if (visible_)
      SetVisible(false);
    imageListIndex_ = 0;
    return;
  }
  const int count = list->Count();
  if (imageListIndex_ != 0 && imageListIndex_ >= count)
    imageListIndex_ = std::max(count - 1, 0);
  if (visible_)
    ModifyIcon();
}

void TTrayIcon::SetImageListIndex(int index) {
  if (!imageList_)
    return;
  const int count = imageList_->Count();
  if (index >= count)
    index = count - 1;
  if (index < 0)
    index = 0;
  if (index == imageListIndex_)
    return;
  imageListIndex_ = index;
  if (visible_ && iconSource_ == TIconSource::srcImageList)
    ModifyIcon();
}

void TTrayIcon::SetPopupMenu(forms::Menu* menu) {
  if (popupMenu_ && popupMenu_ != menu)
    popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu)
    menu->FreeNotification(this);
}

void TTrayIcon::Notification(forms::Component* component, Operation operation) {
  Component::Notification(component, operation);
  if (operation != Operation::Remove || !component)
    return;
  if (component == imageList_)
    SetImageList(nullptr);
  if (component == popupMenu_)
    popupMenu_ = nullptr;
}

bool TTrayIcon::LoadInternalIcon() {
  HICON fresh = nullptr;
  if (iconSource_ == TIconSource::srcIcon) {
    if (!icon_)
      return false;
    fresh = CopyIcon(icon_);
  } else {
    if (!imageList_ || imageList_->Count() == 0)
      return false;
    fresh = imageList_->GetIcon(imageListIndex_);
  }
  // The shell must never be handed a missing icon (a list that shrank under the index).
  if (!fresh)
    return false;
  if (internalIcon_)
    DestroyIcon(internalIcon_);
  internalIcon_ = fresh;
  return true;
}

void TTrayIcon::InsertIcon() { SendIcon(NIM_ADD); }

void TTrayIcon::ModifyIcon() {
  // A modify of an icon the shell never got would leave it missing for good.
  SendIcon(inTray_ ? NIM_MODIFY : NIM_ADD);
}

void TTrayIcon::RemoveIcon() {
  if (trayUnsupported_)
    return;
  inTray_ = false;
  shell_->Notify(NIM_DELETE, iconData_);
}

namespace {
// The longest prefix of `text` of at most `limit` bytes that does not split a double-byte
// character.
size_t TipLength(const std::string& text, size_t limit) {
  size_t n = 0;
  while (n < text.size()) {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) ? 2 : 1;
    if (n + step > limit)
      break;
    n += step;
  }
  return n;
}
} // namespace

void TTrayIcon::SendIcon(DWORD message) {
  if (trayUnsupported_)
    return;
  if (!LoadInternalIcon())
    return;
  iconData_.hIcon = internalIcon_;
  iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  iconData_.uCallbackMessage = TrayCallbackMessage;
  std::memset(iconData_.szTip, 0, sizeof(iconData_.szTip));
  if (showHint_) {
    static_assert(sizeof(iconData_.szTip) > MaxTipLength);
    std::memcpy(iconData_.szTip, hint_.data(), TipLength(hint_, MaxTipLength));
  }
  // The shell's answer is not trusted either way: "TaskbarCreated" puts the icon back.
  inTray_ = true;
  shell_->Notify(message, iconData_);
}

void TTrayIcon::Raise(const Event& event) {
  if (!event)
    return;
  // A copy, so that a handler may reassign the event it is running from.
  Event handler = event;
  handler(*this);
}

void TTrayIcon::ShowPopup() {
  const HWND hwnd = WindowHandle();
  const POINT at = shell_->CursorPos();
  // Without the foreground the menu would not close on a click elsewhere; the posted WM_NULL
  // lets a second right-click open it again at once.
  shell_->SetForeground(hwnd);
  shell_->TrackPopup(*popupMenu_, at.x, at.y, hwnd);
  shell_->PostNull(hwnd);
}

LRESULT TTrayIcon::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == TrayCallbackMessage) {
    switch (lParam) {
    case WM_MOUSEMOVE:
      Raise(OnMouseMove);
      break;
    case WM_LBUTTONDOWN:
      Raise(OnLeftBtnDown);
      break;
    case WM_LBUTTONUP:
      Raise(OnLeftBtnUp);
      break;
    case WM_LBUTTONDBLCLK:
      Raise(OnLeftBtnDblClick);
      break;
    case WM_RBUTTONDOWN:
      Raise(OnRightBtnDown);
      break;
    case WM_RBUTTONUP:
      Raise(OnRightBtnUp);
      // The handler may have destroyed the menu; the notice has then cleared the pointer.
      if (autoPopup_ && popupMenu_)
        ShowPopup();
      break;
    case WM_RBUTTONDBLCLK:
      Raise(OnRightBtnDblClick);
      break;
    default:
      break;
    }
    return 1;
  }
  if (taskbarCreated_ && msg == taskbarCreated_) {
    // The shell restarted and forgot every icon: put ours back, or a program hidden to the
    // tray could not be reached again.
    inTray_ = false;
    if (visible_)
      InsertIcon();
    return 0;
  }
  // The popup menu's commands come here as WM_COMMAND.
  if (forms::DispatchMenuMessage(msg, wParam, lParam))
    return 0;
  return DefWindowProcA(WindowHandle(), msg, wParam, lParam);
}

} // namespace vd::tray
