#include "dialogs/OkButton.h"

#include "dialogs/DialogShells.h"
#include "forms/Dpi.h"

namespace vd::dialogs {

namespace {
// A green check mark on a transparent cell, drawn once at the glyph size of the screen.
HIMAGELIST OkGlyph() {
  static HIMAGELIST list = [] {
    const int size = forms::GlyphSize();
    const COLORREF key = RGB(255, 0, 255);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH back = CreateSolidBrush(key);
    RECT cell{0, 0, size, size};
    FillRect(dc, &cell, back);
    DeleteObject(back);
    HPEN pen = CreatePen(PS_SOLID, size / 8 + 1, RGB(0, 128, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    const POINT tick[3] = {{size * 3 / 16, size * 8 / 16},
                           {size * 6 / 16, size * 12 / 16},
                           {size * 13 / 16, size * 3 / 16}};
    Polyline(dc, tick, 3);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0);
    ImageList_AddMasked(images, bitmap, key);
    DeleteObject(bitmap);
    return images;
  }();
  return list;
}
} // namespace

std::unique_ptr<forms::Button> MakeOkButton(forms::Form& form, int left, int top) {
  forms::ControlArgs args = ControlAt(form.Handle(), left, top, 75, 25, "OK");
  args.id = IDOK; // Enter anywhere in the window presses it
  auto ok = std::make_unique<forms::Button>(&form, args, forms::Button::Options{true, 0});
  ok->SetGlyph(OkGlyph());
  ok->OnClick = [&form] { CloseDialog(form); };
  return ok;
}

void InfoForm::FormShow() {
  lastFocus_ = nullptr;
  btnOK_->SetFocus();
}

LRESULT InfoForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The default handling would focus the window itself, which answers no key: give the focus
  // back to the control that had it, or to OK.
  if (msg == WM_ACTIVATE) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      lastFocus_ = focus && IsChild(Handle(), focus) ? focus : nullptr;
    } else {
      ::SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : btnOK_->Handle());
      return 0;
    }
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

} // namespace vd::dialogs
