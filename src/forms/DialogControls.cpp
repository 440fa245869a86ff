#include "forms/DialogControls.h"

#include "forms/Form.h"

namespace vd::forms {

namespace {
ControlArgs With(const ControlArgs& a, DWORD style) {
  ControlArgs b = a;
  b.style |= style;
  return b;
}
} // namespace

Button::Button(Component* owner, const ControlArgs& args, Options options)
    : Control(owner, "BUTTON",
              With(args, WS_TABSTOP | (options.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON))),
      options_(options) {}

void Button::Click() {
  if (OnClick)
    OnClick();
  if (options_.modalResult != 0)
    if (Form* form = Form::FromHandle(GetAncestor(Handle(), GA_ROOT)); form && form->IsModal())
      form->SetModalResult(options_.modalResult);
}

void Button::SetGlyph(HIMAGELIST images) {
  BUTTON_IMAGELIST bil{};
  bil.himl = images;
  bil.margin = RECT{4, 0, 0, 0};
  bil.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
}

bool Button::IsDefault() const {
  return (GetWindowLongA(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool Button::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    *result = 0;
    return true;
  }
  return false;
}

Label::Label(Component* owner, const ControlArgs& args, bool wordWrap)
    : Control(owner, "STATIC", With(args, wordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP)) {}

Edit::Edit(Component* owner, const ControlArgs& args, Options o)
    : Control(owner, "EDIT",
              With(args, WS_TABSTOP |
                             (o.multiLine ? ES_MULTILINE | ES_WANTRETURN : ES_AUTOHSCROLL) |
                             (o.readOnly ? ES_READONLY : 0) | (o.digitsOnly ? ES_NUMBER : 0) |
                             (o.verticalScroll ? WS_VSCROLL | ES_AUTOVSCROLL : 0) |
                             (o.passwordChar ? ES_PASSWORD : 0))) {
  if (!(args.exStyle & WS_EX_CLIENTEDGE))
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  if (o.maxLength > 0)
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(o.maxLength), 0);
  if (o.passwordChar)
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(o.passwordChar), 0);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

Edit::~Edit() {
  if (brush_)
    DeleteObject(brush_);
}

void Edit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

void Edit::SetColour(COLORREF colour) {
  if (brush_)
    DeleteObject(brush_);
  colour_ = colour;
  brush_ = CreateSolidBrush(colour);
  InvalidateRect(Handle(), nullptr, TRUE);
}

COLORREF Edit::Colour() const {
  return colour_ == CLR_INVALID ? GetSysColor(COLOR_WINDOW) : colour_;
}

bool Edit::ReadOnly() const { return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }

bool Edit::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  // A disabled or read-only box asks with WM_CTLCOLORSTATIC, an editable one with ..EDIT.
  if ((msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) && brush_) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, colour_);
    if (!IsWindowEnabled(Handle()))
      SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    *result = reinterpret_cast<LRESULT>(brush_);
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    if (OnChange)
      OnChange();
    *result = 0;
    return true;
  }
  return false;
}

CheckBox::CheckBox(Component* owner, const ControlArgs& args)
    : Control(owner, "BUTTON", With(args, WS_TABSTOP | BS_AUTOCHECKBOX)) {}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Reflected(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (OnClick)
      OnClick();
    *result = 0;
    return true;
  }
  return false;
}

GroupBox::GroupBox(Component* owner, const ControlArgs& args)
    : Control(owner, "BUTTON", With(args, BS_GROUPBOX)) {}

} // namespace vd::forms
