#include "core/MinLock.h"

namespace vd::minlock {

namespace {
std::string Shift(std::string_view text, int direction) {
  if (text.size() > kMinLockKey.size())
    throw RangeCheckError();
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(text[i]) +
                               direction * static_cast<unsigned char>(kMinLockKey[i]));
  return out;
}

// What the private-profile reader counts as blank, in the ANSI code page: the ASCII blanks,
// Ctrl+Z (an old end-of-file mark) and the no-break space.
bool IsTrimmed(unsigned char c) {
  return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A || c == 0xA0;
}
} // namespace

std::string Scramble(std::string_view password) { return Shift(password, +1); }

std::string Unscramble(std::string_view stored) { return Shift(stored, -1); }

std::optional<std::string> StoredPassword(std::string_view stored) {
  if (stored.size() > kMinLockKey.size())
    return std::nullopt;
  return Unscramble(stored);
}

bool SurvivesSettingsFile(std::string_view value) {
  for (char c : value)
    if (c == '\0' || c == '\r' || c == '\n')
      return false;
  if (value.empty())
    return true;
  if (IsTrimmed(static_cast<unsigned char>(value.front())) ||
      IsTrimmed(static_cast<unsigned char>(value.back())))
    return false;
  const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                      (value.front() == '"' || value.front() == '\'');
  return !quoted;
}

} // namespace vd::minlock
