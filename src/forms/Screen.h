#pragma once
#include "core/Placement.h"

#include <vector>

namespace vd::forms {

// The work area (the monitor less task bars) of every monitor, in virtual-screen pixels.
std::vector<Bounds> MonitorWorkAreas();

} // namespace vd::forms
