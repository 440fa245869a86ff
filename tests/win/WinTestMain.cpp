#include "app/MainAssociation.h"
#include "Version.h"
#include "forms/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vd::forms::Application& app = vd::forms::Application::Instance();
  app.Initialize(GetModuleHandleA(nullptr));
  app.SetTitle(VD_PROGRAM_TITLE);
  // Every main window a test makes registers the test program as the .txt opener: keep that out
  // of the prefix's classes, which the end-to-end run shares.
  static HKEY classes = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VellumdeskTests\\Classes", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &classes, nullptr);
  vd::app::AssociationRoot().Install(&classes);
  return RUN_ALL_TESTS();
}
