#pragma once
#include "forms/Win.h"

namespace vd::app {

// The program entry's work: the application object, the forms and the message loop. Returns the
// process exit code, which is 0 in every case.
int RunProgram(HINSTANCE instance, const char* commandLine);

} // namespace vd::app
