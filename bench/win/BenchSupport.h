#pragma once
// What the Wine benchmarks share: a clock, the peak memory, and the bare control's stream-in.
#include "forms/Win.h"

#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace vd::bench {

inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

inline double PeakMb() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  return static_cast<double>(pmc.PeakWorkingSetSize) / (1 << 20);
}
inline double PeakPrivateMb() {
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof(pmc);
  GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
  return static_cast<double>(pmc.PeakPagefileUsage) / (1 << 20);
}

struct BareIn {
  const char* p;
  std::size_t left;
};
inline DWORD CALLBACK BareInCallback(DWORD_PTR c, LPBYTE buf, LONG cb, LONG* got) {
  auto* s = reinterpret_cast<BareIn*>(c);
  const std::size_t n = std::min<std::size_t>(s->left, static_cast<std::size_t>(cb));
  std::memcpy(buf, s->p, n);
  s->p += n;
  s->left -= n;
  *got = static_cast<LONG>(n);
  return 0;
}
inline double BareStreamIn(HWND h, const std::string& text) {
  BareIn in{text.data(), text.size()};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&in);
  es.pfnCallback = &BareInCallback;
  const double t0 = Now();
  SendMessageA(h, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  return Now() - t0;
}

} // namespace vd::bench
