#include "forms/Dpi.h"

#include "forms/Win.h"

namespace vd::forms {

int ScreenDpi() {
  static const int dpi = [] {
    HDC dc = GetDC(nullptr);
    const int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return d > 0 ? d : 96;
  }();
  return dpi;
}

int Scale(int pixelsAt96) { return MulDiv(pixelsAt96, ScreenDpi(), 96); }

} // namespace vd::forms
