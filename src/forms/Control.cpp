#include "forms/Control.h"

#include "forms/Cursors.h"

#include "core/Hint.h"
#include "forms/Application.h"
#include "forms/Dpi.h"
#include "forms/Errors.h"

namespace vd::forms {

namespace {
constexpr char kControlProp[] = "VdControlObject";
constexpr UINT_PTR kSubclassId = 0x5644; // any fixed id; one subclass per control
} // namespace

namespace {
HINSTANCE ControlInstance() {
  HINSTANCE inst = Application::Instance().InstanceHandle();
  return inst ? inst : GetModuleHandleA(nullptr);
}
} // namespace

Control::Control(Component* owner, const char* windowClass, const ControlArgs& a)
    : Component(owner), hint_(a.hint), windowClass_(windowClass),
      style_(WS_CHILD | WS_VISIBLE | a.style), exStyle_(a.exStyle) {
  HWND h = CreateWindowExA(exStyle_, windowClass, a.text.c_str(), style_, Scale(a.left),
                           Scale(a.top), Scale(a.width), Scale(a.height), a.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)), ControlInstance(),
                           nullptr);
  if (!h)
    throw Error(std::string("Cannot create control of class ") + windowClass);
  Attach(h);
}

void Control::Attach(HWND h) {
  Bind(h);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
}

void Control::Bind(HWND h) {
  hwnd_ = h;
  SetPropA(hwnd_, kControlProp, this);
  SetWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void Control::Unbind() {
  RemovePropA(hwnd_, kControlProp);
  RemoveWindowSubclass(hwnd_, &Control::SubclassProc, kSubclassId);
  hwnd_ = nullptr;
}

void Control::RecreateWindow() { EndFreshWindow(StartFreshWindow(), true); }

HWND Control::StartFreshWindow() {
  HWND old = hwnd_;
  HWND parent = GetParent(old);
  RECT r{};
  GetWindowRect(old, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  HWND fresh = CreateWindowExA(exStyle_, windowClass_.c_str(), "", style_ & ~WS_VISIBLE, r.left,
                               r.top, r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(old))),
                               ControlInstance(), nullptr);
  if (!fresh)
    throw Error("Cannot create control of class " + windowClass_);
  SetWindowPos(fresh, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The old window is detached, so that its last messages reach no handler.
  Unbind();
  Attach(fresh);
  return old;
}

void Control::EndFreshWindow(HWND old, bool keepFresh) {
  HWND fresh = hwnd_;
  if (!keepFresh) {
    Unbind();
    DestroyWindow(fresh);
    Bind(old); // no font message: the old window keeps everything it had
    return;
  }
  // Shown as the old one is; a control whose repaint is suspended (WM_SETREDRAW) has its
  // visible bit off, and the fresh one then waits for the redraw to come back on as well.
  if (GetWindowLongA(old, GWL_STYLE) & WS_VISIBLE)
    SetWindowPos(fresh, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The focus moves first: a focused window that is destroyed takes the focus with it.
  if (GetFocus() == old)
    ::SetFocus(fresh);
  DestroyWindow(old);
}

Control::~Control() {
  if (!hwnd_)
    return;
  HWND h = hwnd_;
  Unbind();
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
void Control::SetFont(HFONT font) {
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::string Control::ShortHint() const { return ShortHintPart(hint_); }

std::string Control::LongHint() const { return LongHintPart(hint_); }

bool Control::Reflected(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

LRESULT Control::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT Control::DefaultHandling(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<Control*>(data);
  if (!self || self->hwnd_ != hwnd)
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    self->Unbind();
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  if (ApplyWindowCursor(hwnd, msg, lParam, &result))
    return result;
  if (!Guarded([&] { result = self->HandleMessage(msg, wParam, lParam); }))
    result = 0;
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
            msg == WM_CTLCOLORLISTBOX) &&
           lParam)
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
