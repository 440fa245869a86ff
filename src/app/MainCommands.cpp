// The command table and what is built from it: the main menu, the editors' context menu, the
// date-and-time and help popups, the tray menu, the toolbar and the accelerators. Captions,
// shortcuts, hints and toolbar places stand here once.
#include "app/MainCommands.h"

#include "app/Mainform2.h"
#include "forms/Dpi.h"
#include "resource.h"

#include <map>
#include <stdexcept>
#include <string>

namespace vd::app {

using forms::Ctrl;
using forms::CtrlAlt;
using forms::Key;
using forms::MenuItem;
using C = Command;
using M = TfrmMain;
using CommandItems = std::map<Command, MenuItem*>;

namespace {

// Rows with a toolbar control stand in the order the toolbar creates them.
// One command to a row, so that the table reads as a table.
// clang-format off
const CommandRow kCommands[] = {
    {C::FileNew, "&New", Ctrl('N'), "New|Open a new file for typing", &M::fileNewClick,
     {"btnNew", 8, 0, "New|Open a new, blank file for typing"}},
    // "editng" is the program's own text; tests pin it.
    {C::FileOpen, "&Open...", Ctrl('O'), "Open|Open an existing file for editng", &M::fileOpenClick,
     {"btnOpen", 32, 1, "Open|Open an existing file for editing"}},
    {C::FileSave, "&Save", Ctrl('S'), "Save|Save the current file to disk", &M::fileSaveClick,
     {"btnSave", 56, 2, "Save|Save the current file"}},
    {C::FileSaveAs, "Save &As...", CtrlAlt('S'), "Save As|Save the current file to disk with a different name",
     &M::fileSaveAsClick},
    {C::FileClose, "&Close", Ctrl(VK_F4), "Close|Close the current file", &M::fileCloseClick,
     {"btnClose", 80, 3, "Close|Close the current file and open a new file"}},
    {C::FilePrint, "&Print...", Ctrl('P'), "Print|Print the current file", &M::filePrintClick,
     {"btnPrint", 112, 4, "Print|Print the file or change printer settings"}},
    {C::FileExit, "E&xit", {}, "Exit|Exit Vellumdesk", &M::fileExitClick},

    {C::EditUndo, "&Undo", Ctrl('Z'), "Undo|Undo the last operation", &M::editUndoClick,
     {"btnUndo", 168, 5, "Undo|Undo the last operation"}},
    {C::EditCut, "Cu&t", Ctrl('X'), "Cut|Cut the selected text to the clipboard", &M::editCutClick,
     {"btnCut", 200, 6, "Cut|Cut the selected text onto the clipboard"}},
    {C::EditCopy, "&Copy", Ctrl('C'), "Copy|Copy the selected text to the clipboard", &M::editCopyClick,
     {"btnCopy", 224, 7, "Copy|Copy the selected text to the clipboard"}},
    {C::EditPaste, "&Paste", Ctrl('V'), "Paste|Paste text from the clipboard into the current file",
     &M::editPasteClick, {"btnPaste", 248, 8, "Paste|Paste text from the clipboard into the current file"}},
    {C::EditSelectAll, "&Select All", Ctrl('A'), "Select All|Select all text in the current file",
     &M::editSelectAllClick},
    {C::EditReplace, "&Find and Replace...", Ctrl('F'), "Find and Replace|Find and replace text within the file",
     &M::editReplaceClick, {"btnReplace", 280, 9, "Find and Replace|Find and replace text within the file"}},
    {C::EditGoto, "&Go To Line...", Ctrl('G'), "Go To Line|Go to a certain line in the file", &M::editGotoClick,
     {"btnGoto", 304, 10, "Go To Line|Go to a certain line in the file"}},

    {C::ViewToolbar, "&Toolbar", Key(VK_F2), "Hide or show the toolbar", &M::viewToolbarClick},

    {C::OptionsWordWrap, "&Word Wrap", Ctrl('W'), "Word Wrap|Toggle word wrap on/off", &M::optionsWordWrapClick},
    {C::OptionsFontChange, "&Font Type/Size/Style...", {},
     "Font Type/Size/Style|Change the type, size, or style of the text", &M::optionsFontChangeClick,
     {"btnFont", 360, 11, "Font Type/Size/Style|Change the font type, size, or style"}},
    // The two swatches: any mouse button pressed on one runs its command.
    {C::ColorsFont, "&Font...", {}, "Font|Change the color of the text", &M::colorsFontClick,
     {"shapeFontColor", 392, -1, "Text/Foreground|Change the color of the text"}},
    {C::ColorsBackground, "&Background...", {}, "Background|Change the color of the background",
     &M::colorsBackgroundClick, {"shapeBackgroundColor", 407, -1, "Background|Change the color of the background"}},
    {C::OptionsMinLockPassword, "&MinLock Password", {}, "MinLock Password|Change the MinLock password",
     &M::optionsMinLockPasswordClick},
    // No hint, on purpose: the item has never had one.
    {C::OptionsDefaultWorkingDirectories, "&Default Working Directories", {}, "",
     &M::optionsDefaultWorkingDirectoriesClick},

    {C::ToolsCleanup, "&E-mail (Forward) Cleanup", {}, "Clean up hard to read forwards or other e-mails",
     &M::toolsCleanupClick},
    {C::WordCount5Letters, "5 &Characters = 1 Word", {},
     "5 = 1|Count the words in the file using 5 characters = 1 word", &M::wordcount5LettersClick},
    {C::WordCountEachWord, "&Each Individual Word", {},
     "Each Word|Count words in the file; each individual word counts", &M::wordcountEachWordClick},
    {C::ToolsSort, "&Sort Alphabetically", {}, "Sort lines in ascending alphabetical order", &M::toolsSortClick},

    {C::ProgrammingLinesOfCode, "&Lines-of-Code Count", {}, "Count the lines of code in the file",
     &M::programmingLinesOfCodeClick},
    {C::ProgrammingHTMLSkeleton, "&HTML Skeleton", {}, "Insert an HTML Skeleton to save time creating web pages",
     &M::programmingHTMLSkeletonClick},
    {C::ProgrammingWebReadyCode, "&Web-Ready Code", {},
     "Modify the file so that it will be ready to paste into a web page", &M::programmingWebReadyCodeClick},

    {C::InsertDate, "&Short", {}, "Short Date|Insert the date in short format", &M::insertDateClick},
    {C::DateLong, "&Long", {}, "Long Date|Insert the date in long format", &M::dateLongClick},
    {C::InsertTime, "&Short", {}, "Short Time|Insert the time in short format", &M::insertTimeClick},
    {C::TimeLong, "&Long", {}, "Long Time|Insert the time in long format", &M::timeLongClick},
    {C::DateAndTimeShort, "&Short", {}, "Short Date and Time|Insert the date and time in short format",
     &M::dateandtimeShortClick},
    {C::DateAndTimeLong, "&Long", {}, "Long Date and Time|Insert the date and time in long format",
     &M::dateandtimeLongClick},

    {C::HelpReadMe, "&ReadMe", Key(VK_F1), "ReadMe|View the readme before using Vellumdesk", &M::helpReadMeClick},
    {C::HelpAbout, "&About...", {}, "About|View information about Vellumdesk", &M::helpAboutClick},

    {C::DateAndTimeMenu, nullptr, {}, "", &M::btnDateAndTimeClick,
     {"btnDateAndTime", 464, 12, "Insert Date/Time|Insert the date, time, or both into the document"}},
    {C::HelpMenu, nullptr, {}, "", &M::btnHelpClick, {"btnHelp", 520, 13, "Help|View information about Vellumdesk"}},
    {C::MinLock, nullptr, {}, "", &M::btnMinLockClick, {"btnMinLock", 576, 14, "MinLock|MinLock Vellumdesk for security"}},

    {C::Restore, "&Open Vellumdesk", {}, "", &M::OpenFromTray},
};
// clang-format on

// One line of a menu's layout.
struct MenuLine {
  enum class Kind { Item, Bare, Heading, End, Separator } kind;
  // Item and Bare: the command. Heading: what its shortcut runs (None: only opens its lines).
  Command command = C::None;
  // Heading: its caption. Bare: a caption other than the row's (nullptr: the row's).
  const char* caption = nullptr;
  forms::ShortCut shortcut{};
  const char* hint = "";
};

// The row's caption, shortcut and hint.
MenuLine Item(Command c) { return {MenuLine::Kind::Item, c}; }
// The row's command under a caption alone: the popup twins show no shortcut and no hint.
MenuLine Bare(Command c, const char* caption = nullptr) {
  return {MenuLine::Kind::Bare, c, caption};
}
// A submenu, up to its End.
MenuLine Heading(const char* caption, forms::ShortCut shortcut = {}, const char* hint = "",
                 Command runs = C::None) {
  return {MenuLine::Kind::Heading, runs, caption, shortcut, hint};
}
MenuLine End() { return {MenuLine::Kind::End}; }
MenuLine Separator() { return {MenuLine::Kind::Separator}; }

// Menu layouts kept as menus read, several lines to a row.
// clang-format off
const MenuLine kFileLines[] = {
    Item(C::FileNew), Item(C::FileOpen), Heading("&Reopen"), End(), Item(C::FileSave), Item(C::FileSaveAs),
    Item(C::FileClose), Separator(), Item(C::FilePrint), Separator(), Item(C::FileExit),
};
const MenuLine kEditLines[] = {
    Item(C::EditUndo),      Separator(),         Item(C::EditCut),    Item(C::EditCopy), Item(C::EditPaste),
    Item(C::EditSelectAll), Separator(), Item(C::EditReplace), Item(C::EditGoto),
};
const MenuLine kViewLines[] = {Item(C::ViewToolbar)};
const MenuLine kOptionsLines[] = {
    Item(C::OptionsWordWrap),        Item(C::OptionsFontChange),
    Heading("&Colors"),              Item(C::ColorsFont),
    Item(C::ColorsBackground),       End(),
    Item(C::OptionsMinLockPassword), Item(C::OptionsDefaultWorkingDirectories),
};
const MenuLine kToolsLines[] = {
    Item(C::ToolsCleanup),      Heading("Word &Count"), Item(C::WordCount5Letters),
    Item(C::WordCountEachWord), End(),                  Item(C::ToolsSort),
};
const MenuLine kProgrammingLines[] = {
    Item(C::ProgrammingLinesOfCode), Item(C::ProgrammingHTMLSkeleton), Item(C::ProgrammingWebReadyCode)};
// The Insert menu and the toolbar's date-and-time popup alike. A heading runs only through its
// shortcut (choosing it in a menu opens its lines): Ctrl+D, Ctrl+T and Ctrl+Alt+D insert the
// short form.
const MenuLine kDateTimeLines[] = {
    Heading("&Date", Ctrl('D'), "Date|Insert the current date into the file", C::InsertDate),
    Item(C::InsertDate), Item(C::DateLong), End(),
    Heading("&Time", Ctrl('T'), "Time|Insert the current time into the file", C::InsertTime),
    Item(C::InsertTime), Item(C::TimeLong), End(),
    Heading("Date A&nd Time", CtrlAlt('D'), "Date And Time|Insert the current date and time into the file",
            C::DateAndTimeShort),
    Item(C::DateAndTimeShort), Item(C::DateAndTimeLong), End(),
};
// clang-format on
const MenuLine kHelpLines[] = {Item(C::HelpReadMe), Separator(), Item(C::HelpAbout)};

struct TopMenu {
  const char* caption;
  std::span<const MenuLine> lines;
};
const TopMenu kMainMenu[] = {
    {"&File", kFileLines},       {"&Edit", kEditLines},   {"&View", kViewLines},
    {"&Options", kOptionsLines}, {"&Tools", kToolsLines}, {"&Programming", kProgrammingLines},
    {"&Insert", kDateTimeLines}, {"&Help", kHelpLines},
};

const MenuLine kRightClickLines[] = {Bare(C::EditCut), Bare(C::EditCopy), Bare(C::EditPaste)};
const MenuLine kHelpPopupLines[] = {Bare(C::HelpReadMe), Separator(), Bare(C::HelpAbout)};
const MenuLine kTrayLines[] = {Bare(C::Restore), Bare(C::FileExit, "&Exit")};

HIMAGELIST LoadGlyphs() {
  // The strips hold each glyph normal then disabled; the 24-pixel one serves high DPI.
  const int size = forms::GlyphSize();
  HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 30, 0);
  const int resource = size == 24 ? IDB_TOOLBAR24 : IDB_TOOLBAR;
  HBITMAP strip =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (strip) {
    ImageList_AddMasked(list, strip, RGB(255, 0, 255));
    DeleteObject(strip);
  }
  return list;
}

template <class Parent>
MenuItem& AddMenuLine(TfrmMain& main, Parent& parent, const MenuLine& line) {
  auto run = [&main](Command c) { return [&main, c](MenuItem&) { main.Run(c); }; };
  switch (line.kind) {
  case MenuLine::Kind::Separator:
    return parent.AddSeparator();
  case MenuLine::Kind::Heading: {
    MenuItem& heading = parent.Add(line.caption, line.shortcut, line.hint);
    if (line.command != C::None)
      heading.OnClick = run(line.command);
    return heading;
  }
  case MenuLine::Kind::Bare: {
    const CommandRow& row = RowOf(line.command);
    return parent.Add(line.caption ? line.caption : row.caption, {}, {}, run(line.command));
  }
  default: {
    const CommandRow& row = RowOf(line.command);
    return parent.Add(row.caption, row.shortcut, row.hint, run(line.command));
  }
  }
}

// Builds the lines into `parent`; `items`, when given, learns the item of each command.
template <class Parent>
void AddMenuLines(TfrmMain& main, Parent& parent, std::span<const MenuLine> lines,
                  CommandItems* items) {
  std::vector<MenuItem*> open; // the headings whose End has not come yet
  for (const MenuLine& line : lines) {
    if (line.kind == MenuLine::Kind::End) {
      open.pop_back();
      continue;
    }
    MenuItem& added =
        open.empty() ? AddMenuLine(main, parent, line) : AddMenuLine(main, *open.back(), line);
    if (line.kind == MenuLine::Kind::Heading)
      open.push_back(&added);
    else if (items && line.command != C::None)
      (*items)[line.command] = &added;
  }
}

} // namespace

