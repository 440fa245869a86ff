// A benchmark, not a test: how long the editor wrapper takes to open and save a 1 MB and a 10 MB
// plain-text file under Wine, beside the bare control's own EM_STREAMIN and EM_STREAMOUT of the
// same bytes in the same run, and the peak memory; and the two ways of ReplaceRange on 1 MB.
// Each measurement runs in a process of its own (Wine's heap is slower after a large control has
// been freed, which would favour whichever ran first); scripts/bench-files runs them and prints
// the table. Usage:
//   vd_bench_files open-bare|open|save-bare|save MB
//   vd_bench_files replace streamed|replacesel|sliced
// Each prints one line: RESULT <what> <MB> <seconds> <peak working set MB> <peak private MB>
// and, for replace, a second figure (1 KB replaced in the middle of 1 MB).
#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/RichEditBench.h"
#include "BenchSupport.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using vd::forms::RichEdit;
using vd::forms::RichEditBench;
using namespace vd::bench;

namespace {

// Text of lines 40 to 90 characters long, CR LF, some bytes above 127.
std::string MakeText(std::size_t bytes) {
  std::string t;
  t.reserve(bytes + 128);
  for (unsigned i = 0; t.size() < bytes; ++i) {
    t += "Line ";
    t += std::to_string(i);
    t += " of the benchmark text, caf\xE9 \xA9 ";
    t.append(10 + i % 40, static_cast<char>('a' + i % 26));
    t += "\r\n";
  }
  t.resize(bytes - 2);
  t += "\r\n";
  return t;
}

DWORD CALLBACK BareOutCallback(DWORD_PTR c, LPBYTE buf, LONG cb, LONG* done) {
  reinterpret_cast<std::string*>(c)->append(reinterpret_cast<const char*>(buf),
                                            static_cast<std::size_t>(cb));
  *done = cb;
  return 0;
}

double BareStreamOut(HWND h, std::string& out) {
  out.clear();
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  es.pfnCallback = &BareOutCallback;
  const double t0 = Now();
  SendMessageA(h, EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  return Now() - t0;
}

std::string TempDir() {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  return tmp;
}

} // namespace

int main(int argc, char** argv) {
  vd::forms::Application& app = vd::forms::Application::Instance();
  app.Initialize(GetModuleHandleA(nullptr));
  app.SetTitle("vd_bench_files");
  if (argc < 3) {
    std::fprintf(stderr, "usage: vd_bench_files open-bare|open|save-bare|save MB | replace "
                         "streamed|replacesel|sliced\n");
    return 2;
  }
  const std::string what = argv[1];

  vd::forms::FormDesign d;
  d.className = "VdFileBenchHost";
  d.caption = "File bench";
  d.left = 0;
  d.top = 0;
  d.width = 800;
  d.height = 600;
  vd::forms::Form host(nullptr, d);
  host.Show();
  vd::forms::ControlArgs a;
  a.parent = host.Handle();
  a.width = 760;
  a.height = 540;
  RichEdit e(nullptr, a);

  if (what == "replace") {
    const std::string how = argv[2];
    const auto m = how == "streamed"     ? RichEditBench::ReplaceMethod::StreamedSelection
                   : how == "replacesel" ? RichEditBench::ReplaceMethod::ReplaceSel
                                         : RichEditBench::ReplaceMethod::SlicedDelete;
    const std::string doc = MakeText(1 << 20), repl = MakeText(1 << 20), small = MakeText(1 << 10);
    BareStreamIn(e.Handle(), doc);
    double t0 = Now();
    RichEditBench::ReplaceRangeBy(e, m, 0, e.TextLength(), repl);
    const double whole = Now() - t0;
    const bool ok = e.AllText() == repl;
    t0 = Now();
    RichEditBench::ReplaceRangeBy(e, m, 500000, 501000, small);
    const double part = Now() - t0;
    std::printf("RESULT replace-%s 1 %.3f %.0f %.0f %.4f%s\n", how.c_str(), whole, PeakMb(),
                PeakPrivateMb(), part, ok ? "" : " TEXT-DIFFERS");
    return 0;
  }

  const int mb = std::atoi(argv[2]);
  const std::string text = MakeText(static_cast<std::size_t>(mb) << 20);
  const std::string in = TempDir() + "vd-bench-" + std::to_string(mb) + "mb.txt";
  const std::string out = TempDir() + "vd-bench-" + std::to_string(mb) + "mb-saved.txt";
  double t = 0;
  std::string note;
  if (what == "open-bare") {
    t = BareStreamIn(e.Handle(), text);
  } else if (what == "open") {
    std::ofstream(in, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
    const double t0 = Now();
    e.LoadFromFile(in);
    t = Now() - t0;
    if (e.AllText() != text)
      note = " TEXT-DIFFERS";
    DeleteFileA(in.c_str());
  } else if (what == "save-bare") {
    BareStreamIn(e.Handle(), text);
    std::string got;
    t = BareStreamOut(e.Handle(), got);
    if (got != text)
      note = " TEXT-DIFFERS";
  } else if (what == "save") {
    BareStreamIn(e.Handle(), text);
    const double t0 = Now();
    e.SaveToFile(out);
    t = Now() - t0;
    std::ifstream check(out, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(check)),
                            std::istreambuf_iterator<char>());
    if (saved != text)
      note = " BYTES-DIFFER";
    DeleteFileA(out.c_str());
  } else {
    std::fprintf(stderr, "unknown measurement %s\n", what.c_str());
    return 2;
  }
  std::printf("RESULT %s %d %.3f %.0f %.0f%s\n", what.c_str(), mb, t, PeakMb(), PeakPrivateMb(),
              note.c_str());
  return 0;
}
