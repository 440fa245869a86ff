// Appearance for all tabs: the font, the two colours, word wrap and the toolbar, driven through
// the menus, the toolbar and the shortcuts, and checked in the controls themselves (the editor's
// character format, painted pixels, the real menu's check marks).
#include "MainWindowFixture.h"
#include "ScriptedCommonDialogs.h"
#include "forms/Cursors.h"
#include "forms/StdControls.h"

namespace vd::test {
namespace {

using forms::FontSpec;
using FontChoice = ScriptedCommonDialogs::FontChoice;

constexpr Colour kRed = 0x0000C0;
constexpr Colour kGreen = 0x00A000;
constexpr Colour kBlue = 0xC00000;
constexpr Colour kYellow = 0x80FFFF;

HCURSOR Wait() { return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)); }

// What the control itself holds: the whole text's format, or the default format new text gets.
FontSpec ControlFont(forms::RichEdit& e, bool defaultFormat) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof(cf);
  if (defaultFormat) {
    SendMessageA(e.Handle(), EM_GETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&cf));
  } else {
    const CHARRANGE kept = e.Selection();
    e.SelectAll();
    SendMessageA(e.Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    e.SetSelection(kept.cpMin, kept.cpMax);
  }
  return {cf.szFaceName, static_cast<int>(cf.yHeight / 20), (cf.dwEffects & CFE_BOLD) != 0,
          (cf.dwEffects & CFE_ITALIC) != 0, static_cast<Colour>(cf.crTextColor & 0xFFFFFF)};
}

// Both formats of the control, which must agree.
FontSpec EditorFont(forms::RichEdit& e) {
  const FontSpec text = ControlFont(e, false);
  EXPECT_EQ(ControlFont(e, true), text) << "the default format follows the text's";
  return text;
}

// A pixel as painted on the screen's surface of a window, after it has painted itself.
COLORREF Painted(HWND hwnd, int x, int y) {
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_WINDOW);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

