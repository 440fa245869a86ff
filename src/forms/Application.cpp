#include "forms/Application.h"

#include "core/Hint.h"
#include "forms/Containers.h"
#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/MessageBoxes.h"

namespace vd::forms {

Application& Application::Instance() {
  static Application app;
  return app;
}

void Application::Initialize(HINSTANCE instance) {
  instance_ = instance;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
}

HWND Application::ActiveWindow() const {
  HWND active = GetActiveWindow();
  if (active && IsWindowEnabled(active))
    return active;
  return mainForm_ ? mainForm_->Handle() : nullptr;
}

void Application::AddMessageFilter(MessageFilter filter) { filters_.push_back(std::move(filter)); }

void Application::SetHint(const std::string& hint) {
  if (hint == hint_)
    return;
  hint_ = hint;
  if (OnHint)
    OnHint(hint_);
}

namespace {
// The long hint of whatever lies under the pointer: a control's own, a panel's, or none.
std::string HintAt(HWND hwnd) {
  if (Control* c = Control::FromHandle(hwnd))
    return c->LongHint();
  if (auto* panel = dynamic_cast<Panel*>(Window::FromHandle(hwnd)))
    return LongHintPart(panel->hint);
  return {};
}
} // namespace

bool Application::Filter(MSG& msg) {
  if (msg.message == WM_MOUSEMOVE)
    SetHint(HintAt(msg.hwnd));
  for (auto& f : filters_)
    if (f(msg))
      return true;
  // Dialog navigation for the forms that want it, looked up afresh so no filter outlives a form.
  if (msg.hwnd) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (Form* form = Form::FromHandle(root); form && form->UsesDialogKeys())
      return IsDialogMessageA(root, &msg) != FALSE;
  }
  return false;
}

bool Application::HandleMessage(bool wait) {
  MSG msg;
  if (wait) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      terminated_ = true; // WM_QUIT from someone else
      return false;
    }
    if (got < 0)
      return false;
  } else if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    return !terminated_;
  } else if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  if (!Filter(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !terminated_;
}

void Application::Run() {
  try {
    while (!terminated_ && HandleMessage(true)) {
    }
  } catch (...) {
    // Window procedures have their own barrier; this catches what a filter throws.
    ShowCurrentException();
  }
}

bool Application::PumpPaintsAndEscape() {
  MSG msg;
  bool escape = false;
  // Only a leading Esc: other keys stay queued, in order, for after the task.
  if (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE | PM_NOYIELD) &&
      msg.wParam == VK_ESCAPE) {
    PeekMessageA(&msg, msg.hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE | PM_NOYIELD);
    escape = true;
  }
  // Bounded: a window whose paint leaves its update region would otherwise hold the task here.
  for (int i = 0; i < 64 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
    DispatchMessageA(&msg);
  return escape;
}

void Application::Terminate() {
  if (terminated_)
    return;
  terminated_ = true;
  // Wakes a loop that is waiting in GetMessage.
  PostMessageA(nullptr, WM_NULL, 0, 0);
}

void Application::ShowException(const std::exception& e) { ShowException(e.what()); }

void Application::ShowException(const char* message) {
  std::string text = message ? message : "";
  if (text.empty())
    text = "An unknown error occurred.";
  MessageBoxes().Get().Show(ActiveWindow(), text, title_, kMbIconError);
}

void Application::ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowException("An unknown error occurred.");
  }
}

} // namespace vd::forms
