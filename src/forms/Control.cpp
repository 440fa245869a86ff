#include "forms/Control.h"

#include "forms/Cursors.h"

#include "forms/Application.h"
#include "forms/Dpi.h"
#include "forms/Errors.h"

namespace vd::forms {

namespace {
constexpr char kControlProp[] = "VdControlObject";
constexpr UINT_PTR kSubclassId = 0x5644; // any fixed id; one subclass per control
} // namespace

Control::Control(Component* owner, const char* windowClass, const ControlArgs& a)
    : Component(owner), hint_(a.hint) {
  HINSTANCE inst = Application::Instance().InstanceHandle();
  if (!inst) inst = GetModuleHandleA(nullptr);
  hwnd_ = CreateWindowExA(a.exStyle, windowClass, a.text.c_str(), WS_CHILD | WS_VISIBLE | a.style,
                          Scale(a.left), Scale(a.top), Scale(a.width), Scale(a.height), a.parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)), inst, nullptr);
  if (!hwnd_) throw Error(std::string("Cannot create control of class ") + windowClass);
  SetPropA(hwnd_, kControlProp, this);
  SetWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
}

Control::~Control() {
  if (!hwnd_) return;
  HWND h = hwnd_;
  hwnd_ = nullptr;
  RemovePropA(h, kControlProp);
  RemoveWindowSubclass(h, &Control::SubclassProc, kSubclassId);
  DestroyWindow(h);
}

Control* Control::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Control*>(GetPropA(hwnd, kControlProp)) : nullptr;
}

void Control::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
bool Control::Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

std::string Control::Text() const {
  const int n = GetWindowTextLengthA(hwnd_);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  s.resize(static_cast<size_t>(GetWindowTextA(hwnd_, s.data(), n + 1)));
  return s;
}

void Control::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
void Control::SetFocus() { ::SetFocus(hwnd_); }
void Control::SetFont(HFONT font) { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

std::string Control::ShortHint() const {
  const auto bar = hint_.find('|');
  return bar == std::string::npos ? hint_ : hint_.substr(0, bar);
}

std::string Control::LongHint() const {
  const auto bar = hint_.find('|');
  return bar == std::string::npos ? hint_ : hint_.substr(bar + 1);
}

bool Control::Reflected(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT Control::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT Control::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<Control*>(data);
  if (!self || self->hwnd_ != hwnd) return DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &Control::SubclassProc, kSubclassId);
    RemovePropA(hwnd, kControlProp);
    self->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  if (ApplyWindowCursor(hwnd, msg, lParam, &result)) return result;
  if (!Guarded([&] { result = self->HandleMessage(msg, wParam, lParam); })) result = 0;
  return result;
}

bool ReflectToControl(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = nullptr;
  if (msg == WM_COMMAND && lParam)
    child = reinterpret_cast<HWND>(lParam);
  else if (msg == WM_NOTIFY && lParam)
    child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  else if (msg == WM_DRAWITEM && lParam)
    child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
  else if ((msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN ||
            msg == WM_CTLCOLORLISTBOX) && lParam)
    child = reinterpret_cast<HWND>(lParam);
  Control* c = Control::FromHandle(child);
  return c && c->Reflected(msg, wParam, lParam, result);
}

HFONT DefaultGuiFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
      return CreateFontIndirectA(&ncm.lfMessageFont);
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}

} // namespace vd::forms
