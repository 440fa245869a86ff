#include "forms/StdControls.h"

#include "forms/Dpi.h"

namespace vd::forms {

COLORREF ToColorRef(Colour c) {
  return IsSystemColour(c) ? GetSysColor(SystemColourIndex(c))
                           : static_cast<COLORREF>(c & 0xFFFFFFu);
}

SpeedButton::SpeedButton(Component* owner, const ControlArgs& args, HIMAGELIST glyphs,
                         int normalImage, int disabledImage)
    : Control(owner, "BUTTON",
              [&] {
                ControlArgs a = args;
                a.style |= BS_OWNERDRAW | BS_PUSHBUTTON;
                return a;
              }()),
      glyphs_(glyphs), normal_(normalImage), disabled_(disabledImage) {}

bool SpeedButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (OnClick)
      OnClick();
    *result = 0;
    return true;
  }
  if (msg == WM_DRAWITEM) {
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
  }
  return false;
}

void SpeedButton::Draw(const DRAWITEMSTRUCT& dis) const {
  RECT r = dis.rcItem;
  FillRect(dis.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
  const bool enabled = (dis.itemState & ODS_DISABLED) == 0;
  if (pressed)
    DrawEdge(dis.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
  if (glyphs_) {
    int cx = 16, cy = 16;
    ImageList_GetIconSize(glyphs_, &cx, &cy);
    const int x = (r.right - r.left - cx) / 2 + (pressed ? 1 : 0);
    const int y = (r.bottom - r.top - cy) / 2 + (pressed ? 1 : 0);
    ImageList_Draw(glyphs_, enabled ? normal_ : disabled_, dis.hDC, x, y, ILD_TRANSPARENT);
  }
}

Shape::Shape(Component* owner, const ControlArgs& args)
    : Control(owner, "STATIC", [&] {
        ControlArgs a = args;
        a.style |= SS_NOTIFY | WS_CLIPSIBLINGS;
        return a;
      }()) {}

void Shape::SetBrushColour(Colour c) {
  brush_ = c;
  InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT Shape::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT r;
    GetClientRect(Handle(), &r);
    HBRUSH fill = CreateSolidBrush(ToColorRef(brush_));
    FillRect(dc, &r, fill);
    DeleteObject(fill);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(Handle(), &ps);
    return 0;
  }
  case WM_ERASEBKGND:
    return 1;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    if (OnMouseDown)
      OnMouseDown(msg == WM_LBUTTONDOWN ? 0 : msg == WM_RBUTTONDOWN ? 1 : 2);
    return 0;
  default:
    return Control::HandleMessage(msg, wParam, lParam);
  }
}

StatusBar::StatusBar(Component* owner, HWND parent, std::vector<int> panelWidths)
    : Control(owner, STATUSCLASSNAMEA,
              [&] {
                ControlArgs a;
                a.parent = parent;
                // Placed by the form at its designed height rather than by the control itself.
                a.style = SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
                return a;
              }()),
      widths_(std::move(panelWidths)) {
  std::vector<int> edges;
  int x = 0;
  for (int w : widths_)
    edges.push_back(x += Scale(w));
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  SendMessageA(Handle(), SB_SIMPLE, FALSE, 0);
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
  SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText(int panel) const {
  const LRESULT info = SendMessageA(Handle(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
  std::string s(LOWORD(info) + 1u, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, static_cast<WPARAM>(panel),
               reinterpret_cast<LPARAM>(s.data()));
  s.resize(LOWORD(info));
  return s;
}

ToolTips::ToolTips(HWND owner) {
  tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

ToolTips::~ToolTips() {
  if (tip_)
    DestroyWindow(tip_);
}

void ToolTips::Add(const Control& control, const std::string& text) {
  if (!tip_)
    return;
  TTTOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(control.Handle());
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  ti.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string ToolTips::TextOf(const Control& control) const {
  char buffer[256] = {};
  TTTOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = GetParent(control.Handle());
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  ti.lpszText = buffer;
  if (!SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)))
    return {};
  SendMessageA(tip_, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
  return buffer;
}

bool ToolTips::Has(const Control& control) const {
  TTTOOLINFOA ti{};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  ti.hwnd = GetParent(control.Handle());
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  return SendMessageA(tip_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

} // namespace vd::forms
