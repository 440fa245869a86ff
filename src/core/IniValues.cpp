#include "core/IniValues.h"

#include <charconv>

namespace vd {

std::optional<int32_t> ParseIniInteger(std::string_view text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Hexadecimal spells the 32 bits directly, so 0xFFFFFFFF is -1, as a colour written by hand
    // would mean it.
    uint32_t bits = 0;
    auto [ptr, ec] = std::from_chars(first + 2, last, bits, 16);
    if (ec != std::errc() || ptr != last)
      return std::nullopt;
    return static_cast<int32_t>(bits);
  }
  if (first != last && *first == '+') {
    ++first; // from_chars refuses a plus sign, but a sign must still be followed by a digit
    if (first == last || *first == '-' || *first == '+')
      return std::nullopt;
  }
  int32_t value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value, 10);
  if (ec != std::errc() || ptr != last)
    return std::nullopt; // out of range or trailing junk
  return value;
}

int32_t ReadIniInteger(std::string_view text, int32_t defaultValue) {
  return ParseIniInteger(text).value_or(defaultValue);
}

std::string FormatIniInteger(int32_t value) { return std::to_string(value); }

bool ReadIniBool(std::string_view text, bool defaultValue) {
  return ReadIniInteger(text, defaultValue ? 1 : 0) != 0;
}

std::string FormatIniBool(bool value) { return value ? "1" : "0"; }

Colour ReadIniColour(std::string_view text, Colour defaultValue) {
  return static_cast<Colour>(ReadIniInteger(text, static_cast<int32_t>(defaultValue)));
}

std::string FormatIniColour(Colour value) { return FormatIniInteger(static_cast<int32_t>(value)); }

} // namespace vd
