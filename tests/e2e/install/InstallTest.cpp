// The shipped setup, for real: install silently, start the installed program from where it was
// installed, end it, uninstall silently, and look at what is left. Runs in a prefix of its own
// (run-install-test.sh), since it changes Program Files, the Start menu and the registry.
#include "../Robot.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <fstream>

namespace vd::robot {
namespace {

std::string g_setup; // Windows path of the setup (Vellumdesk-<version>-setup.exe, or -32bit- in the
                     // 32-bit tree)

constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vellumdesk";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A registry value as text, or "<none>" when the key or value is missing.
std::string RegText(HKEY root, const char* key, const char* value) {
  char data[1024] = {};
  DWORD size = sizeof data - 1;
  if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
    return "<none>";
  return data;
}
bool KeyExists(HKEY root, const char* key) {
  HKEY h = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
    return false;
  RegCloseKey(h);
  return true;
}
void SetDefault(HKEY root, const char* key, const std::string& text) {
  HKEY h = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(h);
}

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Runs a command line and waits for it to end; returns its exit code, or -1.
long RunToEnd(std::string commandLine, std::chrono::milliseconds limit) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0)
    GetExitCodeProcess(pi.hProcess, &code);
  else
    TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

std::string ImageOf(DWORD processId) {
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!p)
    return {};
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameA(p, 0, path, &size);
  CloseHandle(p);
  return path;
}

bool SameText(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

TEST(Install, SilentSetupInstallsARunnableProgramAndSilentUninstallRemovesItButKeepsTheSettings) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << "the prefix is not fresh";
  RemoveSettings();

  // Install.
  ASSERT_EQ(RunToEnd("\"" + g_setup + "\" /S", 120s), 0) << "setup failed: " << g_setup;
  const std::string dir = RegText(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation");
  EXPECT_TRUE(SameText(dir, Folder(CSIDL_PROGRAM_FILES) + "\\Vellumdesk")) << dir;
  const struct {
    const char* value;
    std::string expected;
  } entries[] = {
      {"DisplayName", "Vellumdesk " VD_VERSION},
      {"DisplayVersion", VD_VERSION},
      {"Publisher", "The Vellumdesk developers"},
      {"UninstallString", "\"" + dir + "\\Uninstall.exe\""},
      {"DisplayIcon", dir + "\\Vellumdesk.exe,0"},
  };
  for (const auto& e : entries)
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallKey, e.value), e.expected) << e.value;
  const std::string files[] = {dir + "\\Vellumdesk.exe", dir + "\\ReadMe.txt",
                               dir + "\\Uninstall.exe"};
  for (const auto& f : files)
    EXPECT_TRUE(Exists(f)) << f;
  const std::string menu = Folder(CSIDL_COMMON_PROGRAMS) + "\\Vellumdesk";
  EXPECT_TRUE(Exists(menu + "\\Vellumdesk.lnk")) << menu;
  EXPECT_FALSE(ReadFileText(dir + "\\ReadMe.txt").empty());

  // Start the installed copy and see its main window.
  SetProgramPath(dir + "\\Vellumdesk.exe");
  {
    Program program;
    HWND main = program.WaitForWindow("TfrmMain");
    ASSERT_NE(main, nullptr) << "the installed program showed no main window";
    EXPECT_EQ(WindowText(main), VD_PROGRAM_TITLE);
    EXPECT_TRUE(SameText(ImageOf(program.ProcessId()), dir + "\\Vellumdesk.exe"))
        << ImageOf(program.ProcessId());
    ASSERT_TRUE(ExitProgram(main));
    EXPECT_EQ(program.WaitForExit(), 0);
  }

  // The user's settings: whatever the program wrote, or a file of our own if it wrote none.
  if (!Exists(SettingsPath()))
    std::ofstream(SettingsPath(), std::ios::binary) << "[Options]\r\nWordWrap=1\r\n";
  const std::string settings = ReadFileText(SettingsPath());
  ASSERT_FALSE(settings.empty());
  // The association the program writes at start (written here as the program does, should
  // this build not yet write it), so the uninstaller's hand-back is tested either way.
  if (RegText(HKEY_CLASSES_ROOT, ".txt", nullptr) != "VellumdeskFile") {
    SetDefault(HKEY_CLASSES_ROOT, ".txt", "VellumdeskFile");
    SetDefault(HKEY_CLASSES_ROOT, "VellumdeskFile\\DefaultIcon", dir + "\\Vellumdesk.exe,0");
  }

  // Uninstall. The uninstaller runs a copy of itself from the temporary folder and returns at
  // once, so wait for its work rather than for the process.
  const std::string uninstall = RegText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
  ASSERT_EQ(RunToEnd(uninstall + " /S", 60s), 0);
  EXPECT_TRUE(
      WaitUntil([&] { return !Exists(dir) && !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey); }, 60s))
      << dir << " or the uninstall entry is still there";
  for (const auto& f : files)
    EXPECT_FALSE(Exists(f)) << f;
  EXPECT_FALSE(Exists(menu)) << menu;
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "VellumdeskFile"));
  EXPECT_EQ(RegText(HKEY_CLASSES_ROOT, ".txt", nullptr), "txtfile");

  EXPECT_TRUE(Exists(SettingsPath())) << "the uninstaller removed the settings file";
  EXPECT_EQ(ReadFileText(SettingsPath()), settings);
}

} // namespace
} // namespace vd::robot

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--setup=", 8) == 0)
      vd::robot::g_setup = argv[i] + 8;
  if (vd::robot::g_setup.empty()) {
    std::fprintf(stderr, "usage: vd_install_robot --setup=<path of the setup>\n");
    return 2;
  }
  return RUN_ALL_TESTS();
}
