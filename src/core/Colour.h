#pragma once
#include <cstdint>

namespace vd {

// A colour of the form library: 0x00BBGGRR for an explicit colour, 0x80000000 + index for a
// system colour. Its own header, so that a header naming a colour needs no settings encodings.
using Colour = uint32_t;
constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr Colour kColourWindowBackground = kSystemColourFlag | 5u; // COLOR_WINDOW
constexpr Colour kColourWindowText = kSystemColourFlag | 8u;       // COLOR_WINDOWTEXT
constexpr Colour kColourBlack = 0x000000u;
constexpr bool IsSystemColour(Colour c) { return (c & 0xFF000000u) == kSystemColourFlag; }
constexpr int SystemColourIndex(Colour c) { return static_cast<int>(c & 0x00FFFFFFu); }

} // namespace vd
