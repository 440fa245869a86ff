#pragma once
#include "forms/Win.h"

#include <string>

namespace vd::forms {

// The registry as the program uses it: a root key, one current key opened by a path relative
// to the current key (or to the root when none is open), and string values of that key.
// Failures raise forms::Error. Destroying the object closes the current key; the root is the
// caller's and is never closed here.
class Registry {
public:
  explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  HKEY CurrentKey() const { return current_; }

  // Opens `path` below the current key, or below the root when none is open, with full access.
  // With canCreate a missing key is created. Raises an error when the key cannot be opened.
  void OpenKey(const std::string& path, bool canCreate);
  // A value of the current key; "" names the default value. A missing value reads as "", a
  // value of another type than a string raises an error.
  std::string ReadString(const std::string& name) const;
  // Writes a plain string (REG_SZ); raises an error when the write is refused.
  void WriteString(const std::string& name, const std::string& value);
  // The next OpenKey is again relative to the root.
  void CloseKey();

private:
  HKEY Current() const;
  HKEY root_;
  HKEY current_ = nullptr;
};

} // namespace vd::forms
