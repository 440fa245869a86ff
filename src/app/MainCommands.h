#pragma once
// The main window's commands: one row each, from which the main menu, the popup menus, the
// toolbar and the shortcuts are built.
#include "forms/Menus.h"

#include <span>

namespace vd::app {

class TfrmMain;

// Every command of the main window. The numbers are fixed so that a command can be found by
// its number as well as by its name; they are not the menus' own command numbers.
enum class Command : int {
  None = 0,
  FileNew = 101,
  FileOpen = 102,
  FileSave = 103,
  FileSaveAs = 104,
  FileClose = 105,
  FilePrint = 106,
  FileExit = 107,
  EditUndo = 201,
  EditCut = 202,
  EditCopy = 203,
  EditPaste = 204,
  EditSelectAll = 205,
  EditReplace = 206,
  EditGoto = 207,
  ViewToolbar = 301,
  OptionsWordWrap = 401,
  OptionsFontChange = 402,
  ColorsFont = 403,
  ColorsBackground = 404,
  OptionsMinLockPassword = 405,
  OptionsDefaultWorkingDirectories = 406,
  ToolsCleanup = 501,
  WordCount5Letters = 502,
  WordCountEachWord = 503,
  ToolsSort = 504,
  ProgrammingLinesOfCode = 601,
  ProgrammingHTMLSkeleton = 602,
  ProgrammingWebReadyCode = 603,
  InsertDate = 701,
  DateLong = 702,
  InsertTime = 703,
  TimeLong = 704,
  DateAndTimeShort = 705,
  DateAndTimeLong = 706,
  HelpReadMe = 801,
  HelpAbout = 802,
  DateAndTimeMenu = 901,
  HelpMenu = 902,
  MinLock = 903,
  Restore = 1001,
};

// A command's control on the toolbar: a speed button with a glyph, or a colour swatch.
struct ToolbarPlace {
  const char* name = nullptr; // nullptr: the command has no toolbar control
  int left = 0;
  int glyph = -1; // cell pair in the glyph strip; -1 for a swatch
  // Not always the menu item's hint: the toolbar has texts of its own.
  const char* hint = "";
};

struct CommandRow {
  Command id;
  // The menu item: caption, shortcut, hint ("short|long"). No caption: the command has no item
  // of its own in any menu.
  const char* caption;
  forms::ShortCut shortcut;
  const char* hint;
  void (TfrmMain::*handler)();
  ToolbarPlace toolbar{};
};

// All rows, in the toolbar's order of creation for those that have a toolbar control.
std::span<const CommandRow> CommandTable();
// Throws std::out_of_range for a number that names no command.
const CommandRow& RowOf(Command id);

} // namespace vd::app
