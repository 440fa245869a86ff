#pragma once
#include "core/Colour.h"

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

// Colours are stored as the signed integer of their 32 bits.
Colour ReadIniColour(std::string_view text, Colour defaultValue);
std::string FormatIniColour(Colour value);

} // namespace vd
