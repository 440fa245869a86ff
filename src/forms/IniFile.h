#pragma once
#include "core/Colour.h"
#include "core/SettingsKeys.h"
#include "core/Services.h"
#include "forms/Win.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vd::forms {

// A handle on a settings file through the private-profile functions. It caches nothing: every
// read goes to the file and every write reaches it at once, so all objects on one name agree.
// A bare name lives in the Windows directory.
class IniFile {
public:
  explicit IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  // At most 2047 characters come back, as the private-profile functions give them.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Throws Error("Unable to write to <file name>") when the system refuses the write.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  int32_t ReadInteger(const std::string& section, const std::string& key,
                      int32_t defaultValue) const;
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
  void WriteBool(const std::string& section, const std::string& key, bool value);
  Colour ReadColour(const std::string& section, const std::string& key, Colour defaultValue) const;
  void WriteColour(const std::string& section, const std::string& key, Colour value);

  // The section's keys in file order with their values, up to the one that makes maxFilled
  // non-empty values (each value is a lookup of its own, so a long section costs).
  std::vector<std::pair<std::string, std::string>>
  ReadSectionValues(const std::string& section, size_t maxFilled = SIZE_MAX) const;

  // The same, addressed by an entry of the key table with its own default.
  std::string ReadString(const settings::Key& k) const;
  void WriteString(const settings::Key& k, const std::string& value);
  int32_t ReadInteger(const settings::Key& k) const;
  void WriteInteger(const settings::Key& k, int32_t value);
  bool ReadBool(const settings::Key& k) const;
  void WriteBool(const settings::Key& k, bool value);
  Colour ReadColour(const settings::Key& k) const;
  void WriteColour(const settings::Key& k, Colour value);

private:
  std::string fileName_;
};

// A hold on one settings file shared by every process that uses it (a named mutex derived from
// the file's full path). The private-profile functions read, change and rewrite the whole file
// on each write, so two processes writing at once lose each other's keys; every write goes
// under this hold, and a group of writes that belongs together (the exit sequence, the
// hand-off slot's read-and-empty) takes it once around the group. Holds nest on one thread.
// Taking the outermost hold drops this process's cached copy of the file, so what follows
// starts from the file as it is on disk.
class SettingsLock {
public:
  static constexpr DWORD kDefaultWaitMs = 10000;
  // Throws Error("Unable to write to <file name>") when the file stays held elsewhere for
  // waitMs: the write it guards cannot be made safely.
  explicit SettingsLock(const std::string& fileName, DWORD waitMs = kDefaultWaitMs);
  ~SettingsLock();
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

private:
  HANDLE mutex_;
};

// The name of the cross-process lock of a file: one per full path, whatever its spelling.
std::string LockNameFor(const std::string& fileName, const std::string& prefix);
// Opens (or creates) the named mutex for a lock name once per process and keeps it.
HANDLE SharedMutex(const std::string& lockName);

// The name every settings object of the program uses; tests and benchmarks point it elsewhere.
Service<const std::string>& SettingsFileName();

} // namespace vd::forms
