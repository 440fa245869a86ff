// The main window's menus: the main menu, the editors' context menu, the date-and-time and help
// popups and the tray menu. Captions, shortcuts and hints stand here once; the accelerators are
// derived from them.
#include "app/Mainform2.h"

namespace vd::app {

using forms::Ctrl;
using forms::CtrlAlt;
using forms::Key;
using forms::MenuItem;

namespace {
template <class F> std::function<void(MenuItem&)> Run(F f) {
  return [f](MenuItem&) { f(); };
}

} // namespace

// The Insert menu and the toolbar's date-and-time popup: the same three submenus, the same
// captions, hints and shortcuts, the same handlers.
template <class Parent> void TfrmMain::AddDateTimeMenus(Parent& parent) {
  MenuItem& date = parent.Add("&Date", Ctrl('D'), "Date|Insert the current date into the file");
  date.Add("&Short", {}, "Short Date|Insert the date in short format", Run([this] { insertDateClick(); }));
  date.Add("&Long", {}, "Long Date|Insert the date in long format", Run([this] { dateLongClick(); }));
  MenuItem& time = parent.Add("&Time", Ctrl('T'), "Time|Insert the current time into the file");
  time.Add("&Short", {}, "Short Time|Insert the time in short format", Run([this] { insertTimeClick(); }));
  time.Add("&Long", {}, "Long Time|Insert the time in long format", Run([this] { timeLongClick(); }));
  MenuItem& both = parent.Add("Date A&nd Time", CtrlAlt('D'),
                              "Date And Time|Insert the current date and time into the file");
  both.Add("&Short", {}, "Short Date and Time|Insert the date and time in short format",
           Run([this] { dateandtimeShortClick(); }));
  both.Add("&Long", {}, "Long Date and Time|Insert the date and time in long format",
           Run([this] { dateandtimeLongClick(); }));
  // A header runs only through its shortcut (choosing it in a menu opens its leaves): Ctrl+D,
  // Ctrl+T and Ctrl+Alt+D insert the short form.
  date.OnClick = Run([this] { insertDateClick(); });
  time.OnClick = Run([this] { insertTimeClick(); });
  both.OnClick = Run([this] { dateandtimeShortClick(); });
}

void TfrmMain::CreateMenus() {
  mainMenu_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Bar);
  forms::Menu& mm = *mainMenu_;

  MenuItem& file = mm.Add("&File");
  file.Add("&New", Ctrl('N'), "New|Open a new file for typing", Run([this] { fileNewClick(); }));
  file.Add("&Open...", Ctrl('O'), "Open|Open an existing file for editng", Run([this] { fileOpenClick(); }));
  fileReopen_ = &file.Add("&Reopen");
  file.Add("&Save", Ctrl('S'), "Save|Save the current file to disk", Run([this] { fileSaveClick(); }));
  file.Add("Save &As...", CtrlAlt('S'), "Save As|Save the current file to disk with a different name",
           Run([this] { fileSaveAsClick(); }));
  file.Add("&Close", Ctrl(VK_F4), "Close|Close the current file", Run([this] { fileCloseClick(); }));
  file.AddSeparator();
  file.Add("&Print...", Ctrl('P'), "Print|Print the current file", Run([this] { filePrintClick(); }));
  file.AddSeparator();
  file.Add("E&xit", {}, "Exit|Exit Vellumdesk", Run([this] { fileExitClick(); }));

  MenuItem& edit = mm.Add("&Edit");
  edit.OnPopup = [this](MenuItem&) { editClick(); };
  edit.Add("&Undo", Ctrl('Z'), "Undo|Undo the last operation", Run([this] { editUndoClick(); }));
  edit.AddSeparator();
  editCut_ = &edit.Add("Cu&t", Ctrl('X'), "Cut|Cut the selected text to the clipboard",
                       Run([this] { editCutClick(); }));
  editCopy_ = &edit.Add("&Copy", Ctrl('C'), "Copy|Copy the selected text to the clipboard",
                        Run([this] { editCopyClick(); }));
  editPaste_ = &edit.Add("&Paste", Ctrl('V'), "Paste|Paste text from the clipboard into the current file",
                         Run([this] { editPasteClick(); }));
  edit.Add("&Select All", Ctrl('A'), "Select All|Select all text in the current file",
           Run([this] { editSelectAllClick(); }));
  edit.AddSeparator();
  edit.Add("&Find and Replace...", Ctrl('F'), "Find and Replace|Find and replace text within the file",
           Run([this] { editReplaceClick(); }));
  edit.Add("&Go To Line...", Ctrl('G'), "Go To Line|Go to a certain line in the file",
           Run([this] { editGotoClick(); }));

