// Editing on the real main window: the status bar's caret position, the first focus, pasting
// formatted text, and the date-and-time shortcuts.
#include "MainWindowFixture.h"

namespace vd::test {
namespace {

// A key pressed with Ctrl (and Alt) held, offered to the main window's shortcuts as the
// application's filter offers it.
bool PressShortcut(TfrmMain& frm, WORD key, bool alt) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE held[256];
  memcpy(held, keys, sizeof held);
  held[VK_CONTROL] = 0x80;
  held[VK_MENU] = alt ? 0x80 : 0;
  SetKeyboardState(held);
  MSG press{};
  press.hwnd = frm.ActiveEditor().Handle();
  press.message = WM_KEYDOWN;
  press.wParam = key;
  press.lParam = 1;
  const bool taken = frm.TranslateShortcut(press);
  SetKeyboardState(keys);
  return taken;
}

TEST_F(MainWindowTest, TheCaretPositionCountsFromOneAndTakesTheLineOfTheSelectionsEnd) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetWordWrap(false);
  e.SetAllText("ab\r\ncd\r\nef");
  const struct {
    long anchor, caret; // EM_SETSEL's order: where the selection starts, where the caret goes
    const char* shown;
  } cases[] = {
      {0, 0, "1, 1"},
      {8, 8, "3, 1"},
      {9, 9, "3, 2"},
      {1, 9, "3, 2"}, // over three lines: the end's line, counted from the caret's line start
  };
  for (const auto& c : cases) {
    SendMessageA(e.Handle(), EM_SETSEL, static_cast<WPARAM>(c.anchor), c.caret);
    e.OnMouseDown(0, 0, 0, 0); // as a press in the editor reports it
    EXPECT_EQ(frm.statusbar().PanelText(1), c.shown) << c.anchor << ".." << c.caret;
  }
  e.SetAllText("");
  e.SetSelection(0, 0);
  Type("abcd");
  e.OnKeyUp('D', 0);
  EXPECT_EQ(frm.statusbar().PanelText(1), "1, 5");

  // With word wrap on, a long paragraph's wrapped lines count.
  e.SetWordWrap(true);
  e.SetAllText(std::string(2000, 'x') + " end");
  e.SetSelection(e.TextLength(), e.TextLength());
  e.OnSelectionChange();
  const std::string shown = frm.statusbar().PanelText(1);
  EXPECT_NE(shown.rfind("1, ", 0), 0u) << shown;
  EXPECT_EQ(shown, std::to_string(e.LineFromChar(e.TextLength()) + 1) + ", " +
                       std::to_string(e.TextLength() - e.LineIndex(-1) + 1));
  // Undo refreshes it in the same form.
  e.SetAllText("");
  Type("xyz");
  frm.editUndoClick();
  EXPECT_EQ(frm.statusbar().PanelText(1), "1, 1");
}

TEST_F(MainWindowTest, TheFirstFocusClearsTheModifiedFlagOnceOnly) {
  TfrmMain& frm = Start();
  Type("changed before the focus");
  ASSERT_TRUE(frm.ActiveEditor().Modified());
  frm.MemoEnter();
  EXPECT_FALSE(frm.ActiveEditor().Modified());
  Type("!");
  frm.MemoEnter();
  EXPECT_TRUE(frm.ActiveEditor().Modified()) << "later focus changes keep the flag";
}

TEST_F(MainWindowTest, PastedRichTextTakesTheEditorsFontWithTheCaretAfterIt) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  forms::FontSpec font;
  font.name = "Courier New";
  font.size = 12;
  font.colour = RGB(0, 0, 128);
  e.SetFontSpec(font);
  e.SetAllText("[]");
  const char rtf[] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                     "\\f0\\fs48\\b\\i\\cf1 Big red}";
  const char text[] = "Big red";
  ASSERT_TRUE(OpenClipboard(frm.Handle()));
  EmptyClipboard();
  for (const auto& [format, data] : {std::pair{RegisterClipboardFormatA("Rich Text Format"), rtf},
                                     std::pair{static_cast<UINT>(CF_TEXT), text}}) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(data) + 1);
    memcpy(GlobalLock(mem), data, strlen(data) + 1);
    GlobalUnlock(mem);
    SetClipboardData(format, mem);
  }
  CloseClipboard();
  e.SetSelection(1, 1);
  frm.editPasteClick();
  EXPECT_EQ(e.AllText(), "[Big red]");
  EXPECT_EQ(e.Selection().cpMin, 8);
  EXPECT_EQ(e.Selection().cpMax, 8);

  e.SetSelection(1, 8);
  CHARFORMATA cf{};
  cf.cbSize = sizeof cf;
  SendMessageA(e.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  EXPECT_STREQ(cf.szFaceName, font.name.c_str());
  EXPECT_EQ(cf.yHeight, font.size * 20);
  EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC), 0u);
  EXPECT_EQ(cf.crTextColor, static_cast<COLORREF>(font.colour));
  EXPECT_TRUE(cf.dwMask & CFM_FACE) << "one face over the whole pasted text";
}

TEST_F(MainWindowTest, TheDateAndTimeShortcutsInsertTheShortForms) {
  TfrmMain& frm = Start();
  SYSTEMTIME moment{};
  moment.wYear = 2026;
  moment.wMonth = 3;
  moment.wDay = 4;
  moment.wHour = 5;
  moment.wMinute = 6;
  frm.Clock = [&] { return moment; };
  char shortDate[64], shortTime[64];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, shortDate,
                 sizeof shortDate);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &moment, nullptr, shortTime,
                 sizeof shortTime);

  const struct {
    bool alt;
    WORD key;
    std::string inserted;
  } cases[] = {
      {false, 'D', shortDate},
      {false, 'T', shortTime},
      {true, 'D', std::string(shortDate) + " " + shortTime},
  };
  for (const auto& c : cases) {
    frm.ActiveEditor().SetAllText("");
    EXPECT_TRUE(PressShortcut(frm, c.key, c.alt)) << c.inserted;
    EXPECT_EQ(frm.ActiveEditor().AllText(), c.inserted);
  }
}

TEST_F(MainWindowTest, CtrlVPastesTextThatReachedTheClipboardSinceTheEditMenuLastOpened) {
  TfrmMain& frm = Start();
  ASSERT_TRUE(OpenClipboard(frm.Handle()));
  EmptyClipboard();
  CloseClipboard();
  frm.editClick();
  ASSERT_FALSE(frm.editPaste().Enabled());
  ASSERT_TRUE(OpenClipboard(frm.Handle()));
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 6);
  memcpy(GlobalLock(mem), "later", 6);
  GlobalUnlock(mem);
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
  EXPECT_TRUE(PressShortcut(frm, 'V', false));
  EXPECT_EQ(frm.ActiveEditor().AllText(), "later");
}

} // namespace
} // namespace vd::test
