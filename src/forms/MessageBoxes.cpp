#include "forms/MessageBoxes.h"

#include "forms/Application.h"
#include "forms/Form.h"

namespace vd::forms {

namespace {

class RealMessageBoxes final : public MessageBoxService {
public:
  int Show(HWND owner, const std::string& text, const std::string& caption,
           unsigned flags) override {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags | MB_TASKMODAL);
  }
};

} // namespace

Service<MessageBoxService>& MessageBoxes() {
  static RealMessageBoxes real;
  static Service<MessageBoxService> slot(real);
  return slot;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  TopMostPause topMosts;
  return MessageBoxes().Get().Show(Application::Instance().ActiveWindow(), text, caption, flags);
}

} // namespace vd::forms
