#pragma once
#include "core/Colour.h"
#include "forms/Component.h"
#include "forms/RichEdit.h" // FontSpec
#include "core/Services.h"
#include "forms/Win.h"

#include <array>

namespace vd::forms {

// The colour common dialog. Its colour is the preset it opens with and, after OK, the colour
// chosen, so it keeps the last confirmed colour for the next time; Cancel leaves it alone.
class ColorDialog : public Component {
public:
  explicit ColorDialog(Component* owner, Colour initial = kColourBlack)
      : Component(owner), color(initial) {}

  Colour color;
  std::array<COLORREF, 16> customColors{}; // the dialog's own sixteen custom colours

  // Runs the dialog through the common-dialog service; true when the user pressed OK.
  bool Execute(HWND owner);
};

// The font common dialog: TrueType fonts only, no effects section (so no colour, underline or
// strike-out), no size limits. The font's colour is not offered but kept, so the font carries
// whatever colour was put in it before the dialog ran.
class FontDialog : public Component {
public:
  explicit FontDialog(Component* owner) : Component(owner) {}

  FontSpec font; // Courier New, 10 points, no style, black until set

  // True when the user pressed OK; font then holds the face, size and style chosen.
  bool Execute(HWND owner);
};

// The colour and font dialogs go through this service, so that a test can answer them.
class CommonDialogService {
public:
  virtual ~CommonDialogService() = default;
  virtual bool RunColorDialog(ColorDialog& dialog, HWND owner) = 0;
  virtual bool RunFontDialog(FontDialog& dialog, HWND owner) = 0;
};

Service<CommonDialogService>& CommonDialogs();

} // namespace vd::forms
