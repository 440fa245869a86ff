#include "forms/Printing.h"

#include "forms/Errors.h"
#include "forms/LateBound.h"
#include "core/PrintLayout.h"
#include "forms/RichEdit.h"
#include "forms/StdControls.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

namespace vd::forms {

std::string PrintingErrorMessage(const char* step) {
  return std::string("The printer could not ") + step + ".";
}

namespace {

// A job on a real printer's device context.
class DeviceTarget final : public PrintTarget {
public:
  explicit DeviceTarget(HDC dc) : dc_(dc) {}
  ~DeviceTarget() override {
    if (inDoc_)
      AbortJob();
    DeleteDC(dc_);
  }
  HDC Dc() override { return dc_; }
  PrintArea Area() override { return {GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES)}; }
  void StartJob(const std::string& title) override {
    DOCINFOA info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title.c_str();
    if (StartDocA(dc_, &info) <= 0)
      throw Error(PrintingErrorMessage("start the print job"));
    inDoc_ = true;
  }
  void StartPage() override {
    if (::StartPage(dc_) <= 0)
      throw Error(PrintingErrorMessage("start a page"));
  }
  void EndPage() override {
    if (::EndPage(dc_) <= 0)
      throw Error(PrintingErrorMessage("finish a page"));
  }
  void EndJob() override {
    inDoc_ = false;
    if (::EndDoc(dc_) <= 0)
      throw Error(PrintingErrorMessage("finish the print job"));
  }
  void AbortJob() override {
    inDoc_ = false;
    ::AbortDoc(dc_);
  }

private:
  HDC dc_;
  bool inDoc_ = false;
};

// The system's printer: what the set-up dialog chose (kept as the dialog's own global memory
// blocks, handed back to it next time), else the default printer.
class RealPrinters final : public PrinterService {
public:
  ~RealPrinters() override {
    if (devMode_)
      GlobalFree(devMode_);
    if (devNames_)
      GlobalFree(devNames_);
  }

  std::unique_ptr<PrintTarget> OpenDevice() override {
    std::string device;
    std::vector<char> mode;
    if (devNames_) {
      const auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames_));
      device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
      GlobalUnlock(devNames_);
    } else {
      char name[512];
      DWORD size = sizeof(name);
      static const auto defaultPrinter =
          LateBound<decltype(&GetDefaultPrinterA)>("winspool.drv", "GetDefaultPrinterA");
      if (defaultPrinter(name, &size))
        device = name;
    }
    if (device.empty())
      throw Error(kNoPrinterMessage);
    if (devMode_) {
      const auto* m = static_cast<const char*>(GlobalLock(devMode_));
      mode.assign(m, m + GlobalSize(devMode_));
      GlobalUnlock(devMode_);
    }
    HDC dc = CreateDCA("WINSPOOL", device.c_str(), nullptr,
                       mode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode.data()));
    if (!dc)
      throw Error("The printer " + device + " cannot be opened.");
    return std::make_unique<DeviceTarget>(dc);
  }

  bool RunPrinterSetup(HWND owner) override {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = owner;
    pd.hDevMode = devMode_;
    pd.hDevNames = devNames_;
    pd.Flags = PD_PRINTSETUP;
    static const auto printDlg = LateBound<decltype(&PrintDlgA)>("comdlg32.dll", "PrintDlgA");
    const bool ok = printDlg(&pd) != FALSE;
    // The dialog may free the blocks it was given and hand back new ones, also on Cancel.
    devMode_ = pd.hDevMode;
    devNames_ = pd.hDevNames;
    return ok;
  }

private:
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};

// Ends a job that an exception leaves half done, so that the spooler drops it.
struct JobGuard {
  PrintTarget& target;
  bool done = false;
  ~JobGuard() {
    if (!done)
      target.AbortJob();
  }
};

// Lays the control's plain text out with GDI when the control cannot format for a device: the
// same page as the control's own layout (the whole printable area, lines wrapped at its right
// edge, tab stops every half inch, a new page when one is full), in the control's font and
// colour, the paper left as it is. The current page is already started.
void PrintLaidOut(PrintTarget& target, const std::string& text, const FontSpec& face) {
  HDC dc = target.Dc();
  const PrintArea area = target.Area();
  HFONT font = CreateFontA(-MulDiv(face.size, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0,
                           face.bold ? FW_BOLD : FW_NORMAL, face.italic, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, face.name.c_str());
  struct FontGuard {
    HFONT font;
    ~FontGuard() { DeleteObject(font); }
  } guard{font};
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  INT widths[256] = {};
  GetCharWidth32A(dc, 0, 255, widths);
  SelectObject(dc, old);
  const int tab = std::max(1, GetDeviceCaps(dc, LOGPIXELSX) / 2);
  const int lineHeight = tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 1;
  const auto lines = LayOutLines(text, area.width, tab, [&](unsigned char c) { return widths[c]; });
  const int perPage = LinesPerPage(area.height, lineHeight);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int row = static_cast<int>(i % static_cast<std::size_t>(perPage));
    if (i > 0 && row == 0) {
      target.EndPage();
      target.StartPage();
    }
    dc = target.Dc();
    old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    SetTextColor(dc, ToColorRef(face.colour));
    // Runs between tabs, each at its place.
    const std::size_t end = lines[i].start + lines[i].length;
    int x = 0, runX = 0;
    std::size_t runStart = lines[i].start;
    for (std::size_t j = runStart; j <= end; ++j) {
      if (j < end && text[j] != '\t') {
        x += widths[static_cast<unsigned char>(text[j])];
        continue;
      }
      if (j > runStart)
        TextOutA(dc, runX, row * lineHeight, text.data() + runStart,
                 static_cast<int>(j - runStart));
      if (j < end)
        x = (x / tab + 1) * tab;
      runX = x;
      runStart = j + 1;
    }
    SelectObject(dc, old);
  }
}

} // namespace

Service<PrinterService>& Printers() {
  // Made on first use: it holds the printer chosen in the set-up dialog for the rest of the run.
  static RealPrinters real;
  static Service<PrinterService> slot(real);
  return slot;
}

void RichEdit::Print(PrintTarget& target, const std::string& title) {
  const long length = TextLength();
  target.StartJob(title);
  JobGuard job{target};
  FORMATRANGE range{};
  SendMessageA(Handle(), EM_FORMATRANGE, FALSE, 0); // drop any formatting cached for a device
  long next = 0;
  do {
    target.StartPage();
    HDC dc = target.Dc();
    const PrintArea area = target.Area();
    range.hdc = range.hdcTarget = dc;
    // The whole printable area, in twips: no margins of our own.
    range.rc = {0, 0, MulDiv(area.width, 1440, GetDeviceCaps(dc, LOGPIXELSX)),
                MulDiv(area.height, 1440, GetDeviceCaps(dc, LOGPIXELSY))};
    range.rcPage = range.rc;
    range.chrg = {next, -1};
    const long after = static_cast<long>(
        SendMessageA(Handle(), EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    // A control that formats nothing of a text on its first page cannot print (Wine's answers
    // EM_FORMATRANGE with a stub): the text is laid out here instead, the same way.
    if (next == 0 && after <= 0 && length > 0)
      PrintLaidOut(target, AllText(), font_);
    target.EndPage();
    // A page that took nothing (an empty text, or a line taller than the page) ends the job
    // rather than printing the same page for ever.
    if (after <= next)
      break;
    next = after;
  } while (next < length);
  SendMessageA(Handle(), EM_FORMATRANGE, FALSE, 0);
  job.done = true;
  target.EndJob();
}

} // namespace vd::forms
