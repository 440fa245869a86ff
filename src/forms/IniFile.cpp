#include "forms/IniFile.h"

#include "core/IniValues.h"
#include "forms/Errors.h"
#include "forms/Win.h"

#include <map>
#include <mutex>

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
  SettingsLock hold(fileName_);
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

bool IniFile::ReadBool(const std::string& section, const std::string& key,
                       bool defaultValue) const {
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
    if (n < names.size() - 2 || names.size() >= (1u << 26))
      break;
    names.resize(names.size() * 4);
  }
  std::vector<std::pair<std::string, std::string>> result;
  size_t filled = 0;
  for (size_t i = 0; i < n && filled < maxFilled;) {
    std::string key(&names[i]);
    i += key.size() + 1;
    if (key.empty())
      continue;
    result.emplace_back(key, ReadString(section, key, ""));
    if (!result.back().second.empty())
      ++filled;
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
void IniFile::WriteBool(const settings::Key& k, bool value) {
  WriteBool(S(k.section), S(k.name), value);
}
Colour IniFile::ReadColour(const settings::Key& k) const {
  return ReadColour(S(k.section), S(k.name), static_cast<Colour>(k.defaultInteger));
}
void IniFile::WriteColour(const settings::Key& k, Colour value) {
  WriteColour(S(k.section), S(k.name), value);
}

std::string LockNameFor(const std::string& fileName, const std::string& prefix) {
  // A bare name is where the private-profile functions put it: the Windows directory.
  std::string full;
  if (fileName.find_first_of("\\/:") == std::string::npos) {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    full = std::string(dir) + "\\" + fileName;
  } else {
    char buffer[MAX_PATH * 2] = {};
    const DWORD n = GetFullPathNameA(fileName.c_str(), sizeof buffer, buffer, nullptr);
    full = (n > 0 && n < sizeof buffer) ? std::string(buffer, n) : fileName;
  }
  // Object names may not hold a backslash, and file names ignore letter case.
  for (char& c : full) {
    if (c == '\\')
      c = '/';
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return prefix + full;
}

HANDLE SharedMutex(const std::string& lockName) {
  // Created once and kept for the process's life: a handle per hold would cost a kernel call
  // each time, and the mutex must outlive every thread that nests holds on it.
  static std::mutex guard;
  static std::map<std::string, HANDLE>* handles = new std::map<std::string, HANDLE>();
  std::lock_guard<std::mutex> lock(guard);
  HANDLE& h = (*handles)[lockName];
  if (!h)
    h = CreateMutexA(nullptr, FALSE, lockName.c_str());
  return h;
}

namespace {
// How deep this thread holds each settings lock. A plain array rather than a map: a
// thread_local object with a destructor crashed the 32-bit build at thread exit under Wine.
struct Depth {
  HANDLE mutex;
  int depth;
};
constexpr int kMaxHeldFiles = 8;
thread_local Depth t_depths[kMaxHeldFiles];

Depth* DepthOf(HANDLE mutex) {
  Depth* empty = nullptr;
  for (Depth& d : t_depths) {
    if (d.mutex == mutex)
      return &d;
    if (!d.mutex && !empty)
      empty = &d;
  }
  if (empty)
    *empty = {mutex, 0};
  return empty;
}
} // namespace

SettingsLock::SettingsLock(const std::string& fileName, DWORD waitMs)
    : mutex_(SharedMutex(LockNameFor(fileName, "Vellumdesk.settings:"))) {
  const DWORD got = mutex_ ? WaitForSingleObject(mutex_, waitMs) : WAIT_FAILED;
  // An abandoned hold (its process died) is ours now; the file is as the last write left it.
  if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED)
    throw Error("Unable to write to " + fileName);
  Depth* d = DepthOf(mutex_);
  if (!d || d->depth++ == 0) {
    // Under Wine a process works from its own cached copy of the file until it is told to drop
    // it; another process may have written since.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName.c_str());
  }
}

SettingsLock::~SettingsLock() {
  Depth* d = DepthOf(mutex_);
  if (d && --d->depth == 0)
    d->mutex = nullptr;
  ReleaseMutex(mutex_);
}

Service<const std::string>& SettingsFileName() {
  static const std::string real{settings::kFileName};
  static Service<const std::string> slot(real);
  return slot;
}

} // namespace vd::forms
