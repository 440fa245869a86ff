#pragma once
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The MinLock password's stored form: each byte shifted by the key's byte at the same place.
// It hides the password from a glance at the settings file; it is not encryption.
namespace vd::minlock {

inline constexpr std::string_view kMinLockKey = "SilverFernAtTheOldMillPond";

// The key is never repeated, so a string longer than the key cannot be scrambled either way.
class RangeCheckError : public std::runtime_error {
public:
  RangeCheckError() : std::runtime_error("Range check error") {}
};

// Byte i becomes (password byte i + key byte i) mod 256. Throws RangeCheckError past the key.
std::string Scramble(std::string_view password);
// The inverse. Throws RangeCheckError past the key.
std::string Unscramble(std::string_view stored);
// The password a stored value stands for; nullopt when it is too long to be one (only a hand
// edit of the settings file makes that), so that no entry can match it.
std::optional<std::string> StoredPassword(std::string_view stored);

// Whether a value comes back from the settings file exactly as written: a zero byte ends it, a
// line break splits it, blanks at either end are trimmed and a pair of enclosing quotes (single
// or double) is dropped when it is read.
bool SurvivesSettingsFile(std::string_view value);

} // namespace vd::minlock
