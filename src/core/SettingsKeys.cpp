#include "core/SettingsKeys.h"

#include <array>

namespace vd::settings {

std::span<const Key> AllKeys() {
  static constexpr std::array kAll{
      kHandOffFile,
      kDirCurrent,
      kDirSaveDefault,
      kDirOpenDefault,
      kDirUseDefault,
      kColorsFont,
      kColorsBackground,
      kWindowIsMaximized,
      kWindowLeft,
      kWindowTop,
      kWindowWidth,
      kWindowHeight,
      kFontName,
      kFontSize,
      kFontBold,
      kFontItalic,
      kOptionsWordWrap,
      kOptionsToolbar,
      kOptionsMinLockPassword,
  };
  return kAll;
}

} // namespace vd::settings
