#pragma once
#include "forms/Win.h"

#include <string>

namespace vd::app {

// The program entry's work: the hand-off slot, the single-instance rule, the forms and the
// message loop. Returns the process exit code, which is 0 in every case.
int RunProgram(HINSTANCE instance, const std::string& commandLine);

inline constexpr char kMutexName[] = "SINGLE.MUTEX";

} // namespace vd::app
