#include "forms/Dpi.h"

#include "forms/Win.h"

namespace vd::forms {

int ScreenDpi() {
  static const int dpi = [] {
    // Read once: a system-DPI-aware process keeps one DPI for its whole run, and a change of
    // the setting takes effect at the next start.
    HDC dc = GetDC(nullptr);
    const int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
      ReleaseDC(nullptr, dc);
    return d > 0 ? d : 96;
  }();
  return dpi;
}

int Scale(int pixelsAt96) { return MulDiv(pixelsAt96, ScreenDpi(), 96); }

int FontHeight(int pixelsAt96) { return -Scale(pixelsAt96); }

int GlyphSize() { return Scale(16) >= 24 ? 24 : 16; }

} // namespace vd::forms
