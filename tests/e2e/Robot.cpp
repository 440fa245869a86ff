#include "Robot.h"

#include <commctrl.h>
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
    if (condition())
      return true;
    if (std::chrono::steady_clock::now() >= end)
      return false;
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
  if (!arguments.empty())
    commandLine += " " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi_))
    throw std::runtime_error("cannot start " + commandLine);
}

Program::~Program() {
  Kill();
  if (pi_.hProcess)
    CloseHandle(pi_.hProcess);
  if (pi_.hThread)
    CloseHandle(pi_.hThread);
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
  // A window exists before its form has finished building it: wait until it is shown.
  WaitUntil(
      [&] { return (found = FindWindowOfClass(className)) != nullptr && IsWindowVisible(found); },
      limit);
  return found && IsWindowVisible(found) ? found : nullptr;
}

namespace {
void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

WORD Mnemonic(const std::string& caption) {
  const auto amp = caption.find('&');
  if (amp == std::string::npos || amp + 1 >= caption.size())
    return 0;
  return static_cast<WORD>(toupper(static_cast<unsigned char>(caption[amp + 1])));
}
} // namespace

// Menus belong to their process under Wine, so another process cannot read them; the robot
// uses the keyboard as a person would: Alt and the menu's mnemonic, then each item's mnemonic.
bool MenuCommand(HWND window, const std::vector<std::string>& captions) {
  if (captions.empty())
    return false;
  SetForegroundWindow(window);
  if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 5s))
    return false;
  for (size_t depth = 0; depth < captions.size(); ++depth) {
    const WORD key = Mnemonic(captions[depth]);
    if (!key)
      return false;
    if (depth == 0)
      Key(VK_MENU, false);
    Key(key, false);
    Key(key, true);
    if (depth == 0)
      Key(VK_MENU, true);
  }
  return true;
}

namespace {
struct DialogSearch {
  DWORD pid;
  HWND found;
};
BOOL CALLBACK FindDialogOf(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<DialogSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd) && ClassName(hwnd) == "#32770") {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM lParam) {
  auto* text = reinterpret_cast<std::string*>(lParam);
  if (ClassName(hwnd) == "Static" || ClassName(hwnd) == "STATIC") {
    const std::string t = WindowText(hwnd);
    if (!t.empty() && text->empty())
      *text = t;
  }
  return TRUE;
}
} // namespace

HWND FindDialog(DWORD processId) {
  DialogSearch s{processId, nullptr};
  EnumWindows(&FindDialogOf, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitForDialog(DWORD processId, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialog(processId)) != nullptr; }, limit);
  return found;
}

std::string MessageBoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, &CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND TabControlOf(HWND main) { return FindWindowExA(main, nullptr, "SysTabControl32", nullptr); }

std::vector<std::string> TabCaptions(HWND main) {
  HWND tabs = TabControlOf(main);
  std::vector<std::string> captions;
  if (!tabs)
    return captions;
  DWORD pid = 0;
  GetWindowThreadProcessId(tabs, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process)
    return captions;
  // The item record and its text buffer must live in the program's own memory. The record is
  // laid out for the robot's own pointer size, which matches the program's build.
  constexpr size_t kText = 512;
  char* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TCITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
  const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = remote + sizeof(TCITEMA);
    item.cchTextMax = kText;
    WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
    char text[kText] = {};
    ReadProcessMemory(process, remote + sizeof(TCITEMA), text, kText - 1, nullptr);
    captions.emplace_back(text);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return captions;
}

int ActiveTab(HWND main) {
  return static_cast<int>(SendMessageA(TabControlOf(main), TCM_GETCURSEL, 0, 0));
}

namespace {
BOOL CALLBACK FindVisibleEditor(HWND hwnd, LPARAM lParam) {
  if (ClassName(hwnd) == "RICHEDIT" && IsWindowVisible(hwnd)) {
    // Visible means its page is the shown one: check every ancestor.
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
  }
  return TRUE;
}
} // namespace

HWND ActiveEditorOf(HWND main) {
  HWND editor = nullptr;
  EnumChildWindows(main, &FindVisibleEditor, reinterpret_cast<LPARAM>(&editor));
  return editor;
}

std::string EditorText(HWND editor) {
  // GetWindowText reads only the caption of another process's window; ask the control itself.
  const LRESULT n = SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  s.resize(static_cast<size_t>(
      SendMessageA(editor, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()))));
  return s;
}

