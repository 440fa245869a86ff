#pragma once
#include "forms/CommonDialogs.h"

#include <deque>
#include <optional>
#include <variant>
#include <vector>

namespace vd::test {

// Stands in for the colour and font dialogs: records what each offered when it ran and which
// dialog object it was, and answers with the next scripted choice of its kind (nullopt for
// Cancel). An unscripted dialog is cancelled. The font answer sets face, size and style only:
// the real dialog offers no colour, so the font keeps the colour it carried.
class ScriptedCommonDialogs final : public forms::CommonDialogService {
public:
  struct FontChoice {
    std::string name;
    int size;
    bool bold = false;
    bool italic = false;
  };
  struct Call {
    const void* dialog;                  // the ColorDialog or FontDialog that ran
    std::optional<Colour> offeredColour; // a colour dialog's preset
    std::optional<forms::FontSpec> offeredFont;
  };

  void ChooseColour(std::optional<Colour> c) { colours_.push_back(c); }
  void ChooseFont(std::optional<FontChoice> f) { fonts_.push_back(std::move(f)); }
  const std::vector<Call>& Calls() const { return calls_; }

  bool RunColorDialog(forms::ColorDialog& d, HWND) override {
    calls_.push_back({&d, d.color, std::nullopt});
    const auto answer = Next(colours_);
    if (!answer)
      return false;
    d.color = *answer;
    return true;
  }

  bool RunFontDialog(forms::FontDialog& d, HWND) override {
    calls_.push_back({&d, std::nullopt, d.font});
    const auto answer = Next(fonts_);
    if (!answer)
      return false;
    d.font.name = answer->name;
    d.font.size = answer->size;
    d.font.bold = answer->bold;
    d.font.italic = answer->italic;
    return true;
  }

private:
  template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& q) {
    if (q.empty())
      return std::nullopt;
    auto v = std::move(q.front());
    q.pop_front();
    return v;
  }

  std::vector<Call> calls_;
  std::deque<std::optional<Colour>> colours_;
  std::deque<std::optional<FontChoice>> fonts_;
  ServiceOverride<forms::CommonDialogService> installed_{forms::CommonDialogs(), *this};
};

} // namespace vd::test
