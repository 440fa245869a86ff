#pragma once
#include "forms/CommonDialogs.h"
#include "forms/DialogControls.h"
#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/RichEdit.h"
#include "forms/StdControls.h"

#include <functional>
#include <memory>

namespace vd::dialogs {

// Print: sends the active editor's whole text or its selection to the printer in the editor's
// font and a chosen colour, always on white. It stays open beside the main window, so the
// editor is looked up when Print is pressed, not when the dialog was shown.
class TfrmPrint : public forms::Form {
public:
  static constexpr int kEntireText = 0;
  static constexpr int kSelectedArea = 1;

  TfrmPrint(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor = {});

  forms::Shape& shapeColor() { return *shapeColor_; }
  forms::Shape& shapeBackground() { return *shapeBackground_; }
  forms::Label& labelNote() { return *labelNote_; }
  forms::ListBox& boxPrintRange() { return *boxPrintRange_; }
  forms::Button& btnPrint() { return *btnPrint_; }
  forms::Button& btnSetup() { return *btnSetup_; }
  forms::Button& btnCancel() { return *btnCancel_; }
  forms::RichEdit& richSelection() { return *richSelection_; }
  forms::ToolTips& ToolTipsOfDialog() { return *toolTips_; }
  // Keeps the last colour confirmed for the whole run, black at first.
  forms::ColorDialog& ColorDialog() { return colorDialog_; }
  void SetActiveEditor(std::function<forms::RichEdit*()> f) { activeEditor_ = std::move(f); }

  void shapeColorMouseDown();
  void btnSetupClick();
  void btnPrintClick();
  void btnCancelClick();

protected:
  void FormShow() override;

private:
  std::function<forms::RichEdit*()> activeEditor_;
  forms::ColorDialog colorDialog_;
  std::unique_ptr<forms::GroupBox> groupColors_;
  std::unique_ptr<forms::Label> labelTextColor_;
  std::unique_ptr<forms::Shape> shapeColor_;
  std::unique_ptr<forms::Label> labelBackgroundColor_;
  std::unique_ptr<forms::Shape> shapeBackground_;
  std::unique_ptr<forms::Label> labelNote_;
  std::unique_ptr<forms::GroupBox> groupOptions_;
  std::unique_ptr<forms::Label> labelPrintRange_;
  std::unique_ptr<forms::ListBox> boxPrintRange_;
  std::unique_ptr<forms::Button> btnPrint_;
  std::unique_ptr<forms::Button> btnSetup_;
  std::unique_ptr<forms::Button> btnCancel_;
  std::unique_ptr<forms::RichEdit> richSelection_;
  std::unique_ptr<forms::ToolTips> toolTips_;
};

} // namespace vd::dialogs
