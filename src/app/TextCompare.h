#pragma once
// Paths, names and lines compare as the user's locale compares them, ignoring letter case.
#include "forms/Win.h"

#include <string_view>

namespace vd::app {

// Below, at or above zero as `a` sorts before, with or after `b`.
inline int CompareIgnoringCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

inline bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return CompareIgnoringCase(a, b) == 0;
}

} // namespace vd::app
