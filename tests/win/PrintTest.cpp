// The Print dialog and the print job, printed into metafiles through the printer seam.
#include "MainWindowFixture.h"
#include "MetafilePrinter.h"
#include "ScriptedCommonDialogs.h"
#include "app/Forms.h"
#include "dialogs/Printform.h"

#include <algorithm>

namespace vd::test {
namespace {

using dialogs::TfrmPrint;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDarkBlue = RGB(0, 0, 128);

class PrintTest : public MainWindowTest {
protected:
  // The main window with the Print dialog installed as the program installs it.
  TfrmPrint& StartWithDialog() {
    Start();
    return *forms_.frmPrint;
  }
  TfrmMain& Main() { return *frm_; }
  void SetEditorLook(int tab, const std::string& face, int size, bool bold, COLORREF colour) {
    forms::FontSpec f;
    f.name = face;
    f.size = size;
    f.bold = bold;
    f.colour = colour;
    Main().Editor(tab).SetFontSpec(f);
  }
  // Presses Print as the user does, so that an error goes through the window's barrier.
  void PressPrint(TfrmPrint& dlg) { SendMessageA(dlg.btnPrint().Handle(), BM_CLICK, 0, 0); }
  std::string JobText(const PrintedJob& job) {
    std::string all;
    for (HENHMETAFILE page : job.pages)
      all += MetafilePrinter::PageText(page);
    return all;
  }
  std::vector<COLORREF> JobColours(const PrintedJob& job) {
    std::vector<COLORREF> colours;
    for (HENHMETAFILE page : job.pages)
      for (const auto& run : MetafilePrinter::TextRuns(page))
        if (std::find(colours.begin(), colours.end(), run.colour) == colours.end())
          colours.push_back(run.colour);
    return colours;
  }

  MetafilePrinter printer;
};

// Text drawn on a page has its line breaks as the layout made them; compare without them.
std::string WithoutBreaks(std::string s) {
  s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }),
          s.end());
  return s;
}

TEST_F(PrintTest, TheDialogHoldsItsControlsAndEveryShowResetsRangeAndSwatch) {
  TfrmPrint& dlg = StartWithDialog();
  char caption[32] = {};
  GetWindowTextA(dlg.Handle(), caption, sizeof caption);
  EXPECT_EQ(std::string(caption), "Print");
  EXPECT_EQ(dlg.labelNote().Text(), "Please note:  You cannot change the background color when "
                                    "printing.  It will always be white.");
  ASSERT_EQ(dlg.boxPrintRange().Count(), 2);
  EXPECT_EQ(dlg.boxPrintRange().Item(0), "Entire Text");
  EXPECT_EQ(dlg.boxPrintRange().Item(1), "Selected Area");
  EXPECT_EQ(dlg.ToolTipsOfDialog().TextOf(dlg.shapeColor()), "Text Color");
  EXPECT_EQ(dlg.shapeBackground().BrushColour(), 0xFFFFFFu);
  EXPECT_FALSE(dlg.richSelection().Visible());
  // Nothing lies over the swatches: they clip their siblings, so a group box above one would
  // hide it.
  for (const forms::Shape* swatch : {&dlg.shapeColor(), &dlg.shapeBackground()}) {
    RECT r;
    GetWindowRect(swatch->Handle(), &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(dlg.Handle(), &centre);
    EXPECT_EQ(ChildWindowFromPointEx(dlg.Handle(), centre, CWP_SKIPINVISIBLE), swatch->Handle());
  }
  // Print, Page Setup and Cancel stacked in that order.
  const forms::Button* order[] = {&dlg.btnPrint(), &dlg.btnSetup(), &dlg.btnCancel()};
  const char* captions[] = {"Print", "Page Setup", "Cancel"};
  int lastTop = -1;
  for (int i = 0; i < 3; ++i) {
    RECT r;
    GetWindowRect(order[i]->Handle(), &r);
    EXPECT_GT(r.top, lastTop) << captions[i];
    lastTop = r.top;
    EXPECT_EQ(order[i]->Text(), captions[i]);
  }

  SetEditorLook(0, "Arial", 12, false, kRed);
  dlg.boxPrintRange().SetItemIndex(-1);
  Main().filePrintClick();
  EXPECT_TRUE(dlg.Visible());
  EXPECT_EQ(dlg.boxPrintRange().ItemIndex(), TfrmPrint::kEntireText);
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kRed) << "the swatch shows the editor's colour";

  // A second Print command while it is open only re-centres it.
  dlg.boxPrintRange().SetItemIndex(TfrmPrint::kSelectedArea);
  SetEditorLook(0, "Arial", 12, false, kDarkBlue);
  const Bounds before = dlg.BoundsRect();
  dlg.SetBounds({before.left + 40, before.top + 30, before.width, before.height});
  Main().Run(app::Command::FilePrint);
  EXPECT_EQ(dlg.BoundsRect().left, before.left);
  EXPECT_EQ(dlg.BoundsRect().top, before.top);
  EXPECT_EQ(dlg.boxPrintRange().ItemIndex(), TfrmPrint::kSelectedArea);
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kRed);

  // Cancel hides it; the next show resets both.
  SendMessageA(dlg.btnCancel().Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(dlg.Visible());
  Main().filePrintClick();
  EXPECT_EQ(dlg.boxPrintRange().ItemIndex(), TfrmPrint::kEntireText);
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kDarkBlue);
  EXPECT_TRUE(printer.jobs.empty());
}

