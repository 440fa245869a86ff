#include "app/HandOff.h"

#include "app/Mainform2.h"
#include "core/SettingsKeys.h"
#include "forms/Errors.h"

namespace vd::app {

namespace {

std::string Seconds(DWORD ms) { return std::to_string((ms + 999) / 1000); }

// Polls until the condition holds or ms have passed; true when it held.
template <class F> bool WaitFor(F&& condition, DWORD ms, DWORD pollMs) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (true) {
    if (condition())
      return true;
    if (GetTickCount64() >= end)
      return false;
    Sleep(pollMs);
  }
}

std::string ReadSlot(forms::IniFile& settings) {
  forms::SettingsLock hold(settings.FileName());
  return settings.ReadString(settings::kHandOffFile);
}

// Takes back a path nobody will read; the refusal already says what went wrong.
void ClearSlot(forms::IniFile& settings) noexcept {
  try {
    settings.WriteString(settings::kHandOffFile, "");
  } catch (const forms::Error&) {
  }
}

class Holding {
public:
  explicit Holding(HANDLE mutex) : mutex_(mutex) {}
  ~Holding() { ReleaseMutex(mutex_); }
  Holding(const Holding&) = delete;
  Holding& operator=(const Holding&) = delete;

private:
  HANDLE mutex_;
};

} // namespace

FirstPlace ClaimFirstPlace(const char* mutexName, const char* windowClass,
                           const HandOffBounds& bounds) {
  FirstPlace result;
  WaitFor(
      [&] {
        HANDLE mutex = CreateMutexA(nullptr, TRUE, mutexName);
        if (mutex && GetLastError() != ERROR_ALREADY_EXISTS) {
          result.mutex = mutex;
          return true;
        }
        if (mutex)
          CloseHandle(mutex);
        result.running = FindWindowA(windowClass, nullptr);
        return result.running != nullptr;
      },
      bounds.windowMs, bounds.pollMs);
  return result;
}

HandOffResult HandOver(const std::string& settingsFile, const std::string& path, HWND target,
                       const HandOffBounds& bounds) {
  auto refused = [&](const std::string& reason) {
    return HandOffResult{
        false, "File " + path + " could not be handed over to the running Vellumdesk.  " + reason};
  };
  HANDLE slotLock = forms::SharedMutex(HandOffLockName(settingsFile));
  const DWORD got = slotLock ? WaitForSingleObject(slotLock, bounds.slotLockMs) : WAIT_FAILED;
  if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED)
    return refused("Other files were still being handed over after " + Seconds(bounds.slotLockMs) +
                   " seconds.");
  Holding holding(slotLock);
  forms::IniFile settings(settingsFile);
  try {
    // An instance that only knows the bare slot writes without this lock: wait until what it
    // wrote has been taken rather than overwrite it.
    if (!WaitFor([&] { return ReadSlot(settings).empty(); }, bounds.slotFreeMs, bounds.pollMs))
      return refused("It had not taken the file handed over before within " +
                     Seconds(bounds.slotFreeMs) + " seconds.");
    settings.WriteString(settings::kHandOffFile, path);
  } catch (const forms::Error& e) {
    return refused(std::string(e.what()) + ".");
  }
  if (!PostMessageA(target, WM_OPENREQUEST, 0, 0)) {
    ClearSlot(settings);
    return refused("It did not accept the request.");
  }
  // Until the running instance has taken the path, the next start could only wait for it.
  bool taken = false;
  try {
    taken = WaitFor([&] { return ReadSlot(settings).empty() || !IsWindow(target); },
                    bounds.slotFreeMs, bounds.pollMs) &&
            ReadSlot(settings).empty();
  } catch (const forms::Error&) {
    taken = false;
  }
  if (!taken && !IsWindow(target)) {
    ClearSlot(settings);
    return refused("It ended before it took the file.");
  }
  // A running instance that is busy (a dialog of its own) takes the path when it gets to the
  // request; the next start waits for that.
  return {true, ""};
}

std::string HandOffLockName(const std::string& settingsFile) {
  return forms::LockNameFor(settingsFile, "Vellumdesk.handoff:");
}

std::string TakeHandedOverFile(forms::IniFile& settings) {
  forms::SettingsLock hold(settings.FileName());
  std::string path = settings.ReadString(settings::kHandOffFile);
  settings.WriteString(settings::kHandOffFile, "");
  return path;
}

} // namespace vd::app
