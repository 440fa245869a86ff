#include "Robot.h"

#include <fstream>
#include <sstream>
#include <thread>

namespace vd::robot {

namespace {
std::string& Path() {
  static std::string p;
  return p;
}
} // namespace

const std::string& ProgramPath() { return Path(); }
void SetProgramPath(std::string path) { Path() = std::move(path); }

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (true) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(50ms);
  }
}

std::string SettingsPath() {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\Vellumdesk.ini";
}

void RemoveSettings() {
  SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(SettingsPath().c_str());
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

Program::Program(const std::string& arguments) {
  std::string commandLine = "\"" + ProgramPath() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi_))
    throw std::runtime_error("cannot start " + commandLine);
}

Program::~Program() {
  Kill();
  if (pi_.hProcess) CloseHandle(pi_.hProcess);
  if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool Program::Running() const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

long Program::WaitForExit(std::chrono::milliseconds limit) {
  if (WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
    return -1;
  DWORD code = 0;
  GetExitCodeProcess(pi_.hProcess, &code);
  return static_cast<long>(code);
}

void Program::Kill() {
  if (Running()) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
}

namespace {
struct Search {
  DWORD pid;
  const char* cls;
  HWND found;
};
BOOL CALLBACK FindOfProcess(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && ClassName(hwnd) == s->cls) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
} // namespace

HWND Program::FindWindowOfClass(const char* className) const {
  Search s{pi_.dwProcessId, className, nullptr};
  EnumWindows(&FindOfProcess, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND Program::WaitForWindow(const char* className, std::chrono::milliseconds limit) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOfClass(className)) != nullptr; }, limit);
  return found;
}

bool ExitProgram(HWND mainWindow) {
  PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  return WaitUntil([&] { return !IsWindow(mainWindow); });
}

bool ExitRunningProgram() {
  HWND main = FindWindowA("TfrmMain", nullptr);
  return main && ExitProgram(main);
}

std::string WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthA(hwnd);
  std::string s(n + 1, '\0');
  s.resize(GetWindowTextA(hwnd, s.data(), n + 1));
  return s;
}

std::string ClassName(HWND hwnd) {
  char cls[256] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  return cls;
}

} // namespace vd::robot