TEST_F(PrintTest, EntireTextPrintsInTheEditorsFontAndTheSwatchColourOnWhite) {
  TfrmPrint& dlg = StartWithDialog();
  Type("Hello printed world");
  SetEditorLook(0, "Arial", 14, true, kRed);
  Main().Editor(0).SetBackgroundColour(kDarkBlue);
  Main().filePrintClick();
  PressPrint(dlg);

  EXPECT_TRUE(boxes.Calls().empty());
  ASSERT_EQ(printer.jobs.size(), 1u);
  const PrintedJob& job = printer.jobs[0];
  EXPECT_EQ(job.title, "");
  EXPECT_TRUE(job.ended);
  ASSERT_EQ(job.pages.size(), 1u);
  EXPECT_EQ(WithoutBreaks(JobText(job)), "Hello printed world");
  EXPECT_EQ(JobColours(job), std::vector<COLORREF>{kRed});
  EXPECT_FALSE(dlg.Visible()) << "Print closes the dialog";

  const forms::FontSpec used = dlg.richSelection().Font();
  EXPECT_EQ(used.name, "Arial");
  EXPECT_EQ(used.size, 14);
  EXPECT_TRUE(used.bold);

  // The editor's background never reaches the page: only paper and the text's own pixels.
  const auto pixels = printer.Render(job.pages[0]);
  EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0x000080u), 0);
  EXPECT_GT(std::count(pixels.begin(), pixels.end(), 0xFF0000u), 0) << "red text on the page";
  const auto white = std::count(pixels.begin(), pixels.end(), 0xFFFFFFu);
  EXPECT_GT(white, static_cast<long>(pixels.size() * 95 / 100));
}

TEST_F(PrintTest, SelectedAreaPrintsTheSelectionAndNothingWhenNothingIsSelected) {
  TfrmPrint& dlg = StartWithDialog();
  Type("alpha beta gamma");
  Main().ActiveEditor().SetSelection(6, 10);
  Main().filePrintClick();
  dlg.boxPrintRange().SetItemIndex(TfrmPrint::kSelectedArea);
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(WithoutBreaks(JobText(printer.jobs[0])), "beta");

  Main().ActiveEditor().SetSelection(3, 3);
  Main().filePrintClick();
  dlg.boxPrintRange().SetItemIndex(TfrmPrint::kSelectedArea);
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 2u) << "an empty selection still starts a job";
  const PrintedJob& empty = printer.jobs[1];
  EXPECT_TRUE(empty.ended);
  EXPECT_EQ(empty.pages.size(), 1u);
  EXPECT_EQ(WithoutBreaks(JobText(empty)), "");
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(PrintTest, ALongTextRunsOverSeveralPagesWithEveryLineOnceAndInOrder) {
  TfrmPrint& dlg = StartWithDialog();
  std::string text, expected;
  for (int i = 1; i <= 150; ++i) {
    const std::string line = "Line number " + std::to_string(i) + " of the long text";
    text += line + "\r\n";
    expected += line;
  }
  Main().ActiveEditor().SetAllText(text);
  Main().filePrintClick();
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  const PrintedJob& job = printer.jobs[0];
  EXPECT_GE(job.pages.size(), 2u);
  EXPECT_EQ(WithoutBreaks(JobText(job)), expected);
  for (HENHMETAFILE page : job.pages)
    EXPECT_FALSE(MetafilePrinter::PageText(page).empty());
}

