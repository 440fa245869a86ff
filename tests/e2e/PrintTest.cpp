// Printing from the real program to a real print queue: CUPS with its PDF printer, which Wine
// sees as the default printer (the test layer sets it up and names the PDF folder in
// VD_PRINT_PDF_DIR). The PDF is read back with poppler's tools, which Wine starts as it starts
// any program of the host.
#include "Robot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace vd::robot {
namespace {

std::string WindowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return "Z:" + unixPath;
}

std::set<std::string> PdfFiles(const std::string& unixDir) {
  std::set<std::string> files;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((WindowsPath(unixDir) + "\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE)
    return files;
  do
    files.insert(unixDir + "/" + fd.cFileName);
  while (FindNextFileA(h, &fd));
  FindClose(h);
  return files;
}

long long FileSize(const std::string& unixPath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(WindowsPath(unixPath).c_str(), GetFileExInfoStandard, &data))
    return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Runs a host tool by its Unix path and waits until it has written `output` (a Unix path). The
// exit code of a host process is not reliable under Wine; the output file is.
bool RunHostTool(const std::string& tool, const std::string& args, const std::string& output) {
  DeleteFileA(WindowsPath(output).c_str());
  std::string cmd = tool.substr(tool.rfind('/') + 1) + " " + args;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(WindowsPath(tool).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 60000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return WaitUntil([&] { return FileSize(output) > 0; }, 10s);
}

struct Picture {
  int width = 0, height = 0;
  std::string rgb; // three bytes a pixel
};

// A binary PPM (P6, 8-bit), as pdftoppm writes it.
Picture ReadPpm(const std::string& unixPath) {
  std::ifstream in(WindowsPath(unixPath), std::ios::binary);
  std::string magic;
  int maxValue = 0;
  Picture p;
  in >> magic >> p.width >> p.height >> maxValue;
  in.get();
  if (magic != "P6" || maxValue != 255)
    return {};
  p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
  in.read(p.rgb.data(), static_cast<std::streamsize>(p.rgb.size()));
  return p;
}

class PrintToPdf : public testing::Test {
protected:
  void SetUp() override {
    const char* dir = std::getenv("VD_PRINT_PDF_DIR");
    if (!dir || !*dir)
      GTEST_SKIP() << "VD_PRINT_PDF_DIR is not set: no print queue";
    dir_ = dir;
    RemoveSettings();
    base_ = "/tmp/vd-e2e-print-" + std::to_string(GetCurrentProcessId());
  }
  void TearDown() override {
    for (const auto& pdf : pdfs_)
      DeleteFileA(WindowsPath(pdf).c_str());
    DeleteFileA(WindowsPath(base_ + ".txt").c_str());
    DeleteFileA(WindowsPath(base_ + ".ppm").c_str());
  }
  // Starts the program on a file of the given text and waits until the editor shows it.
  HWND Start(Program*& program, const std::string& text) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "vd-e2e-print.txt";
    std::ofstream(path, std::ios::binary) << text;
    program_ = std::make_unique<Program>("\"" + path + "\"");
    program = program_.get();
    HWND main = program_->WaitForWindow("TfrmMain");
    if (main)
      WaitUntil([&] { return EditorText(ActiveEditorOf(main)) == text; });
    return main;
  }
  // Opens the Print dialog from the File menu.
  HWND OpenPrintDialog(HWND main) {
    if (!MenuCommand(main, {"&File", "&Print..."}))
      return nullptr;
    HWND dialog = program_->WaitForWindow("TfrmPrint");
    if (!dialog || !WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }))
      return nullptr;
    return dialog;
  }
  // Presses Print and waits for the queue's PDF, a new file that has stopped growing.
  std::string PrintAndWaitForPdf(HWND dialog) {
    const std::set<std::string> before = PdfFiles(dir_);
    PostClick(FindWindowExA(dialog, nullptr, "Button", "Print"));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) == FALSE; }, 60s))
        << "the dialog closes once the job is sent";
    EXPECT_EQ(FindDialog(program_->ProcessId()), nullptr) << "no error box";
    std::string pdf;
    long long lastSize = -1;
    const bool found = WaitUntil(
        [&] {
          for (const auto& f : PdfFiles(dir_))
            if (!before.count(f))
              pdf = f;
          if (pdf.empty())
            return false;
          const long long size = FileSize(pdf);
          const bool settled = size > 0 && size == lastSize;
          lastSize = size;
          return settled;
        },
        90s);
    EXPECT_TRUE(found) << "no PDF appeared in " << dir_;
    if (!pdf.empty())
      pdfs_.push_back(pdf);
    return found ? pdf : std::string();
  }
  std::string Text(const std::string& pdf) {
    if (!RunHostTool("/usr/bin/pdftotext", "-layout " + pdf + " " + base_ + ".txt", base_ + ".txt"))
      return {};
    return ReadFileText(WindowsPath(base_ + ".txt"));
  }
  Picture FirstPage(const std::string& pdf) {
    if (!RunHostTool("/usr/bin/pdftoppm", "-r 50 -singlefile " + pdf + " " + base_, base_ + ".ppm"))
      return {};
    return ReadPpm(base_ + ".ppm");
  }

  std::string dir_, base_;
  std::vector<std::string> pdfs_; // the queue's output of this test, removed at the end
  std::unique_ptr<Program> program_;
};

