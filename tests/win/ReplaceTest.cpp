// Find and Replace over the real main window's active editor, its messages answered by the
// scripted stand-in.
#include "MainWindowFixture.h"
#include "app/Forms.h"

namespace vd::test {
namespace {

using dialogs::TfrmReplace;

constexpr char kNotFound[] = "The text could not be found in the document.";
constexpr char kNoMore[] = "No more instances of the search string have been found.";

void PutTextOnClipboard(HWND owner, const char* text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  memcpy(GlobalLock(mem), text, strlen(text) + 1);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!OpenClipboard(owner))
    return text;
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

class ReplaceTest : public MainWindowTest {
protected:
  // The main window with its Find and Replace window, opened as Ctrl+F opens it.
  TfrmReplace& Open(const std::string& text) {
    TfrmMain& frm = Start();
    frm.ActiveEditor().SetAllText(text);
    frm.editReplaceClick();
    return *forms_.frmReplace;
  }
  forms::RichEdit& Editor() { return frm_->ActiveEditor(); }
  std::pair<long, long> Sel() { return {Editor().Selection().cpMin, Editor().Selection().cpMax}; }
  bool FollowUps(TfrmReplace& r) {
    const bool on = r.btnFindNext().Enabled();
    EXPECT_EQ(r.btnReplace().Enabled(), on);
    EXPECT_EQ(r.btnReplaceAll().Enabled(), on);
    return on;
  }
  Strings Texts() {
    Strings t;
    for (const auto& c : boxes.Calls()) {
      EXPECT_EQ(c.caption, "Not Found");
      EXPECT_EQ(c.flags, 0u);
      t.push_back(c.text);
    }
    boxes.Clear();
    return t;
  }
};

TEST_F(ReplaceTest, TheWindowStandsAboveTheMainWindowWithItsControlsInTabOrder) {
  TfrmReplace& r = Open("");
  EXPECT_TRUE(r.Visible());
  EXPECT_EQ(GetFocus(), r.Find().Handle()) << "shown with the focus in the Find box";
  EXPECT_EQ(GetWindow(r.Handle(), GW_OWNER), frm_->Handle());
  EXPECT_TRUE(GetWindowLongA(r.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(r.BoundsRect(),
            CentreOver(frm_->BoundsRect(), r.BoundsRect().width, r.BoundsRect().height));
  RECT client{};
  GetClientRect(r.Handle(), &client);
  EXPECT_EQ(client.right, 380);
  EXPECT_EQ(client.bottom, 169);

  const struct {
    forms::Control& control;
    const char* text;
    RECT place; // left, top, right, bottom
  } controls[] = {
      {r.Find(), "", {96, 8, 281, 29}},
      {r.Replace(), "", {96, 40, 281, 61}},
      {r.checkMatchCase(), "Case Sensitive", {16, 104, 129, 121}},
      {r.checkWholeWord(), "Whole Word Only", {16, 128, 129, 145}},
      {r.Origin().Item(0), "Top of File", {}},
      {r.btnFind(), "Find", {296, 8, 371, 33}},
      {r.btnFindNext(), "Find Next", {296, 40, 371, 65}},
      {r.btnReplace(), "Replace", {296, 72, 371, 97}},
      {r.btnReplaceAll(), "Replace All", {296, 104, 371, 129}},
      {r.btnClose(), "Close", {296, 136, 371, 161}},
  };
  std::vector<HWND> tabOrder;
  for (HWND h = GetWindow(r.Handle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP)
      tabOrder.push_back(h);
  ASSERT_EQ(tabOrder.size(), std::size(controls));
  for (size_t i = 0; i < std::size(controls); ++i) {
    const auto& c = controls[i];
    EXPECT_EQ(tabOrder[i], c.control.Handle()) << "tab stop " << i << " is " << c.text;
    EXPECT_EQ(c.control.Text(), c.text);
    if (c.place.right == 0)
      continue;
    RECT w{};
    GetWindowRect(c.control.Handle(), &w);
    MapWindowPoints(nullptr, r.Handle(), reinterpret_cast<POINT*>(&w), 2);
    EXPECT_EQ(w.left, c.place.left) << c.text;
    EXPECT_EQ(w.top, c.place.top) << c.text;
    EXPECT_EQ(w.right, c.place.right) << c.text;
    EXPECT_EQ(w.bottom, c.place.bottom) << c.text;
  }
  EXPECT_EQ(r.Origin().Frame().Text(), "Origin");
  EXPECT_EQ(r.Origin().Item(1).Text(), "Cursor Position");
  EXPECT_EQ(r.Origin().ItemIndex(), 0);
  EXPECT_FALSE(r.checkMatchCase().Checked());
  EXPECT_FALSE(r.checkWholeWord().Checked());
  EXPECT_TRUE(r.btnFind().Enabled());
  EXPECT_FALSE(FollowUps(r));
  for (forms::Button* b : {&r.btnFind(), &r.btnFindNext(), &r.btnClose()})
    EXPECT_FALSE(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON) << "no default button";
}

TEST_F(ReplaceTest, CaseAndWholeWordDecideWhatFindStopsAt) {
  TfrmReplace& r = Open("");
  const struct {
    const char* text;
    const char* pattern;
    bool matchCase, wholeWord;
    long found; // -1: not found
  } cases[] = {
      {"xx ABC", "abc", false, false, 3},      {"xx ABC", "abc", true, false, -1},
      {"xx abc ABC", "ABC", true, false, 7},   {"concatenate", "cat", false, false, 3},
      {"concatenate", "cat", false, true, -1}, {"concatenate cat", "cat", false, true, 12},
      {"a cat.", "cat", false, true, 2},
  };
  for (const auto& c : cases) {
    Editor().SetAllText(c.text);
    Editor().SetSelection(0, 0);
    r.Find().SetText(c.pattern);
    r.checkMatchCase().SetChecked(c.matchCase);
    r.checkWholeWord().SetChecked(c.wholeWord);
    r.btnFind().Click();
    const std::string what = std::string(c.text) + " / " + c.pattern;
    if (c.found < 0) {
      EXPECT_EQ(Texts(), Strings{kNotFound}) << what;
      EXPECT_EQ(Sel(), (std::pair<long, long>{0, 0})) << what;
    } else {
      EXPECT_EQ(Texts(), Strings{}) << what;
      EXPECT_EQ(Sel(), (std::pair<long, long>{c.found, c.found + 3})) << what;
    }
  }
}

TEST_F(ReplaceTest, FindFromTheCursorAndFindNextStopAtTheEndWithoutWrapping) {
  TfrmReplace& r = Open("one two one two one");
  r.Find().SetText("one");
  Editor().SetSelection(4, 7);
  r.Origin().SetItemIndex(1);
  r.btnFind().Click();
  EXPECT_EQ(Sel(), (std::pair<long, long>{8, 11})) << "after the selection";
  EXPECT_TRUE(FollowUps(r));
  r.btnFindNext().Click();
  EXPECT_EQ(Sel(), (std::pair<long, long>{16, 19}));
  r.btnFindNext().Click();
  EXPECT_EQ(Texts(), Strings{kNoMore});
  EXPECT_EQ(Sel(), (std::pair<long, long>{16, 19})) << "no wrap to the top";
  EXPECT_FALSE(FollowUps(r));

  // A failed Find leaves the buttons as they were; Find from the top starts over.
  r.Find().SetText("three");
  r.btnFind().Click();
  EXPECT_EQ(Texts(), Strings{kNotFound});
  EXPECT_FALSE(FollowUps(r));
  r.Find().SetText("one");
  r.Origin().SetItemIndex(0);
  r.btnFind().Click();
  EXPECT_EQ(Sel(), (std::pair<long, long>{0, 3}));
  EXPECT_TRUE(FollowUps(r));
  r.Find().SetText("three");
  r.btnFind().Click();
  EXPECT_EQ(Texts(), Strings{kNotFound});
  EXPECT_TRUE(FollowUps(r));

  // Showing the window again (after hiding it) starts with the follow-ups disabled.
  r.Hide();
  frm_->editReplaceClick();
  EXPECT_FALSE(FollowUps(r));
}

TEST_F(ReplaceTest, ReplaceTakesWhateverIsSelectedAndReplaceAllAlwaysEnds) {
  TfrmReplace& r = Open("a b a");
  r.Find().SetText("a");
  r.Replace().SetText("aa");
  r.btnReplaceAll().Click();
  EXPECT_EQ(Editor().AllText(), "aa b aa") << "one pass: the inserted text is not searched";
  EXPECT_EQ(Sel(), (std::pair<long, long>{7, 7}));
  EXPECT_FALSE(FollowUps(r));
  EXPECT_TRUE(Editor().Modified());

  // Replace: nothing selected does nothing; a hand-made selection is replaced unchecked.
  Editor().SetSelection(2, 2);
  r.btnReplace().Click();
  EXPECT_EQ(Editor().AllText(), "aa b aa");
  Editor().SetSelection(3, 4);
  r.btnReplace().Click();
  EXPECT_EQ(Editor().AllText(), "aa aa aa");

  // From the cursor, Replace All takes in a match that Find selected.
  Editor().SetAllText("cat cat cat");
  r.Find().SetText("cat");
  r.Replace().SetText("dog");
  Editor().SetSelection(1, 1);
  r.Origin().SetItemIndex(1);
  r.btnFind().Click();
  EXPECT_EQ(Sel(), (std::pair<long, long>{4, 7}));
  r.btnReplaceAll().Click();
  EXPECT_EQ(Editor().AllText(), "cat dog dog");

  // Nothing to match, or nothing to search for: no change, no message, the buttons disabled.
  for (const char* pattern : {"zebra", ""}) {
    r.btnFind().Click();
    Editor().SetSelection(2, 2);
    r.Find().SetText(pattern);
    r.btnReplaceAll().Click();
    EXPECT_EQ(Editor().AllText(), "cat dog dog") << pattern;
    EXPECT_EQ(Sel(), (std::pair<long, long>{2, 2})) << pattern;
    EXPECT_FALSE(FollowUps(r));
    boxes.Clear();
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(ReplaceTest, CloseEmptiesTheBoxesAndTheCloseBoxKeepsThem) {
  TfrmReplace& r = Open("text");
  r.Find().SetText("te");
  r.Replace().SetText("ne");
  SendMessageA(r.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(r.Visible());
  frm_->editReplaceClick();
  EXPECT_EQ(r.Find().Text(), "te");
  EXPECT_EQ(r.Replace().Text(), "ne");
  r.btnCloseClick();
  EXPECT_FALSE(r.Visible());
  EXPECT_EQ(r.Find().Text(), "");
  EXPECT_EQ(r.Replace().Text(), "");
}

TEST_F(ReplaceTest, CtrlVPastesOnceIntoTheBoxAndNeverIntoTheDocument) {
  TfrmReplace& r = Open("doc");
  PutTextOnClipboard(frm_->Handle(), "clip");
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE held[256];
  memcpy(held, keys, sizeof held);
  held[VK_CONTROL] = 0x80;
  SetKeyboardState(held);
  for (forms::Edit* box : {&r.Find(), &r.Replace()}) {
    box->SetFocus();
    // The key press goes to the main window's shortcuts: Paste, which does nothing now.
    MSG down{};
    down.hwnd = box->Handle();
    down.message = WM_KEYDOWN;
    down.wParam = 'V';
    down.lParam = 0x002F0001;
    EXPECT_TRUE(frm_->TranslateShortcut(down));
    // Its character, should it arrive, types nothing; the release pastes.
    SendMessageA(box->Handle(), WM_CHAR, 0x16, 0x002F0001);
    SendMessageA(box->Handle(), WM_KEYUP, 'V', 0xC02F0001);
    EXPECT_EQ(box->Text(), "clip");
    // Ctrl+X and Ctrl+C do nothing in the box.
    SendMessageA(box->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(box->Handle(), WM_CHAR, 0x18, 0x002D0001);
    SendMessageA(box->Handle(), WM_KEYUP, 'X', 0xC02D0001);
    EXPECT_EQ(box->Text(), "clip");
  }
  SetKeyboardState(keys);
  EXPECT_EQ(Editor().AllText(), "doc");
}

TEST_F(ReplaceTest, WhileOpenTheClipboardCommandsDoNothingButUndoAndSelectAllWork) {
  Open("hello world");
  TfrmMain& frm = *frm_;
  PutTextOnClipboard(frm.Handle(), "clip");
  Editor().SetSelection(0, 5);
  frm.editCutClick();
  frm.editCopyClick();
  EXPECT_EQ(ClipboardText(frm.Handle()), "clip");
  frm.editPasteClick();
  EXPECT_EQ(Editor().AllText(), "hello world");

  Editor().SetSelection(11, 11);
  Type("!");
  EXPECT_EQ(Editor().AllText(), "hello world!");
  frm.editUndoClick();
  EXPECT_EQ(Editor().AllText(), "hello world");
  frm.editSelectAllClick();
  EXPECT_EQ(Sel(), (std::pair<long, long>{0, 11}));

  // Closed again, they work.
  forms_.frmReplace->btnCloseClick();
  frm.editCopyClick();
  EXPECT_EQ(ClipboardText(frm.Handle()), "hello world");
}

} // namespace
} // namespace vd::test