TEST_F(PrintTest, TheTextFillsTheWholePrintableWidthFromItsTopLeftCorner) {
  TfrmPrint& dlg = StartWithDialog();
  std::string paragraph;
  for (int i = 0; i < 60; ++i)
    paragraph += "wrapping words ";
  Type(paragraph);
  SetEditorLook(0, "Courier New", 12, false, RGB(0, 0, 0));
  Main().filePrintClick();
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  ASSERT_EQ(printer.jobs[0].pages.size(), 1u);
  const auto pixels = printer.Render(printer.jobs[0].pages[0]);
  int minX = printer.Width(), maxX = -1, minY = printer.Height(), rows = 0, lastRow = -1;
  for (int y = 0; y < printer.Height(); ++y)
    for (int x = 0; x < printer.Width(); ++x)
      if (pixels[static_cast<size_t>(y) * printer.Width() + x] != 0xFFFFFFu) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        if (y > lastRow + 1)
          ++rows; // a new band of ink: a new line
        lastRow = y;
      }
  EXPECT_LT(minX, 10) << "no left margin";
  EXPECT_LT(minY, 10) << "no top margin";
  EXPECT_GT(maxX, printer.Width() * 85 / 100) << "lines run to the right edge";
  EXPECT_LT(maxX, printer.Width());
  EXPECT_GT(rows, 1) << "the paragraph wraps";
}

TEST_F(PrintTest, LinesGoDownThePageAndTabsStopEveryHalfInch) {
  TfrmPrint& dlg = StartWithDialog();
  Main().ActiveEditor().SetAllText("a\tb\r\nd\r\n\r\nc");
  Main().filePrintClick();
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  ASSERT_EQ(printer.jobs[0].pages.size(), 1u);
  const auto runs = MetafilePrinter::TextRuns(printer.jobs[0].pages[0]);
  ASSERT_EQ(runs.size(), 4u);
  HDC screen = GetDC(nullptr);
  const int halfInch = GetDeviceCaps(screen, LOGPIXELSX) / 2;
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(runs[0].text, "a");
  EXPECT_EQ(runs[0].at.x, 0);
  EXPECT_EQ(runs[0].at.y, 0);
  EXPECT_EQ(runs[1].text, "b");
  EXPECT_EQ(runs[1].at.x, halfInch);
  EXPECT_EQ(runs[1].at.y, 0);
  EXPECT_EQ(runs[2].text, "d");
  EXPECT_EQ(runs[2].at.x, 0);
  EXPECT_GT(runs[2].at.y, 0);
  EXPECT_EQ(runs[3].text, "c");
  EXPECT_EQ(runs[3].at.x, 0);
  EXPECT_EQ(runs[3].at.y, 3 * runs[2].at.y) << "the empty line keeps its place";
}

TEST_F(PrintTest, AColourChosenOnTheSwatchIsPrintedAndTheDialogKeepsItForTheRun) {
  ScriptedCommonDialogs colours;
  TfrmPrint& dlg = StartWithDialog();
  Type("colour");
  SetEditorLook(0, "Arial", 10, false, kRed);
  Main().filePrintClick();
  constexpr COLORREF kGreen = RGB(0, 128, 0);
  colours.ChooseColour(kGreen);
  // Any mouse button opens it, on the press.
  SendMessageA(dlg.shapeColor().Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  ASSERT_EQ(colours.Calls().size(), 1u);
  EXPECT_EQ(colours.Calls()[0].offeredColour, Colour{0}) << "black at first";
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kGreen);
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(JobColours(printer.jobs[0]), std::vector<COLORREF>{kGreen});

  // The next show puts the editor's colour back; the dialog still offers the last choice, and
  // cancelling it leaves the swatch alone.
  Main().filePrintClick();
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kRed);
  colours.ChooseColour(std::nullopt);
  SendMessageA(dlg.shapeColor().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ASSERT_EQ(colours.Calls().size(), 2u);
  EXPECT_EQ(colours.Calls()[1].offeredColour, Colour{kGreen});
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kRed);
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 2u);
  EXPECT_EQ(JobColours(printer.jobs[1]), std::vector<COLORREF>{kRed});
}

