#pragma once
#include "dialogs/OkButton.h"

#include <memory>
#include <string>

namespace vd::dialogs {

// Vellumdesk ReadMe: the built-in ReadMe text in a read-only box that can be scrolled and
// selected but not changed.
class TfrmReadMe : public InfoForm {
public:
  explicit TfrmReadMe(forms::Component* owner);
  ~TfrmReadMe() override;

  forms::Edit& memoReadMe() { return *memo_; }

  // The ReadMe text as the program carries it (empty when the resource is missing).
  static std::string BuiltInText();

private:
  HFONT font_ = nullptr;
  std::unique_ptr<forms::Edit> memo_;
};

} // namespace vd::dialogs
