#pragma once
#include "forms/Control.h"

#include <functional>
#include <string>

namespace vd::forms {

// A push button. A default button answers Enter in its dialog; a modal result, when set, ends
// the modal form it stands on.
class Button : public Control {
public:
  struct Options {
    bool isDefault = false;
    int modalResult = 0;
  };
  Button(Component* owner, const ControlArgs& args, Options options);
  Button(Component* owner, const ControlArgs& args) : Button(owner, args, Options{}) {}
  std::function<void()> OnClick;
  void Click();
  // An image shown left of the caption: the first image of the list, which the caller keeps.
  void SetGlyph(HIMAGELIST images);
  bool IsDefault() const;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  Options options_;
};

class Label : public Control {
public:
  Label(Component* owner, const ControlArgs& args, bool wordWrap = false);
};

// A single-line (or multi-line read-only) edit box.
class Edit : public Control {
public:
  struct Options {
    int maxLength = 0;     // 0: no limit of ours
    char passwordChar = 0; // shown instead of each character
    bool digitsOnly = false;
    bool multiLine = false;
    bool readOnly = false;
    bool verticalScroll = false;
  };
  Edit(Component* owner, const ControlArgs& args, Options options);
  Edit(Component* owner, const ControlArgs& args) : Edit(owner, args, Options{}) {}
  ~Edit() override;
  void SelectAll();
  bool ReadOnly() const;
  // The box's background; until one is set the system's window colour.
  void SetColour(COLORREF colour);
  COLORREF Colour() const;
  std::function<void()> OnChange;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  HBRUSH brush_ = nullptr;
  COLORREF colour_ = CLR_INVALID;
};

class CheckBox : public Control {
public:
  CheckBox(Component* owner, const ControlArgs& args);
  bool Checked() const;
  void SetChecked(bool checked);
  std::function<void()> OnClick;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class GroupBox : public Control {
public:
  GroupBox(Component* owner, const ControlArgs& args);
};

} // namespace vd::forms