TEST_F(PrintToPdf, TheActiveTabComesOutOfTheQueueInItsColourOnWhiteOverSeveralPages) {
  // Red text on a dark blue editor; the page must show the red and none of the blue.
  WritePrivateProfileStringA("Colors", "Font", "255", SettingsPath().c_str());
  WritePrivateProfileStringA("Colors", "Background", "8388608", SettingsPath().c_str());
  std::string text = "Vellumdesk prints this first line in red.\r\n";
  for (int i = 2; i <= 150; ++i)
    text += "Line " + std::to_string(i) + " of the printed file\r\n";
  Program* p = nullptr;
  HWND main = Start(p, text);
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenPrintDialog(main);
  ASSERT_NE(dialog, nullptr);
  const std::string pdf = PrintAndWaitForPdf(dialog);
  ASSERT_FALSE(pdf.empty());
  EXPECT_TRUE(ExitProgram(main));

  const std::string printed = Text(pdf);
  EXPECT_NE(printed.find("Vellumdesk prints this first line in red."), std::string::npos)
      << printed;
  EXPECT_NE(printed.find("Line 150 of the printed file"), std::string::npos);
  EXPECT_NE(printed.find('\f'), printed.rfind('\f')) << "more than one page";

  // The first page, rendered: red ink on white paper, no trace of the editor's background.
  const Picture page = FirstPage(pdf);
  ASSERT_GT(page.width, 0);
  size_t red = 0, blue = 0, white = 0;
  for (size_t i = 0; i + 2 < page.rgb.size(); i += 3) {
    const int r = static_cast<unsigned char>(page.rgb[i]);
    const int g = static_cast<unsigned char>(page.rgb[i + 1]);
    const int b = static_cast<unsigned char>(page.rgb[i + 2]);
    if (r > 180 && g < 90 && b < 90)
      ++red;
    if (b > 90 && r < 60 && g < 60)
      ++blue;
    if (r > 245 && g > 245 && b > 245)
      ++white;
  }
  EXPECT_GT(red, 50u) << "red text";
  EXPECT_EQ(blue, 0u) << "the editor's background reached the page";
  EXPECT_GT(white, page.rgb.size() / 3 * 8 / 10);
}

TEST_F(PrintToPdf, PageSetupChoicesHoldForEveryLaterPrintOfTheRun) {
  Program* p = nullptr;
  HWND main = Start(p, "Printed across the page\r\n");
  ASSERT_NE(main, nullptr);
  HWND dialog = OpenPrintDialog(main);
  ASSERT_NE(dialog, nullptr);
  PostClick(FindWindowExA(dialog, nullptr, "Button", "Page Setup"));
  HWND setup = WaitForDialog(p->ProcessId());
  ASSERT_NE(setup, nullptr) << "the printer set-up dialog";
  constexpr int kLandscape = 0x421; // the set-up dialog's orientation button
  ASSERT_NE(GetDlgItem(setup, kLandscape), nullptr);
  SendMessageA(GetDlgItem(setup, kLandscape), BM_CLICK, 0, 0);
  PressButton(setup, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(setup) || !IsWindowVisible(setup); }));

  for (int run = 1; run <= 2; ++run) {
    if (run == 2) {
      ASSERT_NE(OpenPrintDialog(main), nullptr);
    }
    const std::string pdf = PrintAndWaitForPdf(dialog);
    ASSERT_FALSE(pdf.empty());
    EXPECT_NE(Text(pdf).find("Printed across the page"), std::string::npos);
    const Picture page = FirstPage(pdf);
    EXPECT_GT(page.width, page.height) << "print " << run << " is not landscape";
  }
  EXPECT_TRUE(ExitProgram(main));
}

} // namespace
} // namespace vd::robot
