#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How values are spelt in the settings file. Integers are signed 32-bit decimal; on reading, a
// value of more than two characters that starts with "0x" or "0X" is hexadecimal.
namespace vd {

std::optional<int32_t> ParseIniInteger(std::string_view text);
int32_t ReadIniInteger(std::string_view text, int32_t defaultValue);
std::string FormatIniInteger(int32_t value);

// Booleans are written "1"/"0" and read as integers: any non-zero value is true.
bool ReadIniBool(std::string_view text, bool defaultValue);
std::string FormatIniBool(bool value);

// A colour of the form library: 0x00BBGGRR for an explicit colour, 0x80000000 + index for a
// system colour. Stored as the signed integer of the same 32 bits.
using Colour = uint32_t;
constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr Colour kColourWindowBackground = kSystemColourFlag | 5u; // COLOR_WINDOW
constexpr Colour kColourWindowText = kSystemColourFlag | 8u;       // COLOR_WINDOWTEXT
constexpr Colour kColourBlack = 0x000000u;
constexpr bool IsSystemColour(Colour c) { return (c & 0xFF000000u) == kSystemColourFlag; }
constexpr int SystemColourIndex(Colour c) { return static_cast<int>(c & 0x00FFFFFFu); }

Colour ReadIniColour(std::string_view text, Colour defaultValue);
std::string FormatIniColour(Colour value);

} // namespace vd
