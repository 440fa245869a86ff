// A benchmark, not a test: the start-up cost of a settings file whose recent-files section holds
// 3,000 entries (a hand-edited or damaged file). Prints, in seconds: the history read as the
// program reads it (up to ten filled values) beside the whole section read as it was; building
// the Reopen menu from what was read; the main window's whole creation; and a 3,000-item submenu
// built item by item, which shows that building a menu costs in proportion to its length.
// Usage: vd_bench_history [entries]
#include "app/Mainform2.h"
#include "core/FileHistory.h"
#include "forms/Application.h"
#include "forms/IniFile.h"
#include "forms/Menus.h"
#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

using namespace vd;

int main(int argc, char** argv) {
  forms::Application& app = forms::Application::Instance();
  app.Initialize(GetModuleHandleA(nullptr));
  app.SetTitle("vd_bench_history");
  const int entries = argc > 1 ? std::atoi(argv[1]) : 3000;

  const std::string name = "VdHistoryBench.ini";
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  const std::string path = std::string(dir) + "\\" + name;
  {
    std::ofstream out(path, std::ios::binary);
    out << "[FileHistory]\r\n";
    for (int i = 1; i <= entries; ++i)
      out << "File" << i << "=C:\\Documents\\notes " << i << ".txt\r\n";
  }
  ServiceOverride<const std::string> settings(forms::SettingsFileName(), name);
  forms::IniFile ini(name);

  double t0 = bench::Now();
  const auto firstTen = ini.ReadSectionValues("FileHistory", FileHistory::kCapacity);
  const double readTen = bench::Now() - t0;
  t0 = bench::Now();
  const auto whole = ini.ReadSectionValues("FileHistory");
  const double readWhole = bench::Now() - t0;

  t0 = bench::Now();
  auto frm = std::make_unique<app::TfrmMain>();
  const double create = bench::Now() - t0;
  t0 = bench::Now();
  frm->RebuildReopenMenu();
  const double reopen = bench::Now() - t0;
  const size_t reopenItems = frm->fileReopen().Count();

  forms::MenuItem submenu("All entries");
  t0 = bench::Now();
  for (const auto& [key, value] : whole)
    submenu.Add(value);
  const double longMenu = bench::Now() - t0;

  std::printf("History of %d entries (seconds)\n", entries);
  std::printf("RESULT read-first-ten %zu %.4f\n", firstTen.size(), readTen);
  std::printf("RESULT read-whole-section %zu %.4f\n", whole.size(), readWhole);
  std::printf("RESULT main-window-creation %.4f\n", create);
  std::printf("RESULT reopen-menu-build %zu %.4f\n", reopenItems, reopen);
  std::printf("RESULT submenu-of-all-entries %zu %.4f\n", submenu.Count(), longMenu);
  frm.reset();
  DeleteFileA(path.c_str());
  return reopen < 1.0 ? 0 : 1;
}
