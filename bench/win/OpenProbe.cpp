// Times an editor program from its start until its editor holds a whole file, as a user would
// see it: starts "<program> <file>", then polls the text length of the program's editor control
// (rich-edit or edit) until it reaches the expected count, then ends the program.
//   vd_open_probe <program path, or wordpad / notepad> <file> <expected length> [limit seconds]
// Prints "RESULT <seconds> <peak working set MB>" or "TIMEOUT <seconds>".
// wordpad and notepad are Wine's own of the probe's width: the probe looks for them where a
// process of its width finds them.
#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  DWORD pid;
  HWND editor = nullptr;
};

bool IsEditorClass(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  CharUpperA(name);
  const std::string n = name;
  return n.rfind("RICHEDIT", 0) == 0 || n == "EDIT";
}

BOOL CALLBACK FindChild(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (IsEditorClass(h) && IsWindowVisible(h)) {
    s->editor = h;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindTop(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != s->pid || !IsWindowVisible(h))
    return TRUE;
  EnumChildWindows(h, &FindChild, p);
  return s->editor ? FALSE : TRUE;
}

std::string Resolve(const std::string& program) {
  const char* known = program == "wordpad" ? "%ProgramFiles%\\Windows NT\\Accessories\\wordpad.exe"
                      : program == "notepad" ? "%SystemRoot%\\system32\\notepad.exe"
                                             : nullptr;
  if (!known)
    return program;
  char path[MAX_PATH] = {};
  ExpandEnvironmentStringsA(known, path, MAX_PATH);
  return path;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(
        stderr,
        "usage: vd_open_probe <program|wordpad|notepad> <file> <expected length> [limit s]\n");
    return 2;
  }
  const std::string program = Resolve(argv[1]);
  const long expected = std::atol(argv[3]);
  const double limit = argc > 4 ? std::atof(argv[4]) : 300.0;
  std::string command = "\"" + program + "\" \"" + argv[2] + "\"";

  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double t0 = vd::bench::Now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return 1;
  }
  Search s{pi.dwProcessId};
  double took = -1;
  while (vd::bench::Now() - t0 < limit) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
      break; // ended by itself
    if (!s.editor || !IsWindow(s.editor)) {
      s.editor = nullptr;
      EnumWindows(&FindTop, reinterpret_cast<LPARAM>(&s));
    }
    DWORD_PTR length = 0;
    // A busy program answers late; the time counted is the time it takes to answer whole.
    // Asked in Unicode: Wine answers an ANSI WM_GETTEXTLENGTH from another process by carrying
    // the whole text across to count it in the sender's code page, which at 10 MiB cost either
    // program about a second and 20-30 MB of peak working set that no user ever sees.
    if (s.editor &&
        SendMessageTimeoutW(s.editor, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length) &&
        static_cast<long>(length) >= expected) {
      took = vd::bench::Now() - t0;
      break;
    }
    Sleep(10);
  }
  double peak = 0;
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc))
    peak = static_cast<double>(pmc.PeakWorkingSetSize) / (1 << 20);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (took < 0) {
    std::printf("TIMEOUT %.1f\n", vd::bench::Now() - t0);
    return 0;
  }
  std::printf("RESULT %.2f %.1f\n", took, peak);
  return 0;
}