std::span<const CommandRow> CommandTable() { return kCommands; }

const CommandRow& RowOf(Command id) {
  for (const CommandRow& row : kCommands)
    if (row.id == id)
      return row;
  throw std::out_of_range("no command " + std::to_string(static_cast<int>(id)));
}

void TfrmMain::Run(Command command) {
  const CommandRow& row = RowOf(command);
  if (OnCommand && OnCommand(command))
    return;
  (this->*row.handler)();
}

void TfrmMain::CreateMenus() {
  mainMenu_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Bar);
  for (const TopMenu& top : kMainMenu)
    AddMenuLines(*this, mainMenu_->Add(top.caption), top.lines, &menuItems_);
  fileReopen_ = mainMenu_->Find({"&File", "&Reopen"});
  mainMenu_->Find({"&Edit"})->OnPopup = [this](MenuItem&) { editClick(); };
  MenuItemOf(C::ViewToolbar)->SetChecked(true);
  MenuItemOf(C::OptionsWordWrap)->SetChecked(true);

  popupRightClick_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  popupRightClick_->OnPopup = [this](forms::Menu&) { PopupMenuRightClickPopup(); };
  AddMenuLines(*this, *popupRightClick_, kRightClickLines, &rightClickItems_);

  popupDateAndTime_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  AddMenuLines(*this, *popupDateAndTime_, kDateTimeLines, nullptr);
  popupHelp_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  AddMenuLines(*this, *popupHelp_, kHelpPopupLines, nullptr);
  popupTrayIcon_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  AddMenuLines(*this, *popupTrayIcon_, kTrayLines, nullptr);

  SetMenu(Handle(), mainMenu_->Handle());
  accelerators_ = mainMenu_->Accelerators();
}

