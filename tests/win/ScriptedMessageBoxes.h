#pragma once
#include "forms/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace vd::test {

// Stands in for the message box: records every call and answers from a script, so a test sees
// each text, caption and flag set and chooses each answer.
class ScriptedMessageBoxes final : public forms::MessageBoxService {
public:
  struct Call {
    std::string text;
    std::string caption;
    unsigned flags;
  };

  // Answers given in order; once the script runs out, every box is answered with fallback.
  void Answer(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
  void SetFallback(int answer) { fallback_ = answer; }

  const std::vector<Call>& Calls() const { return calls_; }
  void Clear() {
    calls_.clear();
    answers_.clear();
  }

  int Show(HWND owner, const std::string& text, const std::string& caption,
           unsigned flags) override;

private:
  std::vector<Call> calls_;
  std::deque<int> answers_;
  int fallback_ = forms::kIdOk;
  ServiceOverride<forms::MessageBoxService> installed_{forms::MessageBoxes(), *this};
};

} // namespace vd::test