// The menu bar's real check mark, not the item's idea of it.
bool MenuChecked(TfrmMain& frm, forms::MenuItem& item) {
  return (GetMenuState(GetMenu(frm.Handle()), item.Command(), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Records, at every character-format or background change sent to a window, which of the
// watched windows carried the hourglass.
class CursorWatch {
public:
  explicit CursorWatch(std::vector<HWND> watched) : watched_(std::move(watched)) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Proc, nullptr, GetCurrentThreadId());
  }
  ~CursorWatch() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  // One entry per change seen: for each watched window whether it showed the hourglass.
  std::vector<std::vector<bool>> seen;

private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current_ &&
        (m->message == EM_SETCHARFORMAT || m->message == EM_SETBKGNDCOLOR)) {
      std::vector<bool> busy;
      for (HWND h : current_->watched_)
        busy.push_back(forms::WindowCursor(h) == Wait());
      current_->seen.push_back(busy);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline CursorWatch* current_ = nullptr;
  std::vector<HWND> watched_;
  HHOOK hook_ = nullptr;
};

class AppearanceTest : public MainWindowTest {
protected:
  // Three tabs, each with a line of text; the window shown so that it paints.
  TfrmMain& StartWithThreeTabs() {
    TfrmMain& frm = Start();
    frm.fileNewClick();
    frm.fileNewClick();
    for (int i = 0; i < 3; ++i)
      frm.Editor(i).SetAllText("tab " + std::to_string(i));
    ShowWindow(frm.Handle(), SW_SHOWNOACTIVATE);
    return frm;
  }
  void Command(const Strings& path) {
    forms::MenuItem* item = frm_->MainMenu().Find(path);
    ASSERT_NE(item, nullptr);
    SendMessageA(frm_->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
  }
  // A shortcut as the message loop's first filter sees it, with the modifiers held down.
  bool Shortcut(WPARAM key, bool ctrl) {
    BYTE keys[256] = {}, kept[256] = {};
    GetKeyboardState(kept);
    if (ctrl)
      keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{frm_->ActiveEditor().Handle(), WM_KEYDOWN, key, 1, 0, {}};
    const bool handled = frm_->TranslateShortcut(msg);
    SetKeyboardState(kept);
    return handled;
  }
  std::vector<Colour> TextColours() {
    std::vector<Colour> c;
    for (int i = 0; i < frm_->DocumentCount(); ++i)
      c.push_back(EditorFont(frm_->Editor(i)).colour);
    return c;
  }
  // The background each tab's editor paints, each tab shown in turn, the active one last.
  std::vector<COLORREF> PaintedBackgrounds() {
    const int active = frm_->ActiveIndex();
    std::vector<COLORREF> c(static_cast<size_t>(frm_->DocumentCount()));
    for (int i = 0; i < frm_->DocumentCount(); ++i) {
      frm_->PageControl().SetActivePageIndex(i);
      RECT r;
      GetClientRect(frm_->Editor(i).Handle(), &r);
      c[static_cast<size_t>(i)] = Painted(frm_->Editor(i).Handle(), r.right / 2, r.bottom / 2);
    }
    frm_->PageControl().SetActivePageIndex(active);
    return c;
  }

  ScriptedCommonDialogs common;
};

TEST_F(AppearanceTest, FontChangeReachesEveryTabInTheActiveTabsColour) {
  TfrmMain& frm = StartWithThreeTabs();
  // Each round colours the open tabs from the swatch and then opens a tab, which takes the font
  // dialog's colour instead; the font change then gives every tab the active one's colour.
  struct Case {
    Colour swatch;
    bool newTabActive;
    FontChoice font;
    Colour expected;
  };
  const Case cases[] = {
      {kRed, true, {"Arial", 14, true, false}, kColourBlack},
      {kGreen, false, {"Times New Roman", 9, false, true}, kGreen},
      {kBlue, true, {"Courier New", 12, true, true}, kGreen},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.font.name);
    common.ChooseColour(c.swatch);
    frm.colorsFontClick();
    frm.fileNewClick();
    ASSERT_EQ(EditorFont(frm.ActiveEditor()).colour, frm.FontDialog().font.colour);
    if (!c.newTabActive)
      frm.PageControl().SetActivePageIndex(0);
    const HWND active = frm.ActiveEditor().Handle();
    CursorWatch watch{{frm.Toolbar().Handle(), frm.Handle(), active}};
    common.ChooseFont(c.font);
    Command({"&Options", "&Font Type/Size/Style..."});
    ASSERT_EQ(common.Calls().back().dialog, &frm.FontDialog());
    EXPECT_EQ(common.Calls().back().offeredFont->colour, c.expected)
        << "the dialog carries the active colour";
    const FontSpec expected{c.font.name, c.font.size, c.font.bold, c.font.italic, c.expected};
    for (int i = 0; i < frm.DocumentCount(); ++i)
      EXPECT_EQ(EditorFont(frm.Editor(i)), expected) << "tab " << i;
    EXPECT_EQ(frm.FontDialog().font, expected);
    ASSERT_EQ(watch.seen.size(), 2u * static_cast<size_t>(frm.DocumentCount()))
        << "text and default format";
    for (const auto& busy : watch.seen)
      EXPECT_EQ(busy, (std::vector<bool>{true, true, true}));
    for (HWND h : {frm.Toolbar().Handle(), frm.Handle(), active})
      EXPECT_EQ(forms::WindowCursor(h), nullptr);
  }
  // The command as its toolbar button runs it.
  common.ChooseFont(FontChoice{"Courier New", 16});
  frm.Run(app::Command::OptionsFontChange);
  EXPECT_EQ(EditorFont(frm.Editor(0)).size, 16);
  EXPECT_EQ(EditorFont(frm.Editor(5)).size, 16);
}

TEST_F(AppearanceTest, SwatchColoursEveryTabAndItselfWhileNewTabsTakeTheFontDialogsColour) {
  TfrmMain& frm = StartWithThreeTabs();
  CursorWatch watch{{frm.Toolbar().Handle(), frm.Handle(), frm.ActiveEditor().Handle()}};
  common.ChooseColour(kGreen);
  SendMessageA(frm.shapeFontColor().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_EQ(common.Calls().size(), 1u);
  EXPECT_EQ(common.Calls()[0].dialog, &frm.ColorDialogFont());
  EXPECT_EQ(common.Calls()[0].offeredColour, kColourBlack);
  EXPECT_EQ(TextColours(), (std::vector<Colour>{kGreen, kGreen, kGreen}));
  EXPECT_EQ(frm.shapeFontColor().BrushColour(), kGreen);
  EXPECT_EQ(frm.FontDialog().font.colour, kColourBlack) << "the font dialog keeps its colour";
  // The hourglass on the toolbar and the window only, and gone afterwards.
  ASSERT_FALSE(watch.seen.empty());
  for (const auto& busy : watch.seen)
    EXPECT_EQ(busy, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(forms::WindowCursor(frm.Toolbar().Handle()), nullptr);
  EXPECT_EQ(forms::WindowCursor(frm.Handle()), nullptr);

  frm.fileNewClick();
  EXPECT_EQ(EditorFont(frm.Editor(3)).colour, kColourBlack);
  // The dialog keeps the last colour chosen as its preset.
  common.ChooseColour(kBlue);
  Command({"&Options", "&Colors", "&Font..."});
  EXPECT_EQ(common.Calls().back().offeredColour, kGreen);
  EXPECT_EQ(TextColours(), (std::vector<Colour>{kBlue, kBlue, kBlue, kBlue}));
}

TEST_F(AppearanceTest, BackgroundFromTheMenuColoursEveryTabTheSwatchAndNewTabs) {
  TfrmMain& frm = StartWithThreeTabs();
  CursorWatch watch{{frm.Toolbar().Handle(), frm.Handle()}};
  common.ChooseColour(kYellow);
  Command({"&Options", "&Colors", "&Background..."});
  ASSERT_EQ(common.Calls().size(), 1u);
  EXPECT_EQ(common.Calls()[0].dialog, &frm.ColorDialogBackground());
  EXPECT_EQ(common.Calls()[0].offeredColour, kColourWindowBackground);
  EXPECT_EQ(frm.shapeBackgroundColor().BrushColour(), kYellow);
  ASSERT_EQ(watch.seen.size(), 3u);
  for (const auto& busy : watch.seen)
    EXPECT_EQ(busy, (std::vector<bool>{false, false})) << "no hourglass";
  frm.fileNewClick();
  EXPECT_EQ(frm.Editor(3).BackgroundColour(), kYellow);
  EXPECT_EQ(PaintedBackgrounds(), (std::vector<COLORREF>(4, kYellow)));
  EXPECT_EQ(TextColours(), (std::vector<Colour>(4, kColourBlack)))
      << "the text colour is left alone";
}

TEST_F(AppearanceTest, AnyMouseButtonOnASwatchOpensItsDialogOnThePress) {
  TfrmMain& frm = StartWithThreeTabs();
  struct Case {
    const char* swatch;
    UINT press;
    const forms::ColorDialog* dialog;
  };
  const Case cases[] = {
      {"shapeFontColor", WM_RBUTTONDOWN, &frm.ColorDialogFont()},
      {"shapeFontColor", WM_MBUTTONDOWN, &frm.ColorDialogFont()},
      {"shapeBackgroundColor", WM_RBUTTONDOWN, &frm.ColorDialogBackground()},
      {"shapeBackgroundColor", WM_LBUTTONDOWN, &frm.ColorDialogBackground()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.swatch) + " " + std::to_string(c.press));
    const size_t before = common.Calls().size();
    const HWND swatch = frm.ToolbarControl(c.swatch)->Handle();
    SendMessageA(swatch, c.press + 1, 0, MAKELPARAM(5, 5)); // a release alone opens nothing
    EXPECT_EQ(common.Calls().size(), before);
    SendMessageA(swatch, c.press, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(common.Calls().size(), before + 1);
    EXPECT_EQ(common.Calls().back().dialog, c.dialog);
  }
}

TEST_F(AppearanceTest, SwatchesOverlapWithTheTextSquareOnTopAndShowTheirHints) {
  TfrmMain& frm = StartWithThreeTabs();
  common.ChooseColour(kRed);
  frm.colorsFontClick();
  common.ChooseColour(kBlue);
  frm.colorsBackgroundClick();
  const HWND bar = frm.Toolbar().Handle();
  // Toolbar coordinates: the text square at 392,4 and the background square at 407,8, 27 wide.
  struct Probe {
    int x, y;
    COLORREF colour;
    const char* swatch; // the control a press there reaches
  };
  const Probe probes[] = {
      {392, 4, 0, "shapeFontColor"}, // outline
      {400, 12, kRed, "shapeFontColor"},
      {412, 16, kRed, "shapeFontColor"}, // where the squares overlap
      {418, 16, 0, "shapeFontColor"},    // the text square's outline over the background
      {425, 20, kBlue, "shapeBackgroundColor"},
      {412, 33, kBlue, "shapeBackgroundColor"}, // the L below the text square
      {433, 20, 0, "shapeBackgroundColor"},     // the background square's outline
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE(std::to_string(p.x) + "," + std::to_string(p.y));
    EXPECT_EQ(ChildWindowFromPointEx(bar, {p.x, p.y}, CWP_SKIPINVISIBLE),
              frm.ToolbarControl(p.swatch)->Handle());
    POINT in{p.x, p.y};
    MapWindowPoints(bar, frm.ToolbarControl(p.swatch)->Handle(), &in, 1);
    EXPECT_EQ(Painted(frm.ToolbarControl(p.swatch)->Handle(), in.x, in.y), p.colour);
  }
  EXPECT_EQ(frm.ToolTipsOfToolbar().TextOf(*frm.ToolbarControl("shapeFontColor")),
            "Text/Foreground");
  EXPECT_EQ(frm.ToolTipsOfToolbar().TextOf(*frm.ToolbarControl("shapeBackgroundColor")),
            "Background");
}

TEST_F(AppearanceTest, CtrlWTwiceRestoresEveryEditorAndTheCheckMark) {
  TfrmMain& frm = StartWithThreeTabs();
  const std::string longLine(400, 'x');
  std::vector<long> wrapped;
  for (int i = 0; i < 3; ++i) {
    frm.Editor(i).SetAllText(longLine + " " + longLine);
    wrapped.push_back(frm.Editor(i).LineCount());
    EXPECT_GT(wrapped.back(), 1) << "wrapped at the editor's edge";
  }
  ASSERT_TRUE(Shortcut('W', true));
  EXPECT_FALSE(MenuChecked(frm, frm.optionsWordWrap()));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(frm.Editor(i).LineCount(), 1) << "tab " << i;
  frm.fileNewClick();
  frm.ActiveEditor().SetAllText(longLine);
  EXPECT_EQ(frm.ActiveEditor().LineCount(), 1) << "a new tab follows the check mark";
  ASSERT_TRUE(Shortcut('W', true));
  EXPECT_TRUE(MenuChecked(frm, frm.optionsWordWrap()));
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(frm.Editor(i).LineCount(), wrapped[static_cast<size_t>(i)]);
  EXPECT_GT(frm.Editor(3).LineCount(), 1);
  EXPECT_FALSE(Shortcut('W', false)) << "W alone is typing";
}

TEST_F(AppearanceTest, F2HidesAndShowsTheToolbarAndTheTabAreaTakesItsPlace) {
  TfrmMain& frm = StartWithThreeTabs();
  RECT shown{}, hidden{}, again{};
  GetWindowRect(frm.PageControl().Handle(), &shown);
  ASSERT_TRUE(Shortcut(VK_F2, false));
  GetWindowRect(frm.PageControl().Handle(), &hidden);
  EXPECT_FALSE(IsWindowVisible(frm.Toolbar().Handle()));
  EXPECT_FALSE(MenuChecked(frm, frm.viewToolbar()));
  EXPECT_EQ(hidden.top, shown.top - 39);
  EXPECT_EQ(hidden.bottom, shown.bottom);
  ASSERT_TRUE(Shortcut(VK_F2, false));
  GetWindowRect(frm.PageControl().Handle(), &again);
  EXPECT_TRUE(IsWindowVisible(frm.Toolbar().Handle()));
  EXPECT_TRUE(MenuChecked(frm, frm.viewToolbar()));
  EXPECT_TRUE(EqualRect(&again, &shown));
}

TEST_F(AppearanceTest, CancellingAnyDialogChangesNothing) {
  TfrmMain& frm = StartWithThreeTabs();
  // Tabs that differ from the font dialog's colour, so that a cancelled font change shows.
  common.ChooseColour(kRed);
  frm.colorsFontClick();
  common.ChooseColour(kBlue);
  frm.colorsBackgroundClick();
  frm.fileNewClick();
  frm.PageControl().SetActivePageIndex(0);

  struct State {
    std::vector<FontSpec> fonts;
    std::vector<Colour> backgrounds;
    Colour fontSwatch, backgroundSwatch, fontPreset, backgroundPreset;
    FontSpec dialogFont;
    bool operator==(const State&) const = default;
  };
  auto state = [&] {
    State s{{},
            {},
            frm.shapeFontColor().BrushColour(),
            frm.shapeBackgroundColor().BrushColour(),
            frm.ColorDialogFont().color,
            frm.ColorDialogBackground().color,
            frm.FontDialog().font};
    for (int i = 0; i < frm.DocumentCount(); ++i) {
      s.fonts.push_back(EditorFont(frm.Editor(i)));
      s.backgrounds.push_back(frm.Editor(i).BackgroundColour());
    }
    return s;
  };
  const State before = state();
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"font menu",
       [&] {
         Command({"&Options", "&Font Type/Size/Style..."});
       }},
      {"font button", [&] { SendMessageA(frm.btn("btnFont")->Handle(), BM_CLICK, 0, 0); }},
      {"text colour menu",
       [&] {
         Command({"&Options", "&Colors", "&Font..."});
       }},
      {"text swatch", [&] { SendMessageA(frm.shapeFontColor().Handle(), WM_RBUTTONDOWN, 0, 0); }},
      {"background menu",
       [&] {
         Command({"&Options", "&Colors", "&Background..."});
       }},
      {"background swatch",
       [&] { SendMessageA(frm.shapeBackgroundColor().Handle(), WM_LBUTTONDOWN, 0, 0); }},
  };
  for (const auto& [name, run] : commands) {
    SCOPED_TRACE(name);
    const size_t calls = common.Calls().size();
    run(); // nothing scripted: the dialog is cancelled
    ASSERT_EQ(common.Calls().size(), calls + 1);
    EXPECT_TRUE(state() == before);
  }
  EXPECT_EQ(PaintedBackgrounds(), (std::vector<COLORREF>(4, kBlue)));
  frm.fileNewClick();
  EXPECT_EQ(EditorFont(frm.Editor(4)).colour, kColourBlack)
      << "a new tab still takes the dialog's colour";
}

TEST_F(AppearanceTest, StoredFontSizesTheEditorCannotHoldGiveTheDefault) {
  const std::pair<const char*, int> cases[] = {{"1", 1},    {"1638", 1638}, {"0", 10},
                                               {"-12", 10}, {"1639", 10},   {"2147483647", 10}};
  for (const auto& [stored, expected] : cases) {
    SCOPED_TRACE(stored);
    forms::IniFile(iniName_).WriteString("Font", "Size", stored);
    TfrmMain& frm = Start();
    EXPECT_EQ(frm.FontDialog().font.size, expected);
    EXPECT_EQ(EditorFont(frm.Editor(0)).size, expected);
    Stop();
  }
}

} // namespace
} // namespace vd::test
