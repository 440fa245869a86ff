#include "forms/Containers.h"

#include "forms/Dpi.h"

namespace vd::forms {

Panel::Panel(Component* owner, HWND parent, const ControlArgs& a, Edge edge)
    : Component(owner), edge_(edge) {
  WindowCreate wc;
  wc.className = "TPanel";
  wc.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | a.style;
  wc.left = Scale(a.left);
  wc.top = Scale(a.top);
  wc.width = Scale(a.width);
  wc.height = Scale(a.height);
  wc.parent = parent;
  CreateHandle(wc);
  hint = a.hint;
}

void Panel::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Panel::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE); }
bool Panel::Visible() const { return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT && edge_ == Edge::BevelTop) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
    EndPaint(Handle(), &ps);
    return 0;
  }
  // Notifications from the children go up to the form, whose procedure dispatches menus and
  // anything else it handles for the whole window.
  if (msg == WM_COMMAND || msg == WM_NOTIFY)
    return SendMessageA(GetParent(Handle()), msg, wParam, lParam);
  return Window::HandleMessage(msg, wParam, lParam);
}

TabSheet::TabSheet(PageControl& owner, HWND tabControl) : Component(&owner) {
  WindowCreate wc;
  wc.className = "TTabSheet";
  wc.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  wc.left = 0;
  wc.top = 0;
  wc.width = 10;
  wc.height = 10;
  wc.parent = tabControl;
  wc.background = GetSysColorBrush(COLOR_BTNFACE);
  CreateHandle(wc);
}

void TabSheet::Layout() {
  RECT r;
  GetClientRect(Handle(), &r);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SetWindowPos(child, nullptr, 0, 0, r.right, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TabSheet::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    Layout();
    return 0;
  }
  // Editors' notifications and context menus go on to the form that owns the page control.
  if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_CONTEXTMENU)
    return SendMessageA(GetAncestor(Handle(), GA_ROOT), msg, wParam, lParam);
  return Window::HandleMessage(msg, wParam, lParam);
}

PageControl::PageControl(Component* owner, const ControlArgs& args)
    : Control(owner, WC_TABCONTROLA, [&] {
        ControlArgs a = args;
        a.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_FOCUSNEVER;
        return a;
      }()) {}

PageControl::~PageControl() {
  // Pages are children of the tab control: destroy them before the control goes.
  pages_.clear();
}

TabSheet& PageControl::AddPage(const std::string& caption) {
  auto page = std::make_unique<TabSheet>(*this, Handle());
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  SendMessageA(Handle(), TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(std::move(page));
  Layout();
  if (pages_.size() == 1)
    ShowActivePage();
  return *pages_.back();
}

void PageControl::RemovePage(int index) {
  if (index < 0 || index >= PageCount())
    return;
  const int active = ActivePageIndex();
  SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  pages_.erase(pages_.begin() + index);
  if (pages_.empty())
    return;
  // The page that followed the closed one takes its place; after the last, the new last.
  if (index == active || active < 0) {
    const int next = index < PageCount() ? index : PageCount() - 1;
    SetActivePageIndex(next);
  } else {
    ShowActivePage();
  }
}

std::string PageControl::Caption(int index) const {
  char buffer[1024] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = sizeof(buffer);
  SendMessageA(Handle(), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void PageControl::SetCaption(int index, const std::string& caption) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(caption.c_str());
  SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  Layout(); // a longer caption can add a row of tabs
}

int PageControl::ActivePageIndex() const {
  return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount())
    return;
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowActivePage();
}

void PageControl::ShowActivePage() {
  const int active = ActivePageIndex();
  for (int i = 0; i < PageCount(); ++i)
    ShowWindow(pages_[static_cast<size_t>(i)]->Handle(), i == active ? SW_SHOW : SW_HIDE);
}

void PageControl::Layout() {
  RECT r;
  GetClientRect(Handle(), &r);
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  for (auto& page : pages_)
    SetWindowPos(page->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PageControl::Reflected(UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
  if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
    ShowActivePage();
    if (OnChange)
      OnChange();
    *result = 0;
    return true;
  }
  return false;
}

LRESULT PageControl::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE) {
    const LRESULT r = DefaultHandling(msg, wParam, lParam);
    Layout();
    return r;
  }
  return Control::HandleMessage(msg, wParam, lParam);
}

} // namespace vd::forms
