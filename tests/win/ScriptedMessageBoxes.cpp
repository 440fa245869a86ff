#include "ScriptedMessageBoxes.h"

namespace vd::test {

int ScriptedMessageBoxes::Show(HWND, const std::string& text, const std::string& caption,
                               unsigned flags) {
  calls_.push_back({text, caption, flags});
  if (answers_.empty())
    return fallback_;
  const int a = answers_.front();
  answers_.pop_front();
  return a;
}

} // namespace vd::test
