#pragma once
#include "core/Services.h"
#include "forms/Win.h"

#include <memory>
#include <string>

namespace vd::forms {

// The printable area of a page in the device's own pixels.
struct PrintArea {
  int width = 0;
  int height = 0;
};

// One print job's device: a printer device context, or in tests a metafile or a bitmap. A job
// is StartJob, then pairs of StartPage and EndPage, then EndJob; AbortJob ends a job that
// failed. Dc() is the context to draw the current page on (valid from StartPage to EndPage);
// its resolution is the context's own (LOGPIXELSX/Y). Failures throw forms::Error.
class PrintTarget {
public:
  virtual ~PrintTarget() = default;
  virtual HDC Dc() = 0;
  virtual PrintArea Area() = 0;
  virtual void StartJob(const std::string& title) = 0;
  virtual void StartPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndJob() = 0;
  virtual void AbortJob() = 0;
};

// The program's printer: the one chosen in the printer set-up dialog for the rest of the run,
// else the system's default printer. Tests install a stand-in that prints into metafiles.
class PrinterService {
public:
  virtual ~PrinterService() = default;
  // A device for one job; throws forms::Error when there is no printer to print on.
  virtual std::unique_ptr<PrintTarget> OpenDevice() = 0;
  // The printer set-up dialog (printer, paper, orientation); true when the user confirmed.
  virtual bool RunPrinterSetup(HWND owner) = 0;
};

Service<PrinterService>& Printers();

// The message of a printing job that the device refused, naming the step.
std::string PrintingErrorMessage(const char* step);
inline constexpr char kNoPrinterMessage[] =
    "There is no printer to print on.  Install a printer and try again.";

} // namespace vd::forms
