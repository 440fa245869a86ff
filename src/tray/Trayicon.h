#pragma once
#include "forms/Component.h"
#include "core/Services.h"
#include "forms/Window.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>

namespace vd::forms {
class ImageList;
class Menu;
} // namespace vd::forms

namespace vd::tray {

// Everything the tray icon asks of the system, behind one interface so that a test can record
// each call and answer as it likes. The real one (DefaultTrayShell) calls Windows.
class TrayShell {
public:
  virtual ~TrayShell() = default;
  // Shell_NotifyIconA: NIM_ADD, NIM_MODIFY or NIM_DELETE with the record as filled.
  virtual bool Notify(DWORD message, const NOTIFYICONDATAA& data) = 0;
  // The system's major version; below 4 there is no notification area.
  virtual DWORD MajorVersion() = 0;
  virtual POINT CursorPos() = 0;
  virtual void SetForeground(HWND hwnd) = 0;
  // Opens the menu at a screen point and returns when it closes; its commands go to `owner`.
  virtual void TrackPopup(forms::Menu& menu, int x, int y, HWND owner) = 0;
  virtual void PostNull(HWND hwnd) = 0;
};

class DefaultTrayShell : public TrayShell {
public:
  bool Notify(DWORD message, const NOTIFYICONDATAA& data) override;
  DWORD MajorVersion() override;
  POINT CursorPos() override;
  void SetForeground(HWND hwnd) override;
  void TrackPopup(forms::Menu& menu, int x, int y, HWND owner) override;
  void PostNull(HWND hwnd) override;
};

// Makes the shell of a tray icon that is given none: the real one, or in tests a recording one.
using TrayShellFactory = std::function<std::unique_ptr<TrayShell>()>;
Service<const TrayShellFactory>& TrayShells();

enum class TIconSource { srcIcon = 0, srcImageList = 1 };

// One icon in the notification area: it reports mouse actions on the icon as events, pops a menu
// up on a right-button release, and hides or shows the whole application (the main form, which
// carries the taskbar button).
class TTrayIcon : public forms::Component {
public:
  static constexpr UINT TrayIconId = 1005;
  static constexpr UINT TrayCallbackMessage = 2053; // WM_USER + 1029
  // The tip field holds this many characters and a terminating zero.
  static constexpr size_t MaxTipLength = 63;

  using Event = std::function<void(TTrayIcon& sender)>;

  // Without a `shell` the icon takes one from TrayShells().
  explicit TTrayIcon(forms::Component* owner, std::unique_ptr<TrayShell> shell = nullptr);
  ~TTrayIcon() override;

  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void ShowApplication() { SetAppVisible(true); }
  void HideApplication() { SetAppVisible(false); }
  void Refresh();

  // Whether the application is shown; one flag for all instances.
  static bool GetAppVisible() { return appVisible_; }
  void SetAppVisible(bool visible);

  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHintString(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  // The component's own image, used with srcIcon; it keeps a copy of what it is given.
  HICON Icon() const { return icon_; }
  void SetIcon(HICON icon);
  TIconSource IconSource() const { return iconSource_; }
  void SetIconSource(TIconSource source);
  forms::ImageList* ImageList() const { return imageList_; }
  void SetImageList(forms::ImageList* list);
  int ImageListIndex() const { return imageListIndex_; }
  void SetImageListIndex(int index);
  forms::Menu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(forms::Menu* menu);
  bool RemoveOnDelete() const { return removeOnDelete_; }
  void SetRemoveOnDelete(bool value) { removeOnDelete_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  Event OnLeftBtnDown, OnRightBtnDown, OnLeftBtnUp, OnRightBtnUp, OnLeftBtnDblClick,
      OnRightBtnDblClick, OnMouseMove;

  // The hidden window the shell sends its callback messages to.
  HWND WindowHandle() const;
  bool TrayUnsupported() const { return trayUnsupported_; }
  // The icon last handed to the shell (owned by the component).
  HICON InternalIcon() const { return internalIcon_; }

  virtual bool LoadInternalIcon();
  virtual void InsertIcon();
  virtual void ModifyIcon();
  virtual void RemoveIcon();
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
  void Notification(forms::Component* component, Operation operation) override;

private:
  class HiddenWindow;
  void SendIcon(DWORD message);
  void Raise(const Event& event);
  void ShowPopup();

  static bool appVisible_;

  bool autoPopup_ = true;
  std::string hint_;
  HICON icon_ = nullptr;
  TIconSource iconSource_ = TIconSource::srcIcon;
  forms::ImageList* imageList_ = nullptr;
  int imageListIndex_ = 0;
  forms::Menu* popupMenu_ = nullptr;
  bool removeOnDelete_ = true;
  bool showHint_ = true;
  bool visible_ = false;

  std::unique_ptr<TrayShell> shell_;
  std::unique_ptr<HiddenWindow> window_;
  HICON internalIcon_ = nullptr;
  bool trayUnsupported_ = false;
  // Whether the shell was last sent an add or modify rather than a delete.
  bool inTray_ = false;
  NOTIFYICONDATAA iconData_{};
  UINT taskbarCreated_ = 0;
};

} // namespace vd::tray
