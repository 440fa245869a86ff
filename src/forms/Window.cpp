#include "forms/Window.h"

#include "forms/Application.h"
#include "forms/Control.h"
#include "forms/Cursors.h"
#include "forms/Errors.h"

namespace vd::forms {

namespace {
constexpr char kSelfProp[] = "VdWindowObject";
} // namespace

Window::~Window() { DestroyHandle(); }

Window* Window::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Window*>(GetPropA(hwnd, kSelfProp)) : nullptr;
}

void Window::CreateHandle(const WindowCreate& p) {
  HINSTANCE inst = Application::Instance().InstanceHandle();
  if (!inst)
    inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (!GetClassInfoExA(inst, p.className.c_str(), &existing)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = p.classStyle;
    wc.lpfnWndProc = &Window::StaticWndProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = p.icon;
    wc.hIconSm = p.icon;
    wc.hbrBackground = p.background;
    wc.lpszClassName = p.className.c_str();
    if (!RegisterClassExA(&wc))
      throw Error("Cannot register window class " + p.className);
  }
  HWND hwnd = CreateWindowExA(p.exStyle, p.className.c_str(), p.caption.c_str(), p.style, p.left,
                              p.top, p.width, p.height, p.parent, p.menu, inst, this);
  if (!hwnd)
    throw Error("Cannot create window " + p.className);
}

void Window::DestroyHandle() {
  if (!hwnd_)
    return;
  HWND hwnd = hwnd_;
  // Stop dispatching to this object first: messages sent during destruction go to the default.
  RemovePropA(hwnd, kSelfProp);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      SetPropA(hwnd, kSelfProp, self);
    }
  } else {
    self = FromHandle(hwnd);
  }
  if (!self)
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kSelfProp);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  if (ApplyWindowCursor(hwnd, msg, lParam, &result))
    return result;
  if (!Guarded([&] {
        // Notifications go to the control they concern first; a control that does not handle
        // one leaves it to this window.
        if (!ReflectToControl(msg, wParam, lParam, &result))
          result = self->HandleMessage(msg, wParam, lParam);
      })) {
    // The handler stopped where it threw; answer as if it had handled the message.
    result = (msg == WM_NCCREATE) ? FALSE : 0;
  }
  return result;
}

} // namespace vd::forms
