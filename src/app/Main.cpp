#include "app/Program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return vd::app::RunProgram(instance, GetCommandLineA());
}
