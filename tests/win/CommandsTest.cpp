// The command table on the real main window: every command's number, its item in the main menu
// with caption and shortcut, its toolbar control and its popup twins all lead to that command.
#include "MainWindowFixture.h"

#include <ostream>
#include <set>
#include <stdexcept>
#include <utility>

namespace vd::app {
// Failures name the command by its number.
inline void PrintTo(Command c, std::ostream* os) { *os << "Command " << static_cast<int>(c); }
} // namespace vd::app

namespace vd::test {
namespace {

using app::Command;

class CommandsTest : public MainWindowTest {
protected:
  // Commands are recorded instead of run, so that no dialog opens and nothing is changed.
  TfrmMain& StartRecording() {
    TfrmMain& frm = Start();
    frm.OnCommand = [this](Command c) {
      ran.push_back(c);
      return true;
    };
    return frm;
  }
  // A key pressed with the shortcut's modifiers held, as the application's filter offers it.
  bool Press(const forms::ShortCut& s) {
    BYTE kept[256] = {}, held[256] = {};
    GetKeyboardState(kept);
    held[VK_CONTROL] = s.ctrl ? 0x80 : 0;
    held[VK_MENU] = s.alt ? 0x80 : 0;
    held[VK_SHIFT] = s.shift ? 0x80 : 0;
    SetKeyboardState(held);
    MSG press{frm_->ActiveEditor().Handle(), WM_KEYDOWN, s.key, 1, 0, {}};
    const bool taken = frm_->TranslateShortcut(press);
    SetKeyboardState(kept);
    return taken;
  }
  // Takes what ran since the last call.
  std::vector<Command> Ran() { return std::exchange(ran, {}); }

