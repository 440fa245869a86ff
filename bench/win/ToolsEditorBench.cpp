// A benchmark, not a test: a changing text tool run through the real main window's command on
// generated e-mail in its editor, end to end, beside the bare control's stream-in of the same
// result in the same run. Each figure runs in a process of its own; scripts/bench-tools runs
// them and prints the table. Usage:
//   vd_bench_tools_editor cleanup|sort|webready MB tool|bare [mail|prose]
// Prints: RESULT <tool> <MB> <tool|bare> <seconds> [TEXT-DIFFERS]
// The text is the native benchmark's e-mail, or quoted prose of words and spaces only, which
// Wine's control takes in at a steady rate (see bench/MailText.h).
// Other modes, for finding where time goes: steps (each step of a tool, printed as it ends),
// empty-<way> (ways of emptying a control holding the text), bare-noredraw, bare-nomask.
#include "../MailText.h"
#include "BenchSupport.h"
#include "app/Mainform2.h"
#include "core/tools/Cleanup.h"
#include "core/tools/SortLines.h"
#include "core/tools/WebReady.h"
#include "forms/Application.h"
#include "forms/RichEditBench.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace vd;

namespace {
void UpperCaseAnsi(char* text, std::size_t length) {
  CharUpperBuffA(text, static_cast<DWORD>(length));
}
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) -
         CSTR_EQUAL;
}
} // namespace

int main(int argc, char** argv) {
  forms::Application& app = forms::Application::Instance();
  app.Initialize(GetModuleHandleA(nullptr));
  app.SetTitle("vd_bench_tools_editor");
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: vd_bench_tools_editor cleanup|sort|webready MB tool|bare [mail|prose]\n");
    return 2;
  }
  const std::string tool = argv[1], mode = argv[3];
  const int mb = std::atoi(argv[2]);
  const std::size_t bytes = static_cast<std::size_t>(mb) << 20;
  const bool prose = argc > 4 && std::string(argv[4]) == "prose";
  const std::string text = prose ? bench::GenerateQuotedProse(bytes) : bench::GenerateMail(bytes);
  const std::string expected = tool == "cleanup" ? tools::CleanupEmail(text, UpperCaseAnsi)
                               : tool == "sort"  ? tools::SortLines(text, CompareIgnoringCase)
                                                 : tools::MakeWebReady(text);
  const std::string settingsName = "VdToolsBench.ini";
  ServiceOverride<const std::string> settings(forms::SettingsFileName(), settingsName);
  app::TfrmMain frm;
  frm.ShowFirstTime();
  forms::RichEdit& e = frm.ActiveEditor();
  double t = 0;
  if (mode.rfind("empty-", 0) == 0) {
    // Ways of emptying a control that holds the text: the cost a whole-text change pays first.
    bench::BareStreamIn(e.Handle(), text);
    const std::string how = mode.substr(6);
    const double t0 = bench::Now();
    SendMessageA(e.Handle(), WM_SETREDRAW, FALSE, 0);
    if (how == "sliced") {
      forms::RichEditBench::ReplaceRangeBy(e, forms::RichEditBench::ReplaceMethod::SlicedDelete, 0,
                                           e.TextLength(), "");
    } else if (how == "replacesel") {
      SendMessageA(e.Handle(), EM_SETSEL, 0, -1);
      SendMessageA(e.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    } else if (how == "settext") {
      SendMessageA(e.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    } else if (how == "streamin") {
      bench::BareStreamIn(e.Handle(), "");
    } else if (how == "destroy") {
      DestroyWindow(e.Handle());
      t = bench::Now() - t0;
      std::printf("RESULT %s %d %s %.3f\n", tool.c_str(), mb, mode.c_str(), t);
      std::fflush(stdout);
      ExitProcess(0);
    } else if (how == "nowrap-sliced") {
      e.SetWordWrap(false);
      forms::RichEditBench::ReplaceRangeBy(e, forms::RichEditBench::ReplaceMethod::SlicedDelete, 0,
                                           e.TextLength(), "");
    } else if (how == "noevents-sliced") {
      SendMessageA(e.Handle(), EM_SETEVENTMASK, 0, 0);
      forms::RichEditBench::ReplaceRangeBy(e, forms::RichEditBench::ReplaceMethod::SlicedDelete, 0,
                                           e.TextLength(), "");
    }
    t = bench::Now() - t0;
    std::printf("RESULT %s %d %s %.3f %ld\n", tool.c_str(), mb, mode.c_str(), t, e.TextLength());
    e.SetModified(false);
    return 0;
  }
  if (mode == "steps") {
    // Where a tool's time goes, each step printed as it ends: putting the text in, reading it
    // back, the tool, emptying the control, streaming the result in, the caret text.
    auto step = [](const char* what, double t0) {
      std::printf("STEP %s %.3f\n", what, bench::Now() - t0);
      std::fflush(stdout);
    };
    double t0 = bench::Now();
    e.SetAllText(text);
    step("load", t0);
    t0 = bench::Now();
    const std::string got = e.AllText();
    step("read", t0);
    t0 = bench::Now();
    const std::string result =
        tool == "sort" ? tools::SortLines(got, CompareIgnoringCase) : expected;
    step("compute", t0);
    e.OnSelectionChange = nullptr;
    t0 = bench::Now();
    e.ReplaceRange(0, e.TextLength(), "");
    step("empty", t0);
    t0 = bench::Now();
    e.ReplaceRange(0, 0, result);
    step("stream-in", t0);
    t0 = bench::Now();
    frm.ShowCaretPosition();
    step("caret", t0);
    e.SetModified(false);
    return 0;
  }
  if (mode == "bare-noredraw" || mode == "bare-nomask") {
    // The bare stream-in with one of a bulk edit's settings, to see what each costs.
    if (mode == "bare-noredraw")
      SendMessageA(e.Handle(), WM_SETREDRAW, FALSE, 0);
    else
      SendMessageA(e.Handle(), EM_SETEVENTMASK, 0, 0);
    t = bench::BareStreamIn(e.Handle(), expected);
    std::printf("RESULT %s %d %s %.3f\n", tool.c_str(), mb, mode.c_str(), t);
    e.SetModified(false);
    return 0;
  }
  if (mode == "bare") {
    t = bench::BareStreamIn(e.Handle(), expected);
  } else {
    e.SetAllText(text);
    const double t0 = bench::Now();
    if (tool == "cleanup")
      frm.toolsCleanupClick();
    else if (tool == "sort")
      frm.toolsSortClick();
    else
      frm.programmingWebReadyCodeClick();
    t = bench::Now() - t0;
  }
  const bool same = e.AllText() == expected;
  e.SetModified(false); // no save question at the end
  std::printf("RESULT %s %d %s %.3f%s\n", tool.c_str(), mb, mode.c_str(), t,
              same ? "" : " TEXT-DIFFERS");
  return 0;
}
