#include "forms/Form.h"

#include "forms/Application.h"
#include "forms/Dpi.h"

#include <vector>

namespace vd::forms {

Form::Form(Component* owner, FormDesign design) : Component(owner), design_(std::move(design)) {
  SetName(design_.className);
  WindowCreate wc;
  wc.className = design_.className;
  wc.caption = design_.caption;
  wc.style = design_.style & ~WS_VISIBLE;
  wc.exStyle = design_.exStyle;
  wc.icon = design_.icon;
  wc.left = Scale(design_.left);
  wc.top = Scale(design_.top);
  if (design_.clientWidth > 0 && design_.clientHeight > 0) {
    RECT r{0, 0, Scale(design_.clientWidth), Scale(design_.clientHeight)};
    AdjustWindowRectEx(&r, wc.style, FALSE, wc.exStyle);
    wc.width = r.right - r.left;
    wc.height = r.bottom - r.top;
  } else {
    wc.width = Scale(design_.width);
    wc.height = Scale(design_.height);
  }
  // Every form but the main one belongs to the main form, so it stays above it and has no
  // taskbar button of its own.
  Form* main = Application::Instance().MainForm();
  if (main && main != this)
    wc.parent = main->Handle();
  CreateHandle(wc);
  if (!main)
    Application::Instance().SetMainForm(this);
}

Form::~Form() {
  if (Application::Instance().MainForm() == this)
    Application::Instance().SetMainForm(nullptr);
  DestroyHandle();
}

Form* Form::FromHandle(HWND hwnd) { return dynamic_cast<Form*>(Window::FromHandle(hwnd)); }

void Form::Show() {
  if (!Visible()) {
    FormShow();
    if (OnShow)
      OnShow();
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool Form::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};
BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM lParam) {
  auto* d = reinterpret_cast<DisabledWindows*>(lParam);
  if (hwnd != d->keep && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd)) {
    EnableWindow(hwnd, FALSE);
    d->list.push_back(hwnd);
  }
  return TRUE;
}
} // namespace

namespace {
BOOL CALLBACK PauseTopMost(HWND hwnd, LPARAM lParam) {
  if (IsWindowVisible(hwnd) && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  }
  return TRUE;
}
} // namespace

TopMostPause::TopMostPause() {
  EnumThreadWindows(GetCurrentThreadId(), &PauseTopMost, reinterpret_cast<LPARAM>(&paused_));
}

TopMostPause::~TopMostPause() {
  for (HWND h : paused_)
    if (IsWindow(h))
      SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int Form::ShowModal() {
  Application& app = Application::Instance();
  TopMostPause topMosts;
  modalResult_ = 0;
  modal_ = true;
  DisabledWindows disabled{Handle(), {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&disabled));
  Show();
  while (modalResult_ == 0 && !app.Terminated()) {
    if (!app.HandleMessage(true))
      break;
  }
  // Re-enable before hiding, so that activation returns to the window below.
  for (HWND h : disabled.list)
    EnableWindow(h, TRUE);
  Hide();
  modal_ = false;
  return modalResult_;
}

Bounds Form::BoundsRect() const {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  RECT r{};
  if (IsIconic(Handle()) || IsZoomed(Handle())) {
    // A minimised or maximised window still reports its normal bounds here.
    GetWindowPlacement(Handle(), &wp);
    r = wp.rcNormalPosition;
  } else {
    GetWindowRect(Handle(), &r);
  }
  return Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Form::SetBounds(const Bounds& b) {
  SetWindowPos(Handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CentreOverMain() {
  Form* main = Application::Instance().MainForm();
  if (!main || main == this)
    return;
  RECT mr{};
  GetWindowRect(main->Handle(), &mr); // current bounds, whether shown or hidden
  RECT own{};
  GetWindowRect(Handle(), &own);
  const Bounds placed = CentreOver(Bounds{mr.left, mr.top, mr.right - mr.left, mr.bottom - mr.top},
                                   own.right - own.left, own.bottom - own.top);
  SetBounds(placed);
}

void Form::CloseRequested() {
  if (modal_)
    modalResult_ = 2; // Cancel
  else
    Hide();
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    CloseRequested();
    return 0;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace vd::forms
