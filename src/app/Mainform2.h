#pragma once
#include "forms/Form.h"

namespace vd::app {

// The main window: one tab per open file, the toolbar, the menus and the status bar.
class TfrmMain : public forms::Form {
public:
  explicit TfrmMain(forms::Component* owner = nullptr);

  static constexpr const char* kClassName = "TfrmMain";
  static constexpr const char* kCaption = "Vellumdesk v2.2";

protected:
  void CloseRequested() override;
};

} // namespace vd::app