  std::vector<Command> ran;
};

using Commands = std::vector<Command>;

struct Expect {
  Command id;
  int number;
  Strings menu;         // its item in the main menu; empty when it has none there
  std::string shortcut; // as the menu shows it
  const char* control;  // its toolbar control, if any
};

// Written out by hand: a caption, shortcut, number or toolbar place that changes fails here.
const Expect kExpected[] = {
    {Command::FileNew, 101, {"&File", "&New"}, "Ctrl+N", "btnNew"},
    {Command::FileOpen, 102, {"&File", "&Open..."}, "Ctrl+O", "btnOpen"},
    {Command::FileSave, 103, {"&File", "&Save"}, "Ctrl+S", "btnSave"},
    {Command::FileSaveAs, 104, {"&File", "Save &As..."}, "Ctrl+Alt+S", nullptr},
    {Command::FileClose, 105, {"&File", "&Close"}, "Ctrl+F4", "btnClose"},
    {Command::FilePrint, 106, {"&File", "&Print..."}, "Ctrl+P", "btnPrint"},
    {Command::FileExit, 107, {"&File", "E&xit"}, "", nullptr},
    {Command::EditUndo, 201, {"&Edit", "&Undo"}, "Ctrl+Z", "btnUndo"},
    {Command::EditCut, 202, {"&Edit", "Cu&t"}, "Ctrl+X", "btnCut"},
    {Command::EditCopy, 203, {"&Edit", "&Copy"}, "Ctrl+C", "btnCopy"},
    {Command::EditPaste, 204, {"&Edit", "&Paste"}, "Ctrl+V", "btnPaste"},
    {Command::EditSelectAll, 205, {"&Edit", "&Select All"}, "Ctrl+A", nullptr},
    {Command::EditReplace, 206, {"&Edit", "&Find and Replace..."}, "Ctrl+F", "btnReplace"},
    {Command::EditGoto, 207, {"&Edit", "&Go To Line..."}, "Ctrl+G", "btnGoto"},
    {Command::ViewToolbar, 301, {"&View", "&Toolbar"}, "F2", nullptr},
    {Command::OptionsWordWrap, 401, {"&Options", "&Word Wrap"}, "Ctrl+W", nullptr},
    {Command::OptionsFontChange, 402, {"&Options", "&Font Type/Size/Style..."}, "", "btnFont"},
    {Command::ColorsFont, 403, {"&Options", "&Colors", "&Font..."}, "", "shapeFontColor"},
    {Command::ColorsBackground,
     404,
     {"&Options", "&Colors", "&Background..."},
     "",
     "shapeBackgroundColor"},
    {Command::OptionsMinLockPassword, 405, {"&Options", "&MinLock Password"}, "", nullptr},
    {Command::OptionsDefaultWorkingDirectories,
     406,
     {"&Options", "&Default Working Directories"},
     "",
     nullptr},
    {Command::ToolsCleanup, 501, {"&Tools", "&E-mail (Forward) Cleanup"}, "", nullptr},
    {Command::WordCount5Letters,
     502,
     {"&Tools", "Word &Count", "5 &Characters = 1 Word"},
     "",
     nullptr},
    {Command::WordCountEachWord,
     503,
     {"&Tools", "Word &Count", "&Each Individual Word"},
     "",
     nullptr},
    {Command::ToolsSort, 504, {"&Tools", "&Sort Alphabetically"}, "", nullptr},
    {Command::ProgrammingLinesOfCode, 601, {"&Programming", "&Lines-of-Code Count"}, "", nullptr},
    {Command::ProgrammingHTMLSkeleton, 602, {"&Programming", "&HTML Skeleton"}, "", nullptr},
    {Command::ProgrammingWebReadyCode, 603, {"&Programming", "&Web-Ready Code"}, "", nullptr},
    {Command::InsertDate, 701, {"&Insert", "&Date", "&Short"}, "", nullptr},
    {Command::DateLong, 702, {"&Insert", "&Date", "&Long"}, "", nullptr},
    {Command::InsertTime, 703, {"&Insert", "&Time", "&Short"}, "", nullptr},
    {Command::TimeLong, 704, {"&Insert", "&Time", "&Long"}, "", nullptr},
    {Command::DateAndTimeShort, 705, {"&Insert", "Date A&nd Time", "&Short"}, "", nullptr},
    {Command::DateAndTimeLong, 706, {"&Insert", "Date A&nd Time", "&Long"}, "", nullptr},
    {Command::HelpReadMe, 801, {"&Help", "&ReadMe"}, "F1", nullptr},
    {Command::HelpAbout, 802, {"&Help", "&About..."}, "", nullptr},
    {Command::DateAndTimeMenu, 901, {}, "", "btnDateAndTime"},
    {Command::HelpMenu, 902, {}, "", "btnHelp"},
    {Command::MinLock, 903, {}, "", "btnMinLock"},
    {Command::Restore, 1001, {}, "", nullptr},
};

TEST_F(CommandsTest, EveryRowHasItsNumberItsMenuItemAndItsToolbarControlLeadingToIt) {
  TfrmMain& frm = StartRecording();
  std::set<Command> rows;
  for (const app::CommandRow& row : app::CommandTable()) {
    EXPECT_TRUE(rows.insert(row.id).second) << "two rows for " << static_cast<int>(row.id);
  }
  std::set<Command> expected;
  for (const Expect& e : kExpected)
    expected.insert(e.id);
  EXPECT_EQ(rows, expected) << "every command has a row and every row is expected here";

  for (const Expect& e : kExpected) {
    SCOPED_TRACE(e.number);
    EXPECT_EQ(static_cast<int>(e.id), e.number);
    EXPECT_EQ(&app::RowOf(e.id), &app::RowOf(static_cast<Command>(e.number)));
    forms::MenuItem* item = e.menu.empty() ? nullptr : frm.MainMenu().Find(e.menu);
    EXPECT_EQ(frm.MenuItemOf(e.id), item);
    if (item) {
      EXPECT_EQ(item->Shortcut().Text(), e.shortcut);
      item->Click();
      EXPECT_EQ(Ran(), Commands{e.id}) << "the menu item";
    }
    forms::Control* control = e.control ? frm.ToolbarControl(e.control) : nullptr;
    ASSERT_EQ(control != nullptr, e.control != nullptr);
    if (!control)
      continue;
    if (frm.btn(e.control))
      SendMessageA(control->Handle(), BM_CLICK, 0, 0);
    else // a swatch: any button pressed on it
      SendMessageA(control->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(Ran(), Commands{e.id}) << e.control;
  }
}

TEST_F(CommandsTest, ShortcutsRunTheirCommandsAndTheHeadingsRunTheShortForm) {
  StartRecording();
  std::vector<std::pair<forms::ShortCut, Command>> keys;
  for (const app::CommandRow& row : app::CommandTable())
    if (!row.shortcut.Empty())
      keys.emplace_back(row.shortcut, row.id);
  keys.emplace_back(forms::Ctrl('D'), Command::InsertDate);
  keys.emplace_back(forms::Ctrl('T'), Command::InsertTime);
  keys.emplace_back(forms::CtrlAlt('D'), Command::DateAndTimeShort);
  ASSERT_EQ(keys.size(), 19u);
  for (const auto& [shortcut, id] : keys) {
    SCOPED_TRACE(shortcut.Text());
    EXPECT_TRUE(Press(shortcut));
    EXPECT_EQ(Ran(), Commands{id});
  }
  // A key that is no shortcut runs nothing.
  EXPECT_FALSE(Press(forms::Ctrl('Q')));
  EXPECT_TRUE(Ran().empty());
}

TEST_F(CommandsTest, PopupTwinsRunTheCommandsOfTheirMainMenuItems) {
  TfrmMain& frm = StartRecording();
  const struct {
    forms::Menu& menu;
    Strings path;
    Command id;
  } twins[] = {
      {frm.PopupMenuRightClick(), {"Cu&t"}, Command::EditCut},
      {frm.PopupMenuRightClick(), {"&Copy"}, Command::EditCopy},
      {frm.PopupMenuRightClick(), {"&Paste"}, Command::EditPaste},
      {frm.PopupMenuDateAndTime(), {"&Date", "&Long"}, Command::DateLong},
      {frm.PopupMenuDateAndTime(), {"Date A&nd Time", "&Short"}, Command::DateAndTimeShort},
      {frm.PopupMenuHelp(), {"&ReadMe"}, Command::HelpReadMe},
      {frm.PopupMenuHelp(), {"&About..."}, Command::HelpAbout},
      {frm.PopupMenuTrayIcon(), {"&Open Vellumdesk"}, Command::Restore},
      {frm.PopupMenuTrayIcon(), {"&Exit"}, Command::FileExit},
  };
  for (const auto& t : twins) {
    forms::MenuItem* item = t.menu.Find(t.path);
    ASSERT_NE(item, nullptr) << t.path.back();
    item->Click();
    EXPECT_EQ(Ran(), Commands{t.id}) << t.path.back();
  }
  // The context menu and the help popup show neither shortcuts nor hints.
  for (forms::Menu* menu :
       {&frm.PopupMenuRightClick(), &frm.PopupMenuHelp(), &frm.PopupMenuTrayIcon()})
    for (const auto& item : menu->Items()) {
      EXPECT_TRUE(item->Shortcut().Empty()) << item->Caption();
      EXPECT_EQ(item->Hint(), "") << item->Caption();
    }
}

TEST_F(CommandsTest, RunTakesTheCommandsHandlerAndRefusesANumberWithoutARow) {
  TfrmMain& frm = Start();
  ASSERT_TRUE(frm.viewToolbar().Checked());
  frm.Run(Command::FileNew);
  frm.Run(Command::FileNew);
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "Untitled2", "Untitled3"}));
  frm.Run(Command::ViewToolbar);
  EXPECT_FALSE(frm.viewToolbar().Checked());
  EXPECT_THROW(frm.Run(static_cast<Command>(108)), std::out_of_range);
  EXPECT_THROW(frm.Run(Command::None), std::out_of_range);
  EXPECT_EQ(Captions().size(), 3u);
}

} // namespace
} // namespace vd::test
