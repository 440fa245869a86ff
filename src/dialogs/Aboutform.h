#pragma once
#include "dialogs/OkButton.h"

#include <array>
#include <memory>

namespace vd::dialogs {

// About Vellumdesk: the program icon, its name and version, the systems it runs on, the rights,
// where to find it and whom to write to, and the terms of passing it on.
class TfrmAbout : public InfoForm {
public:
  explicit TfrmAbout(forms::Component* owner);
  ~TfrmAbout() override;

private:
  HICON icon_ = nullptr;
  HFONT font_ = nullptr;
  std::unique_ptr<forms::Control> frame_;
  std::unique_ptr<forms::Control> image_;
  std::array<std::unique_ptr<forms::Label>, 5> labels_;
  std::unique_ptr<forms::GroupBox> group_;
  std::unique_ptr<forms::Label> paragraph1_;
  std::unique_ptr<forms::Label> paragraph2_;
};

} // namespace vd::dialogs