forms::MenuItem* TfrmMain::MenuItemOf(Command command) {
  const auto it = menuItems_.find(command);
  return it == menuItems_.end() ? nullptr : it->second;
}

void TfrmMain::CreateToolbar() {
  forms::ControlArgs panel;
  panel.parent = Handle();
  toolbar_ = std::make_unique<forms::Panel>(this, Handle(), panel);
  toolTips_ = std::make_unique<forms::ToolTips>(Handle());
  glyphs_ = LoadGlyphs();

  for (const CommandRow& row : kCommands) {
    const ToolbarPlace& place = row.toolbar;
    if (!place.name)
      continue;
    forms::ControlArgs a;
    a.parent = toolbar_->Handle();
    a.left = place.left;
    a.hint = place.hint;
    const Command id = row.id;
    std::unique_ptr<forms::Control> control;
    if (place.glyph < 0) {
      // A 27-pixel square; the text swatch lies over the background swatch's upper left corner.
      a.top = id == C::ColorsFont ? 4 : 8;
      a.width = a.height = 27;
      auto swatch = std::make_unique<forms::Shape>(this, a);
      swatch->OnMouseDown = [this, id](int) { Run(id); };
      (id == C::ColorsFont ? shapeFontColor_ : shapeBackgroundColor_) = swatch.get();
      control = std::move(swatch);
    } else {
      a.top = 7;
      a.width = a.height = 25;
      auto button = std::make_unique<forms::SpeedButton>(this, a, glyphs_, 2 * place.glyph,
                                                         2 * place.glyph + 1);
      button->OnClick = [this, id] { Run(id); };
      control = std::move(button);
    }
    control->SetName(place.name);
    // The MinLock button shows no tool tip; its long hint still reaches the status bar.
    if (id != C::MinLock)
      toolTips_->Add(*control, control->ShortHint());
    toolbarControls_.push_back(std::move(control));
  }
  SetWindowPos(shapeFontColor_->Handle(), HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

forms::Control* TfrmMain::ToolbarControl(const std::string& name) {
  for (auto& c : toolbarControls_)
    if (c->Name() == name)
      return c.get();
  return nullptr;
}

bool TfrmMain::TranslateShortcut(MSG& msg) {
  if (InputBehindTheLock(msg))
    return true; // swallowed: the lock hides the documents
  // Shortcuts reach the main menu from any window of the program, also from Find and Replace,
  // but not while a modal dialog has disabled the main window.
  if (!accelerators_ || !IsWindowEnabled(Handle()))
    return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
    return false;
  return TranslateAcceleratorA(Handle(), accelerators_, &msg) != 0;
}

} // namespace vd::app
