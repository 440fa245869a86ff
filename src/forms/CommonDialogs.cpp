#include "forms/CommonDialogs.h"

#include "forms/Dpi.h"
#include "forms/LateBound.h"
#include "forms/StdControls.h" // ToColorRef

#include <commdlg.h>

#include <cstring>

namespace vd::forms {

namespace {

LOGFONTA ToLogFont(const FontSpec& f) {
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(f.size, ScreenDpi(), 72);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = f.italic ? TRUE : FALSE;
  lf.lfCharSet = ANSI_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::strncpy(lf.lfFaceName, f.name.c_str(), LF_FACESIZE - 1);
  return lf;
}

class RealCommonDialogs final : public CommonDialogService {
public:
  bool RunColorDialog(ColorDialog& d, HWND owner) override {
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = owner;
    cc.rgbResult = ToColorRef(d.color);
    cc.lpCustColors = d.customColors.data();
    cc.Flags = CC_RGBINIT;
    static const auto chooseColor =
        LateBound<decltype(&ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    if (!chooseColor(&cc))
      return false;
    d.color = static_cast<Colour>(cc.rgbResult & 0xFFFFFFu);
    return true;
  }

  bool RunFontDialog(FontDialog& d, HWND owner) override {
    LOGFONTA lf = ToLogFont(d.font);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = owner;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_TTONLY | CF_INITTOLOGFONTSTRUCT;
    static const auto chooseFont = LateBound<decltype(&ChooseFontA)>("comdlg32.dll", "ChooseFontA");
    if (!chooseFont(&cf))
      return false;
    d.font.name = lf.lfFaceName;
    // iPointSize is in tenths of a point; the editor's font has whole points.
    d.font.size = cf.iPointSize > 0
                      ? (cf.iPointSize + 5) / 10
                      : MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, ScreenDpi());
    d.font.bold = lf.lfWeight >= FW_BOLD;
    d.font.italic = lf.lfItalic != 0;
    return true;
  }
};

} // namespace

Service<CommonDialogService>& CommonDialogs() {
  static RealCommonDialogs real;
  static Service<CommonDialogService> slot(real);
  return slot;
}

bool ColorDialog::Execute(HWND owner) { return CommonDialogs().Get().RunColorDialog(*this, owner); }
bool FontDialog::Execute(HWND owner) { return CommonDialogs().Get().RunFontDialog(*this, owner); }

} // namespace vd::forms
