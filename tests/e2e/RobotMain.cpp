#include "Robot.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
  // Outside the tests: ends a running program the way a user would (used by scripts/run).
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--exit-program") == 0)
      return vd::robot::ExitRunningProgram() ? 0 : 1;
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--program=", 10) == 0)
      vd::robot::SetProgramPath(argv[i] + 10);
  if (vd::robot::ProgramPath().empty()) {
    std::fprintf(stderr, "usage: vd_robot --program=<path of Vellumdesk.exe>\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
