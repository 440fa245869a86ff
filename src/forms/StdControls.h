#pragma once
#include "core/Colour.h"
#include "forms/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace vd::forms {

// A flat toolbar button with a 16x16 glyph from an image list: one image for the normal state
// and one for the disabled state.
class SpeedButton : public Control {
public:
  SpeedButton(Component* owner, const ControlArgs& args, HIMAGELIST glyphs, int normalImage,
              int disabledImage);
  std::function<void()> OnClick;
  bool Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
  void Draw(const DRAWITEMSTRUCT& dis) const;
  HIMAGELIST glyphs_;
  int normal_, disabled_;
};

// A filled square with a one-pixel black outline; reports a press of any mouse button.
class Shape : public Control {
public:
  Shape(Component* owner, const ControlArgs& args);
  Colour BrushColour() const { return brush_; }
  void SetBrushColour(Colour c);
  std::function<void(int button)> OnMouseDown; // 0 left, 1 right, 2 middle

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  Colour brush_ = 0x00FFFFFFu;
};

// The status bar in panel mode.
class StatusBar : public Control {
public:
  StatusBar(Component* owner, HWND parent, std::vector<int> panelWidths);
  void SetPanelText(int panel, const std::string& text);
  std::string PanelText(int panel) const;

private:
  std::vector<int> widths_;
};

// Tool tips for controls: each shows its text while the pointer rests on it.
class ToolTips {
public:
  explicit ToolTips(HWND owner);
  ~ToolTips();
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;
  void Add(const Control& control, const std::string& text);
  bool Has(const Control& control) const;
  std::string TextOf(const Control& control) const;
  HWND Handle() const { return tip_; }

private:
  HWND tip_ = nullptr;
};

// A colour of the form library as a Win32 COLORREF: system colours resolved.
COLORREF ToColorRef(Colour c);

} // namespace vd::forms
