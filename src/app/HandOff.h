#pragma once
#include "forms/IniFile.h"
#include "forms/Win.h"

#include <string>

namespace vd::app {

// How long each step of a second start may wait. The defaults are the program's; tests shorten
// them.
struct HandOffBounds {
  DWORD windowMs = 30000;   // for the first instance's window, when another start won the race
  DWORD slotLockMs = 60000; // for the hand-offs of other starts ahead of this one
  DWORD slotFreeMs = 30000; // for the running instance to take what waits in the slot
  DWORD pollMs = 20;
};

// The outcome of the race for first place: this start holds the single-instance mutex, or the
// running instance's window was found, or neither within the bound.
struct FirstPlace {
  HANDLE mutex = nullptr;
  HWND running = nullptr;
};
// Many starts at once: exactly one creates the mutex; the others wait for its window instead of
// failing while it is still being built. A start that finds the mutex gone tries again.
FirstPlace ClaimFirstPlace(const char* mutexName, const char* windowClass,
                           const HandOffBounds& bounds);

struct HandOffResult {
  bool delivered = false;
  std::string message; // why not, as the second start shows it
};

// Writes path into the slot of the settings file and posts the open request to target. Every
// start hands over under one cross-process lock, and writes only into an empty slot, so no
// start overwrites a path that has not been taken yet; it keeps the lock until the running
// instance has taken its path, so the next one's wait is short.
HandOffResult HandOver(const std::string& settingsFile, const std::string& path, HWND target,
                       const HandOffBounds& bounds = {});

// The cross-process lock that serialises the slot of one settings file.
std::string HandOffLockName(const std::string& settingsFile);

// The running instance's side: reads the slot and empties it in one hold of the settings lock.
std::string TakeHandedOverFile(forms::IniFile& settings);

} // namespace vd::app
