#include "ShellTray.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>

namespace vd::robot {
namespace {

// TTTOOLINFOA as the shell's process lays it out: the robot may be 32-bit while the shell is
// 64-bit, so the record is written in the target's own layout.
#pragma pack(push, 1)
template <class Ptr> struct ToolInfo {
  uint32_t cbSize, uFlags;
  Ptr hwnd, uId;
  RECT rect;
  Ptr hinst, text, lParam, reserved;
};
#pragma pack(pop)

bool Is64BitProcess(HANDLE process) {
  SYSTEM_INFO si;
  GetNativeSystemInfo(&si);
  BOOL wow = FALSE;
  IsWow64Process(process, &wow);
  return si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 && !wow;
}

// Asks the tool tip control for tool `index` and its text, through memory in its process.
template <class Ptr>
bool ReadTool(HWND tips, HANDLE process, char* remote, int index, ShellTrayIcon& out) {
  constexpr std::size_t kTextAt = 1024, kText = 256;
  ToolInfo<Ptr> ti{};
  ti.cbSize = sizeof ti;
  if (!WriteProcessMemory(process, remote, &ti, sizeof ti, nullptr))
    return false;
  if (!SendMessageA(tips, TTM_ENUMTOOLSA, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(remote)))
    return false;
  ReadProcessMemory(process, remote, &ti, sizeof ti, nullptr);
  ti.text = static_cast<Ptr>(reinterpret_cast<uintptr_t>(remote + kTextAt));
  const char none = 0;
  WriteProcessMemory(process, remote, &ti, sizeof ti, nullptr);
  WriteProcessMemory(process, remote + kTextAt, &none, 1, nullptr);
  SendMessageA(tips, TTM_GETTEXTA, kText, reinterpret_cast<LPARAM>(remote));
  char text[kText] = {};
  ReadProcessMemory(process, remote + kTextAt, text, kText - 1, nullptr);
  out.window = reinterpret_cast<HWND>(static_cast<uintptr_t>(ti.hwnd));
  out.tip = text;
  return true;
}

BOOL CALLBACK CollectTrayTips(HWND hwnd, LPARAM param) {
  char cls[64] = {}, ownerCls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (HWND owner = GetWindow(hwnd, GW_OWNER))
    GetClassNameA(owner, ownerCls, sizeof ownerCls);
  if (std::strcmp(cls, TOOLTIPS_CLASSA) == 0 && std::strstr(ownerCls, "tray") != nullptr)
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

} // namespace

std::vector<ShellTrayIcon> ShellTrayIcons() {
  std::vector<HWND> tipWindows;
  EnumWindows(&CollectTrayTips, reinterpret_cast<LPARAM>(&tipWindows));
  std::vector<ShellTrayIcon> icons;
  for (HWND tips : tipWindows) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tips, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, pid);
    if (!process)
      continue;
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    const int count = remote ? static_cast<int>(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
      ShellTrayIcon icon{};
      const bool ok = Is64BitProcess(process) ? ReadTool<uint64_t>(tips, process, remote, i, icon)
                                              : ReadTool<uint32_t>(tips, process, remote, i, icon);
      if (ok)
        icons.push_back(icon);
    }
    if (remote)
      VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
  }
  return icons;
}

std::vector<COLORREF> IconPixels(HWND iconWindow) {
  RECT r{};
  if (!IsWindow(iconWindow) || !GetWindowRect(iconWindow, &r))
    return {};
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<COLORREF> pixels;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      pixels.push_back(GetPixel(mem, x, y));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return pixels;
}

} // namespace vd::robot