void TypeText(HWND editor, const std::string& text) {
  for (char c : text)
    PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool ExitProgram(HWND mainWindow) {
  if (!MenuCommand(mainWindow, {"&File", "E&xit"}))
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

namespace {
BOOL CALLBACK AnyVisibleOf(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<std::pair<DWORD, bool>*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->first && IsWindowVisible(hwnd)) {
    s->second = true;
    return FALSE;
  }
  return TRUE;
}

struct ChildSearch {
  std::string className; // compared ignoring case: Wine spells some classes in capitals
  int left;              // in device pixels, within the parent
  bool visibleOnly;
  HWND found;
};
BOOL CALLBACK FindChildAt(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<ChildSearch*>(lParam);
  if (lstrcmpiA(ClassName(hwnd).c_str(), s->className.c_str()) != 0)
    return TRUE;
  RECT r{};
  GetWindowRect(hwnd, &r);
  POINT p{r.left, r.top};
  ScreenToClient(GetParent(hwnd), &p);
  if (p.x == s->left && (!s->visibleOnly || IsWindowVisible(hwnd))) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
} // namespace

HWND TrayWindowOf(const Program& program) { return program.FindWindowOfClass("VdTrayIconWindow"); }

void PostTrayMouse(HWND trayWindow, UINT mouseMessage) {
  PostMessageA(trayWindow, 2053, 1005, static_cast<LPARAM>(mouseMessage)); // the callback message
}

bool HasVisibleWindow(DWORD processId) {
  std::pair<DWORD, bool> s{processId, false};
  EnumWindows(&AnyVisibleOf, reinterpret_cast<LPARAM>(&s));
  return s.second;
}

HWND ToolbarChildAt(HWND main, const char* className, int designedLeft, bool visibleOnly) {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  ChildSearch s{className, MulDiv(designedLeft, dpi, 96), visibleOnly, nullptr};
  EnumChildWindows(main, &FindChildAt, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND ToolbarButtonAt(HWND main, int designedLeft) {
  return ToolbarChildAt(main, "Button", designedLeft, true);
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void PressKey(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

} // namespace vd::robot

namespace vd::robot {

void PressChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> in;
  for (WORD k : keys) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    in.push_back(i);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = *--it;
    i.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

namespace {
void MouseAt(POINT at, DWORD buttons) {
  INPUT in[3]{};
  in[0].type = INPUT_MOUSE;
  // Absolute coordinates run from 0 to 65535 over the primary screen.
  in[0].mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in[0].mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  UINT n = 1;
  if (buttons) {
    in[1].type = in[2].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    n = 3;
  }
  SendInput(n, in, sizeof(INPUT));
}

void MouseAt(HWND hwnd, DWORD buttons) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MouseAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, buttons);
}

BOOL CALLBACK VisibleToolTip(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<std::pair<DWORD, bool>*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->first && IsWindowVisible(hwnd) && ClassName(hwnd) == TOOLTIPS_CLASSA) {
    s->second = true;
    return FALSE;
  }
  return TRUE;
}
} // namespace

void PointAt(HWND hwnd) { MouseAt(hwnd, 0); }
void ClickOn(HWND hwnd) { MouseAt(hwnd, 1); }
void ClickAt(POINT screen) { MouseAt(screen, 1); }

std::string StatusPanelText(HWND main, int panel) {
  HWND bar = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
  if (!bar)
    return "<no status bar>";
  DWORD pid = 0;
  GetWindowThreadProcessId(bar, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process)
    return "<no access>";
  constexpr size_t kText = 512;
  char* remote =
      static_cast<char*>(VirtualAllocEx(process, nullptr, kText, MEM_COMMIT, PAGE_READWRITE));
  std::string text;
  const LRESULT length = SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(panel), 0);
  if (LOWORD(length) < kText) {
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(remote));
    char local[kText] = {};
    ReadProcessMemory(process, remote, local, kText - 1, nullptr);
    text = local;
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return text;
}

bool ShowsToolTip(DWORD processId) {
  std::pair<DWORD, bool> s{processId, false};
  EnumWindows(&VisibleToolTip, reinterpret_cast<LPARAM>(&s));
  return s.second;
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr))
    return false;
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
  GlobalUnlock(mem);
  const bool ok = SetClipboardData(CF_TEXT, mem) != nullptr;
  CloseClipboard();
  return ok;
}

void FolderTest::SetUp() {
  RemoveSettings();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ =
      std::string(temp) + "vd-e2e-" + testing::UnitTest::GetInstance()->current_test_info()->name();
  CreateDirectoryA(folder_.c_str(), nullptr);
}

std::string FolderTest::File(const std::string& name, const std::string& bytes) {
  const std::string path = folder_ + "\\" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

} // namespace vd::robot