TEST_F(PrintTest, TheTabActiveWhenPrintIsPressedIsPrintedWithTheSwatchColourOfTheShow) {
  TfrmPrint& dlg = StartWithDialog();
  Type("first tab");
  SetEditorLook(0, "Arial", 10, false, kRed);
  Main().filePrintClick(); // swatch: red, from the first tab
  Main().fileNewClick();
  Type("second tab");
  SetEditorLook(1, "Times New Roman", 16, false, kDarkBlue);
  ASSERT_EQ(Main().ActiveIndex(), 1);
  EXPECT_EQ(dlg.shapeColor().BrushColour(), kRed);
  PressPrint(dlg);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_EQ(WithoutBreaks(JobText(printer.jobs[0])), "second tab");
  EXPECT_EQ(JobColours(printer.jobs[0]), std::vector<COLORREF>{kRed});
  EXPECT_EQ(dlg.richSelection().Font().name, "Times New Roman");
  EXPECT_EQ(dlg.richSelection().Font().size, 16);
}

TEST_F(PrintTest, WithoutARangeItSaysOopsAndStaysOpen) {
  TfrmPrint& dlg = StartWithDialog();
  Type("text");
  Main().filePrintClick();
  dlg.boxPrintRange().SetItemIndex(-1);
  PressPrint(dlg);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "You must select a print range before printing.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Oops!");
  EXPECT_EQ(boxes.Calls()[0].flags, 0u);
  EXPECT_TRUE(printer.jobs.empty());
  EXPECT_TRUE(dlg.Visible());
}

TEST_F(PrintTest, APrinterErrorIsShownInTheStandardBoxAndTheDialogStaysOpen) {
  TfrmPrint& dlg = StartWithDialog();
  Type("text");
  Main().filePrintClick();
  printer.refusal = forms::kNoPrinterMessage;
  PressPrint(dlg);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, forms::kNoPrinterMessage);
  EXPECT_EQ(boxes.Calls()[0].flags, static_cast<unsigned>(forms::kMbIconError));
  EXPECT_TRUE(printer.jobs.empty());
  EXPECT_TRUE(dlg.Visible());

  // Once the printer is back the same dialog prints.
  printer.refusal.reset();
  PressPrint(dlg);
  EXPECT_EQ(printer.jobs.size(), 1u);
  EXPECT_FALSE(dlg.Visible());
}

TEST_F(PrintTest, PageSetupRunsThePrinterSetUpAndLeavesTheDialogAsItWas) {
  TfrmPrint& dlg = StartWithDialog();
  Main().filePrintClick();
  dlg.boxPrintRange().SetItemIndex(TfrmPrint::kSelectedArea);
  SendMessageA(dlg.btnSetup().Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(printer.setupRuns, 1);
  EXPECT_TRUE(dlg.Visible());
  EXPECT_EQ(dlg.boxPrintRange().ItemIndex(), TfrmPrint::kSelectedArea);
  EXPECT_TRUE(printer.jobs.empty());
}

// A device that fails in the middle of a job: the job is abandoned, not left open.
class FailingPage final : public forms::PrintTarget {
public:
  explicit FailingPage(forms::PrintTarget& inner) : inner_(inner) {}
  HDC Dc() override { return inner_.Dc(); }
  forms::PrintArea Area() override { return inner_.Area(); }
  void StartJob(const std::string& t) override { inner_.StartJob(t); }
  void StartPage() override { inner_.StartPage(); }
  void EndPage() override {
    inner_.EndPage();
    if (++pages == 2)
      throw forms::Error(forms::PrintingErrorMessage("finish a page"));
  }
  void EndJob() override { inner_.EndJob(); }
  void AbortJob() override { inner_.AbortJob(); }
  int pages = 0;

private:
  forms::PrintTarget& inner_;
};

TEST_F(PrintTest, AJobThatFailsHalfWayIsAbandoned) {
  Start();
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += "line " + std::to_string(i) + "\r\n";
  Main().ActiveEditor().SetAllText(text);
  auto target = printer.OpenDevice();
  FailingPage failing(*target);
  EXPECT_THROW(Main().ActiveEditor().Print(failing, "job"), forms::Error);
  ASSERT_EQ(printer.jobs.size(), 1u);
  EXPECT_TRUE(printer.jobs[0].aborted);
  EXPECT_FALSE(printer.jobs[0].ended);
  EXPECT_EQ(printer.jobs[0].pages.size(), 2u);
}

} // namespace
} // namespace vd::test
