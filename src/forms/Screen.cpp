#include "forms/Screen.h"

#include "forms/Win.h"

namespace vd::forms {

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoA(monitor, &mi)) {
    const RECT& r = mi.rcWork;
    reinterpret_cast<std::vector<Bounds>*>(data)->push_back(
        Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  return TRUE;
}
} // namespace

std::vector<Bounds> MonitorWorkAreas() {
  std::vector<Bounds> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

} // namespace vd::forms
