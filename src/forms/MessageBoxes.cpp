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

RealMessageBoxes gReal;
MessageBoxService* gCurrent = &gReal;

} // namespace

MessageBoxService& MessageBoxes() { return *gCurrent; }

void SetMessageBoxService(MessageBoxService* service) { gCurrent = service ? service : &gReal; }

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  TopMostPause topMosts;
  return MessageBoxes().Show(Application::Instance().ActiveWindow(), text, caption, flags);
}

} // namespace vd::forms
