#include "forms/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vd::forms::Application& app = vd::forms::Application::Instance();
  app.Initialize(GetModuleHandleA(nullptr));
  app.SetTitle("Vellumdesk v2.2");
  return RUN_ALL_TESTS();
}
