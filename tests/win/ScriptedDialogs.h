#pragma once
#include "forms/FileDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vd::test {

// Stands in for the common dialogs: records how each was set up when it ran and answers with
// the next scripted choice (a path, or nullopt for Cancel). An unscripted dialog is cancelled.
class ScriptedDialogs final : public forms::DialogService {
public:
  struct Call {
    forms::FileDialog::Kind kind;
    std::string title;
    std::string fileName; // what the dialog offered
    std::string initialDir;
    int filterIndex;
  };

  void Choose(std::optional<std::string> path) { answers_.push_back(std::move(path)); }
  const std::vector<Call>& Calls() const { return calls_; }

  bool RunFileDialog(forms::FileDialog& d, HWND) override {
    calls_.push_back({d.kind, d.title, d.fileName, d.initialDir, d.filterIndex});
    if (answers_.empty() || !answers_.front()) {
      if (!answers_.empty())
        answers_.pop_front();
      return false;
    }
    d.fileName = *answers_.front();
    answers_.pop_front();
    return true;
  }

private:
  std::vector<Call> calls_;
  std::deque<std::optional<std::string>> answers_;
  ServiceOverride<forms::DialogService> installed_{forms::Dialogs(), *this};
};

} // namespace vd::test
