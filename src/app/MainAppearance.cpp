// Appearance for every editor: the font, the text and background colours, word wrap and the
// toolbar's place, chosen by the user or read at start-up.
#include "app/Mainform2.h"

#include "core/SettingsKeys.h"

namespace vd::app {

namespace s = settings;

namespace {
// The largest size the editor's character format holds (32767 twips).
constexpr int kLargestFontSize = 1638;
} // namespace

void TfrmMain::ReadAppearance() {
  // Colours first, through the commands' own routines: the swatches take them (there is no
  // editor yet), and the first editor is then made with them like every new one.
  const Colour text = settings_.ReadColour(s::kColorsFont);
  SetTextColourOfEditors(text);
  SetBackgroundOfEditors(settings_.ReadColour(s::kColorsBackground));

  // The font dialog's font is the template of every new editor and carries the text colour.
  forms::FontSpec font;
  font.name = settings_.ReadString(s::kFontName);
  if (font.name.empty())
    font.name = std::string(s::kFontName.defaultString);
  font.size = settings_.ReadInteger(s::kFontSize);
  // A size the editor cannot hold (edited by hand) would overflow its twips; take the default.
  if (font.size < 1 || font.size > kLargestFontSize)
    font.size = s::kFontSize.defaultInteger;
  font.bold = settings_.ReadInteger(s::kFontBold) != 0;
  font.italic = settings_.ReadInteger(s::kFontItalic) != 0;
  font.colour = text;
  fontDialog_.font = font;

  optionsWordWrap().SetChecked(settings_.ReadBool(s::kOptionsWordWrap));
  ShowToolbar(settings_.ReadBool(s::kOptionsToolbar));
}

void TfrmMain::optionsFontChangeClick() {
  // The dialog offers no colour, so its font carries the active editor's: every editor takes it.
  const Colour carried = fontDialog_.font.colour;
  fontDialog_.font.colour = ActiveEditor().Font().colour;
  if (!fontDialog_.Execute(Handle())) {
    // Cancel changes nothing, also not the colour that later editors take from the dialog.
    fontDialog_.font.colour = carried;
    return;
  }
  forms::BusyCursor busy = BusyOnActiveEditor();
  for (auto& d : documents_)
    d.editor->SetFontSpec(fontDialog_.font);
}

void TfrmMain::colorsFontClick() {
  if (!colorDialogFont_.Execute(Handle()))
    return;
  forms::BusyCursor busy{toolbar_->Handle(), Handle()};
  // The font dialog's font keeps its colour: a later editor shows that one, not this.
  SetTextColourOfEditors(colorDialogFont_.color);
}

void TfrmMain::colorsBackgroundClick() {
  if (!colorDialogBackground_.Execute(Handle()))
    return;
  SetBackgroundOfEditors(colorDialogBackground_.color);
}

void TfrmMain::optionsWordWrapClick() {
  // Each editor's flag is inverted; they all share one state, so all switch together.
  for (auto& d : documents_)
    d.editor->SetWordWrap(!d.editor->WordWrap());
  optionsWordWrap().SetChecked(documents_.back().editor->WordWrap());
}

void TfrmMain::viewToolbarClick() { ShowToolbar(!viewToolbar().Checked()); }

void TfrmMain::SetTextColourOfEditors(Colour colour) {
  for (auto& d : documents_) {
    forms::FontSpec font = d.editor->Font();
    font.colour = colour;
    d.editor->SetFontSpec(font);
  }
  shapeFontColor_->SetBrushColour(colour);
}

void TfrmMain::SetBackgroundOfEditors(Colour colour) {
  for (auto& d : documents_)
    d.editor->SetBackgroundColour(colour);
  // New editors take the swatch's colour.
  shapeBackgroundColor_->SetBrushColour(colour);
}

void TfrmMain::ShowToolbar(bool on) {
  viewToolbar().SetChecked(on);
  toolbar_->SetVisible(on);
  Layout(); // the tab area grows upward into the toolbar's place
}

} // namespace vd::app
