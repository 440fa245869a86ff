#include "forms/Registry.h"

#include "forms/Errors.h"

#include <algorithm>
#include <vector>

namespace vd::forms {

namespace {
std::string ValueName(const std::string& name) { return name.empty() ? "(Default)" : name; }
} // namespace

Registry::~Registry() { CloseKey(); }

HKEY Registry::Current() const {
  if (!current_)
    throw Error("No registry key is open");
  return current_;
}

void Registry::OpenKey(const std::string& path, bool canCreate) {
  HKEY parent = current_ ? current_ : root_;
  HKEY opened = nullptr;
  LONG rc;
  if (canCreate)
    rc = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, &opened, nullptr);
  else
    rc = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
  if (rc != ERROR_SUCCESS)
    throw Error("Failed to open key " + path);
  CloseKey();
  current_ = opened;
}

std::string Registry::ReadString(const std::string& name) const {
  HKEY key = Current();
  DWORD type = 0, size = 0;
  LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_FILE_NOT_FOUND)
    return {};
  if (rc != ERROR_SUCCESS)
    throw Error("Failed to get data for '" + ValueName(name) + "'");
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Error("Invalid data type for '" + ValueName(name) + "'");
  // The value may grow between the two calls: ask again until it fits.
  std::vector<char> data;
  do {
    data.assign(static_cast<size_t>(size) + 1, '\0');
    size = static_cast<DWORD>(data.size());
    rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &size);
  } while (rc == ERROR_MORE_DATA);
  if (rc != ERROR_SUCCESS)
    throw Error("Failed to get data for '" + ValueName(name) + "'");
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw Error("Invalid data type for '" + ValueName(name) + "'");
  // A stored string need not end in a zero; one that does must not keep it.
  std::string value(data.data(), std::min<size_t>(size, data.size()));
  if (const auto nul = value.find('\0'); nul != std::string::npos)
    value.resize(nul);
  return value;
}

void Registry::WriteString(const std::string& name, const std::string& value) {
  const LONG rc = RegSetValueExA(Current(), name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
  if (rc != ERROR_SUCCESS)
    throw Error("Failed to set data for '" + ValueName(name) + "'");
}

void Registry::CloseKey() {
  if (current_)
    RegCloseKey(current_);
  current_ = nullptr;
}

} // namespace vd::forms