  MenuItem& view = mm.Add("&View");
  viewToolbar_ = &view.Add("&Toolbar", Key(VK_F2), "Hide or show the toolbar",
                          Run([this] { viewToolbarClick(); }));
  viewToolbar_->SetChecked(true);

  MenuItem& options = mm.Add("&Options");
  optionsWordWrap_ = &options.Add("&Word Wrap", Ctrl('W'), "Word Wrap|Toggle word wrap on/off",
                                  Run([this] { optionsWordWrapClick(); }));
  optionsWordWrap_->SetChecked(true);
  options.Add("&Font Type/Size/Style...", {}, "Font Type/Size/Style|Change the type, size, or style of the text",
              Run([this] { optionsFontChangeClick(); }));
  MenuItem& colors = options.Add("&Colors");
  colors.Add("&Font...", {}, "Font|Change the color of the text", Run([this] { colorsFontClick(); }));
  colors.Add("&Background...", {}, "Background|Change the color of the background",
             Run([this] { colorsBackgroundClick(); }));
  options.Add("&MinLock Password", {}, "MinLock Password|Change the MinLock password",
              Run([this] { optionsMinLockPasswordClick(); }));
  options.Add("&Default Working Directories", {}, {}, Run([this] { optionsDefaultWorkingDirectoriesClick(); }));

  MenuItem& tools = mm.Add("&Tools");
  tools.Add("&E-mail (Forward) Cleanup", {}, "Clean up hard to read forwards or other e-mails",
            Run([this] { toolsCleanupClick(); }));
  MenuItem& wordCount = tools.Add("Word &Count");
  wordCount.Add("5 &Characters = 1 Word", {}, "5 = 1|Count the words in the file using 5 characters = 1 word",
                Run([this] { wordcount5LettersClick(); }));
  wordCount.Add("&Each Individual Word", {}, "Each Word|Count words in the file; each individual word counts",
                Run([this] { wordcountEachWordClick(); }));
  tools.Add("&Sort Alphabetically", {}, "Sort lines in ascending alphabetical order",
            Run([this] { toolsSortClick(); }));

  MenuItem& programming = mm.Add("&Programming");
  programming.Add("&Lines-of-Code Count", {}, "Count the lines of code in the file",
                  Run([this] { programmingLinesOfCodeClick(); }));
  programming.Add("&HTML Skeleton", {}, "Insert an HTML Skeleton to save time creating web pages",
                  Run([this] { programmingHTMLSkeletonClick(); }));
  programming.Add("&Web-Ready Code", {}, "Modify the file so that it will be ready to paste into a web page",
                  Run([this] { programmingWebReadyCodeClick(); }));

  AddDateTimeMenus(mm.Add("&Insert"));

  MenuItem& help = mm.Add("&Help");
  help.Add("&ReadMe", Key(VK_F1), "ReadMe|View the readme before using Vellumdesk",
           Run([this] { helpReadMeClick(); }));
  help.AddSeparator();
  help.Add("&About...", {}, "About|View information about Vellumdesk", Run([this] { helpAboutClick(); }));

  popupRightClick_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  popupRightClick_->OnPopup = [this](forms::Menu&) { PopupMenuRightClickPopup(); };
  rightclickCut_ = &popupRightClick_->Add("Cu&t", {}, {}, Run([this] { editCutClick(); }));
  rightclickCopy_ = &popupRightClick_->Add("&Copy", {}, {}, Run([this] { editCopyClick(); }));
  rightclickPaste_ = &popupRightClick_->Add("&Paste", {}, {}, Run([this] { editPasteClick(); }));

  popupDateAndTime_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  AddDateTimeMenus(*popupDateAndTime_);

  popupHelp_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  popupHelp_->Add("&ReadMe", {}, {}, Run([this] { helpReadMeClick(); }));
  popupHelp_->AddSeparator();
  popupHelp_->Add("&About...", {}, {}, Run([this] { helpAboutClick(); }));

  popupTrayIcon_ = std::make_unique<forms::Menu>(this, forms::Menu::Kind::Popup);
  popupTrayIcon_->Add("&Open Vellumdesk", {}, {}, Run([this] { restoreClick(); }));
  popupTrayIcon_->Add("&Exit", {}, {}, Run([this] { fileExitClick(); }));

  SetMenu(Handle(), mainMenu_->Handle());
  accelerators_ = mainMenu_->Accelerators();
}

bool TfrmMain::TranslateShortcut(MSG& msg) {
  if (InputBehindTheLock(msg)) return true; // swallowed: the lock hides the documents
  // Shortcuts reach the main menu from any window of the program, also from Find and Replace,
  // but not while a modal dialog has disabled the main window.
  if (!accelerators_ || !IsWindowEnabled(Handle())) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  return TranslateAcceleratorA(Handle(), accelerators_, &msg) != 0;
}

} // namespace vd::app
