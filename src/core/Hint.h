#pragma once
#include <string>

// A hint is "short|long": the short part for a tooltip, the long part for the status bar. A hint
// without a bar serves as both.
namespace vd {

inline std::string ShortHintPart(const std::string& hint) { return hint.substr(0, hint.find('|')); }

inline std::string LongHintPart(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

} // namespace vd
