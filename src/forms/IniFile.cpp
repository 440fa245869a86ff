#include "forms/IniFile.h"

#include "forms/Errors.h"
#include "forms/Win.h"

namespace vd::forms {

namespace {
std::string S(std::string_view v) { return std::string(v); }
} // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  char buffer[2048];
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                           buffer, sizeof(buffer), fileName_.c_str());
  return std::string(buffer, n);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
    throw Error("Unable to write to " + fileName_);
}

int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                             int32_t defaultValue) const {
  return ReadIniInteger(ReadString(section, key, ""), defaultValue);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, FormatIniInteger(value));
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  return ReadIniBool(ReadString(section, key, ""), defaultValue);
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, FormatIniBool(value));
}

Colour IniFile::ReadColour(const std::string& section, const std::string& key,
                           Colour defaultValue) const {
  return ReadIniColour(ReadString(section, key, ""), defaultValue);
}

void IniFile::WriteColour(const std::string& section, const std::string& key, Colour value) {
  WriteString(section, key, FormatIniColour(value));
}

std::vector<std::pair<std::string, std::string>>
IniFile::ReadSectionValues(const std::string& section, size_t maxFilled) const {
  // The key names come back NUL-separated in file order; the call reports a full buffer as
  // size - 2, so grow until the list fits.
  std::vector<char> names(4096);
  DWORD n = 0;
  while (true) {
    n = GetPrivateProfileStringA(section.c_str(), nullptr, "", names.data(),
                                 static_cast<DWORD>(names.size()), fileName_.c_str());
    if (n < names.size() - 2 || names.size() >= (1u << 26)) break;
    names.resize(names.size() * 4);
  }
  std::vector<std::pair<std::string, std::string>> result;
  size_t filled = 0;
  for (size_t i = 0; i < n && filled < maxFilled;) {
    std::string key(&names[i]);
    i += key.size() + 1;
    if (key.empty()) continue;
    result.emplace_back(key, ReadString(section, key, ""));
    if (!result.back().second.empty()) ++filled;
  }
  return result;
}

std::string IniFile::ReadString(const settings::Key& k) const {
  return ReadString(S(k.section), S(k.name), S(k.defaultString));
}
void IniFile::WriteString(const settings::Key& k, const std::string& value) {
  WriteString(S(k.section), S(k.name), value);
}
int32_t IniFile::ReadInteger(const settings::Key& k) const {
  return ReadInteger(S(k.section), S(k.name), k.defaultInteger);
}
void IniFile::WriteInteger(const settings::Key& k, int32_t value) {
  WriteInteger(S(k.section), S(k.name), value);
}
bool IniFile::ReadBool(const settings::Key& k) const {
  return ReadBool(S(k.section), S(k.name), k.defaultInteger != 0);
}
void IniFile::WriteBool(const settings::Key& k, bool value) { WriteBool(S(k.section), S(k.name), value); }
Colour IniFile::ReadColour(const settings::Key& k) const {
  return ReadColour(S(k.section), S(k.name), static_cast<Colour>(k.defaultInteger));
}
void IniFile::WriteColour(const settings::Key& k, Colour value) {
  WriteColour(S(k.section), S(k.name), value);
}

namespace {
std::string& Name() {
  static std::string name{settings::kFileName};
  return name;
}
} // namespace

const std::string& SettingsFileName() { return Name(); }
void SetSettingsFileName(std::string name) { Name() = std::move(name); }

} // namespace vd::forms
