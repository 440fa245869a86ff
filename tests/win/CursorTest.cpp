// Busy cursors: a window's own cursor answers WM_SETCURSOR, and the hourglass of a long command
// is on the right windows while it runs and gone afterwards.
#include "MainWindowFixture.h"
#include "forms/Cursors.h"

namespace vd::test {
namespace {

HCURSOR Wait() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)); }

TEST_F(MainWindowTest, AWindowsOwnCursorAnswersSetCursorOverItsClientAreaOnly) {
  TfrmMain& frm = Start();
  HWND editor = frm.ActiveEditor().Handle();
  forms::SetWindowCursor(editor, Wait());
  const auto setCursor = [&](int hit) {
    return SendMessageA(editor, WM_SETCURSOR, reinterpret_cast<WPARAM>(editor),
                        MAKELPARAM(hit, WM_MOUSEMOVE));
  };
  EXPECT_EQ(setCursor(HTCLIENT), TRUE);
  EXPECT_EQ(GetCursor(), Wait());
  SetCursor(nullptr);
  setCursor(HTVSCROLL);
  EXPECT_NE(GetCursor(), Wait()) << "the scroll bar keeps its arrow";
  forms::SetWindowCursor(editor, nullptr);
  setCursor(HTCLIENT);
  EXPECT_NE(GetCursor(), Wait()) << "back to the control's own I-beam";
}

TEST_F(MainWindowTest, BusyCursorGoesBackHoweverTheCommandEnds) {
  TfrmMain& frm = Start();
  const HWND windows[] = {frm.Toolbar().Handle(), frm.Handle(), frm.ActiveEditor().Handle()};
  try {
    forms::BusyCursor busy{windows[0], windows[1], windows[2]};
    for (HWND h : windows)
      EXPECT_EQ(forms::WindowCursor(h), Wait());
    throw std::runtime_error("the command failed");
  } catch (const std::runtime_error&) {
  }
  for (HWND h : windows)
    EXPECT_EQ(forms::WindowCursor(h), nullptr);
}

TEST_F(MainWindowTest, ChangingToolsShowTheHourglassOnTheToolbarTheWindowAndTheEditor) {
  TfrmMain& frm = Start();
  frm.fileNewClick(); // the second tab is the one worked on
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetAllText("b\r\na\r\n");
  std::vector<HCURSOR> during;
  e.OnChange = [&] {
    during = {forms::WindowCursor(frm.Toolbar().Handle()), forms::WindowCursor(frm.Handle()),
              forms::WindowCursor(e.Handle()), forms::WindowCursor(frm.Editor(0).Handle())};
  };
  frm.toolsSortClick();
  EXPECT_EQ(e.AllText(), "a\r\nb\r\n");
  EXPECT_EQ(during, (std::vector<HCURSOR>{Wait(), Wait(), Wait(), nullptr}));
  for (HWND h : {frm.Toolbar().Handle(), frm.Handle(), e.Handle()})
    EXPECT_EQ(forms::WindowCursor(h), nullptr);
}

} // namespace
} // namespace vd::test
