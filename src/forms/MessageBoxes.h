#pragma once
#include "core/Services.h"
#include "forms/Win.h"

#include <string>

namespace vd::forms {

// Flags and answers as the program's messages use them.
enum MessageFlags : unsigned { kMbOk = 0, kMbYesNoCancel = 3, kMbIconError = 16 };
enum MessageAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// Every modal message box goes through this service, so that a test can put a scripted stand-in
// in its place and see each text, caption and flag set.
class MessageBoxService {
public:
  virtual ~MessageBoxService() = default;
  virtual int Show(HWND owner, const std::string& text, const std::string& caption,
                   unsigned flags) = 0;
};

Service<MessageBoxService>& MessageBoxes();

// Shows a message owned by the application's active window.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

} // namespace vd::forms
