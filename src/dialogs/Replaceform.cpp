#include "dialogs/Replaceform.h"

#include "core/FindReplace.h"
#include "dialogs/DialogShells.h"
#include "forms/Application.h"
#include "forms/KeyShift.h"
#include "forms/MessageBoxes.h"

namespace vd::dialogs {

namespace {

constexpr wchar_t kCtrlC = 0x03, kCtrlV = 0x16, kCtrlX = 0x18;

// The editor counts characters, the box holds bytes of the system code page.
long CharacterCount(const std::string& text) {
  if (text.empty())
    return 0;
  return MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

forms::FormDesign ReplaceDesign() {
  forms::FormDesign d = DialogDesign("TfrmReplace", "Find and Replace", 380, 169);
  d.exStyle |= WS_EX_TOPMOST;
  return d;
}

void PasteOnCtrlV(forms::Edit& box, WPARAM key, unsigned shift) {
  if (key == 'V' && (shift & forms::kShiftCtrl))
    SendMessageA(box.Handle(), WM_PASTE, 0, 0);
}

} // namespace

LRESULT ShortcutEdit::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The characters these keys would type reach the box only when no shortcut took the key
  // press; they must not paste a second time, nor cut or copy.
  if (msg == WM_CHAR && (wParam == kCtrlC || wParam == kCtrlV || wParam == kCtrlX))
    return 0;
  if (msg == WM_KEYUP && OnKeyUp)
    OnKeyUp(wParam, forms::KeyShift());
  return Edit::HandleMessage(msg, wParam, lParam);
}

TfrmReplace::TfrmReplace(forms::Component* owner, std::function<forms::RichEdit*()> activeEditor)
    : Form(owner, ReplaceDesign()), activeEditor_(std::move(activeEditor)) {
  const HWND h = Handle();
  // Created in tab order.
  label1_ = std::make_unique<forms::Label>(this, ControlAt(h, 8, 16, 85, 16, "Text To Find:"));
  find_ = std::make_unique<ShortcutEdit>(this, ControlAt(h, 96, 8, 185, 21));
  label2_ = std::make_unique<forms::Label>(this, ControlAt(h, 8, 48, 85, 16, "Replace With:"));
  replace_ = std::make_unique<ShortcutEdit>(this, ControlAt(h, 96, 40, 185, 21));
  options_ = std::make_unique<forms::GroupBox>(this, ControlAt(h, 8, 80, 129, 81, "Options"));
  // The group box does not pass its children's clicks on: the boxes stand on the form, at
  // their places within the frame.
  checkMatchCase_ = std::make_unique<forms::CheckBox>(
      this, ControlAt(h, 8 + 8, 80 + 24, 113, 17, "Case Sensitive"));
  checkWholeWord_ = std::make_unique<forms::CheckBox>(
      this, ControlAt(h, 8 + 8, 80 + 48, 113, 17, "Whole Word Only"));
  origin_ = std::make_unique<forms::RadioGroup>(
      this, ControlAt(h, 152, 80, 129, 81, "Origin"),
      std::vector<std::string>{"Top of File", "Cursor Position"});
  origin_->SetItemIndex(0);
  forms::ControlArgs first = ControlAt(h, 296, 8, 75, 25, "Find");
  first.style = WS_GROUP; // ends the radio group
  btnFind_ = std::make_unique<forms::Button>(this, first);
  btnFindNext_ = std::make_unique<forms::Button>(this, ControlAt(h, 296, 40, 75, 25, "Find Next"));
  btnReplace_ = std::make_unique<forms::Button>(this, ControlAt(h, 296, 72, 75, 25, "Replace"));
  btnReplaceAll_ =
      std::make_unique<forms::Button>(this, ControlAt(h, 296, 104, 75, 25, "Replace All"));
  btnClose_ = std::make_unique<forms::Button>(this, ControlAt(h, 296, 136, 75, 25, "Close"));
  SetFollowUps(false);

  btnFind_->OnClick = [this] { btnFindClick(); };
  btnFindNext_->OnClick = [this] { btnFindNextClick(); };
  btnReplace_->OnClick = [this] { btnReplaceClick(); };
  btnReplaceAll_->OnClick = [this] { btnReplaceAllClick(); };
  btnClose_->OnClick = [this] { btnCloseClick(); };
  find_->OnKeyUp = [this](WPARAM key, unsigned shift) { FindKeyUp(key, shift); };
  replace_->OnKeyUp = [this](WPARAM key, unsigned shift) { ReplaceKeyUp(key, shift); };
}

void TfrmReplace::ShowOverMain() {
  CentreOverMain();
  Show();
}

void TfrmReplace::FormShow() { SetFollowUps(false); }

LRESULT TfrmReplace::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Coming back to the window goes back to the control the user left, the Find box at first,
  // as a dialog does; the window itself takes no keys.
  if (msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
    if (HWND f = GetFocus(); f && IsChild(Handle(), f))
      lastFocus_ = f;
  } else if (msg == WM_SETFOCUS) {
    HWND to = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) ? lastFocus_
                                                                                : find_->Handle();
    ::SetFocus(to);
    return 0;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

void TfrmReplace::SetFollowUps(bool enabled) {
  btnFindNext_->SetEnabled(enabled);
  btnReplace_->SetEnabled(enabled);
  btnReplaceAll_->SetEnabled(enabled);
}

search::Origin TfrmReplace::OriginSetting() const {
  return origin_->ItemIndex() == 1 ? search::Origin::CursorPosition : search::Origin::TopOfFile;
}

forms::RichEdit* TfrmReplace::Editor() const { return activeEditor_ ? activeEditor_() : nullptr; }

long TfrmReplace::Search(forms::RichEdit& e, long start) const {
  // To the end of the text as it is now, never round to the top.
  return e.FindText(find_->Text(), start, e.TextLength(), checkWholeWord_->Checked(),
                    checkMatchCase_->Checked());
}

void TfrmReplace::SelectMatch(forms::RichEdit& e, long pos) {
  if (forms::Form* main = forms::Application::Instance().MainForm(); main && main != this)
    SetForegroundWindow(main->Handle());
  e.SetFocus();
  e.SetSelection(pos, pos + CharacterCount(find_->Text()));
}

void TfrmReplace::btnFindClick() {
  forms::RichEdit* e = Editor();
  if (!e)
    return;
  const CHARRANGE sel = e->Selection();
  const long pos = Search(*e, search::FindStart(OriginSetting(), sel.cpMin, sel.cpMax));
  if (pos < 0) {
    forms::ShowMessageBox("The text could not be found in the document.", "Not Found",
                          forms::kMbOk);
    return;
  }
  SelectMatch(*e, pos);
  SetFollowUps(true);
}

void TfrmReplace::btnFindNextClick() {
  forms::RichEdit* e = Editor();
  if (!e)
    return;
  const long pos = Search(*e, search::FindNextStart(e->Selection().cpMax));
  if (pos < 0) {
    forms::ShowMessageBox("No more instances of the search string have been found.", "Not Found",
                          forms::kMbOk);
    SetFollowUps(false);
    return;
  }
  SelectMatch(*e, pos);
}

void TfrmReplace::btnReplaceClick() {
  forms::RichEdit* e = Editor();
  if (!e || e->SelLength() == 0)
    return;
  e->SetFocus();
  e->ReplaceSelection(replace_->Text(), false);
}

void TfrmReplace::btnReplaceAllClick() {
  forms::RichEdit* e = Editor();
  if (!e)
    return;
  const std::string replacement = replace_->Text();
  search::ReplaceAllEditor ops;
  ops.find = [&](long start) { return Search(*e, start); };
  ops.replaceAt = [&](long pos, std::size_t length) {
    e->SetSelection(pos, pos + static_cast<long>(length));
    e->ReplaceSelection(replacement, false);
    return e->Selection().cpMax;
  };
  search::ReplaceAll(search::ReplaceAllStart(OriginSetting(), e->Selection().cpMin),
                     static_cast<std::size_t>(CharacterCount(find_->Text())), ops);
  SetFollowUps(false);
}

void TfrmReplace::btnCloseClick() {
  find_->SetText("");
  replace_->SetText("");
  Hide();
}

void TfrmReplace::FindKeyUp(WPARAM key, unsigned shift) { PasteOnCtrlV(*find_, key, shift); }
void TfrmReplace::ReplaceKeyUp(WPARAM key, unsigned shift) { PasteOnCtrlV(*replace_, key, shift); }

} // namespace vd::dialogs
