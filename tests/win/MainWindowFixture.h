#pragma once
// The main window created for real in this process, with its dialogs made and handed to it as
// the program entry does, with message boxes, file dialogs and the tray's shell answered by
// stand-ins, and its own settings file and folder for each test.
#include "RecordingTrayShell.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "app/Forms.h"
#include "app/Mainform2.h"
#include "forms/Application.h"
#include "forms/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vd::test {

using app::TfrmMain;
using Strings = std::vector<std::string>;

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override {
    const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    iniName_ = "VdMain-" + test + ".ini";
    settingsName_.emplace(forms::SettingsFileName(), iniName_);
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, MAX_PATH);
    iniPath_ = std::string(dir) + "\\" + iniName_;
    DeleteFileA(iniPath_.c_str());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vdmain-" + test;
    CreateDirectoryA(folder_.c_str(), nullptr);
    EmptyFolder(); // a run in a reused prefix must not find the last run's files
    forms::Application::Instance().ResetTerminated();
  }
  void TearDown() override {
    Stop();
    settingsName_.reset();
    DeleteFileA(iniPath_.c_str());
    forms::Application::Instance().ResetTerminated();
  }

  void EmptyFolder() {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
      return;
    do {
      const std::string path = folder_ + "\\" + fd.cFileName;
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  TfrmMain& Start(std::optional<std::string> file = std::nullopt) {
    Stop();
    forms_.Create(file);
    frm_ = forms_.frmMain.get();
    return *frm_;
  }
  // Destroys the window and its dialogs, as the end of a run does; a later Start is a new run.
  void Stop() {
    forms_.Destroy();
    frm_ = nullptr;
  }
  std::string File(const std::string& name, const std::string& content) {
    const std::string path = folder_ + "\\" + name;
    WriteBytes(path, content);
    return path;
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> c;
    for (int i = 0; i < frm_->PageControl().PageCount(); ++i)
      c.push_back(frm_->PageControl().Caption(i));
    return c;
  }
  void Type(const std::string& text) { frm_->ActiveEditor().ReplaceSelection(text, true); }

  ScriptedMessageBoxes boxes;
  ScriptedDialogs dialogs;
  std::vector<TrayShellCall> trayCalls;
  app::Forms forms_;
  TfrmMain* frm_ = nullptr;
  std::string iniName_, iniPath_, folder_;

private:
  std::optional<ServiceOverride<const std::string>> settingsName_;
  const tray::TrayShellFactory recordingShells_ = [this] {
    return std::make_unique<RecordingTrayShell>(trayCalls);
  };
  ServiceOverride<const tray::TrayShellFactory> trayShells_{tray::TrayShells(), recordingShells_};
};

} // namespace vd::test
