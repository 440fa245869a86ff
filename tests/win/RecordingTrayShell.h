#pragma once
#include "tray/Trayicon.h"

#include <string>
#include <vector>

namespace vd::test {

struct TrayShellCall {
  DWORD message; // NIM_ADD, NIM_MODIFY or NIM_DELETE
  std::string tip;
  HICON icon;
};

// Keeps the notification area out of a test: every request is written into a log that lives
// with the test, and the menu never really opens.
class RecordingTrayShell : public tray::TrayShell {
public:
  explicit RecordingTrayShell(std::vector<TrayShellCall>& log) : log_(log) {}
  bool Notify(DWORD message, const NOTIFYICONDATAA& data) override {
    log_.push_back({message, data.szTip, data.hIcon});
    return true;
  }
  DWORD MajorVersion() override { return 6; }
  POINT CursorPos() override { return {100, 100}; }
  void SetForeground(HWND) override {}
  void TrackPopup(forms::Menu&, int, int, HWND) override {}
  void PostNull(HWND) override {}

private:
  std::vector<TrayShellCall>& log_;
};

} // namespace vd::test
