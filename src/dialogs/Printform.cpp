#include "dialogs/Printform.h"

#include "dialogs/DialogShells.h"
#include "forms/MessageBoxes.h"
#include "forms/Printing.h"

namespace vd::dialogs {

namespace {
constexpr Colour kWhite = 0x00FFFFFFu;
} // namespace

TfrmPrint::TfrmPrint(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor)
    : Form(owner, DialogDesign("TfrmPrint", "Print", 339, 257)),
      activeEditor_(std::move(activeEditor)), colorDialog_(this) {
  const HWND h = Handle();
  groupColors_ = std::make_unique<forms::GroupBox>(this, ControlAt(h, 8, 4, 323, 129, "Colors"));
  labelTextColor_ =
      std::make_unique<forms::Label>(this, ControlAt(h, 20, 28, 104, 16, "Text Color:"));
  auto textSwatch = ControlAt(h, 128, 24, 25, 25);
  textSwatch.hint = "Text Color";
  shapeColor_ = std::make_unique<forms::Shape>(this, textSwatch);
  labelBackgroundColor_ =
      std::make_unique<forms::Label>(this, ControlAt(h, 20, 60, 104, 16, "Background Color:"));
  shapeBackground_ = std::make_unique<forms::Shape>(this, ControlAt(h, 128, 56, 25, 25));
  shapeBackground_->SetBrushColour(kWhite);
  labelNote_ = std::make_unique<forms::Label>(
      this,
      ControlAt(h, 20, 90, 299, 34,
                "Please note:  You cannot change the background color when printing.  It will "
                "always be white."),
      true);

  groupOptions_ =
      std::make_unique<forms::GroupBox>(this, ControlAt(h, 8, 140, 217, 109, "Options"));
  labelPrintRange_ =
      std::make_unique<forms::Label>(this, ControlAt(h, 20, 160, 120, 16, "Print Range:"));
  boxPrintRange_ =
      std::make_unique<forms::ListBox>(this, ControlAt(h, 20, 180, 193, 57),
                                       std::vector<std::string>{"Entire Text", "Selected Area"});

  btnPrint_ = std::make_unique<forms::Button>(this, ControlAt(h, 240, 146, 91, 27, "Print"));
  btnSetup_ = std::make_unique<forms::Button>(this, ControlAt(h, 240, 184, 91, 27, "Page Setup"));
  btnCancel_ = std::make_unique<forms::Button>(this, ControlAt(h, 240, 222, 91, 27, "Cancel"));
  // Esc presses Cancel through the dialog keys.
  SetWindowLongPtrA(btnCancel_->Handle(), GWLP_ID, IDCANCEL);

  // The vehicle of the print job: never shown, it takes the text and font and prints itself.
  richSelection_ = std::make_unique<forms::RichEdit>(this, ControlAt(h, 0, 0, 185, 89));
  richSelection_->SetVisible(false);
  richSelection_->SetBackgroundColour(kWhite);

  // The group boxes go beneath the controls they frame, or the swatches, which clip their
  // siblings, would clip themselves away.
  for (const forms::GroupBox* group : {groupColors_.get(), groupOptions_.get()})
    SetWindowPos(group->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  toolTips_ = std::make_unique<forms::ToolTips>(h);
  toolTips_->Add(*shapeColor_, shapeColor_->ShortHint());

  shapeColor_->OnMouseDown = [this](int) { shapeColorMouseDown(); };
  btnPrint_->OnClick = [this] { btnPrintClick(); };
  btnSetup_->OnClick = [this] { btnSetupClick(); };
  btnCancel_->OnClick = [this] { btnCancelClick(); };
}

void TfrmPrint::FormShow() {
  boxPrintRange_->SetItemIndex(kEntireText);
  if (forms::RichEdit* e = activeEditor_ ? activeEditor_() : nullptr)
    shapeColor_->SetBrushColour(e->Font().colour);
}

void TfrmPrint::shapeColorMouseDown() {
  if (!colorDialog_.Execute(Handle()))
    return;
  shapeColor_->SetBrushColour(colorDialog_.color);
}

void TfrmPrint::btnSetupClick() { forms::Printers().Get().RunPrinterSetup(Handle()); }

void TfrmPrint::btnPrintClick() {
  forms::RichEdit* editor = activeEditor_ ? activeEditor_() : nullptr;
  if (!editor)
    return;
  const int range = boxPrintRange_->ItemIndex();
  if (range < 0) {
    forms::ShowMessageBox("You must select a print range before printing.", "Oops!", forms::kMbOk);
    return;
  }
  richSelection_->SetAllText(range == kEntireText ? editor->AllText() : editor->SelectedText());
  forms::FontSpec font = editor->Font();
  font.colour = shapeColor_->BrushColour();
  richSelection_->SetFontSpec(font);
  // An error of the printer ends the handler here: the standard box shows it, the dialog stays.
  std::unique_ptr<forms::PrintTarget> printer = forms::Printers().Get().OpenDevice();
  richSelection_->Print(*printer, "");
  Hide();
}

void TfrmPrint::btnCancelClick() { Hide(); }

} // namespace vd::dialogs
