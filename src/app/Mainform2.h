#pragma once
#include "app/MainCommands.h"
#include "core/FileHistory.h"
#include "core/Colour.h"
#include "forms/CommonDialogs.h"
#include "forms/Containers.h"
#include "forms/Cursors.h"
#include "forms/FileDialogs.h"
#include "forms/Form.h"
#include "forms/ImageList.h"
#include "forms/IniFile.h"
#include "forms/Menus.h"
#include "forms/RichEdit.h"
#include "forms/StdControls.h"
#include "tray/Trayicon.h"

#include "Version.h"

#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vd::dialogs {
class TfrmAbout;
class TfrmDirectories;
class TfrmGoto;
class TfrmMinLockPassword;
class TfrmPrint;
class TfrmReadMe;
class TfrmReplace;
class TfrmUnlock;
} // namespace vd::dialogs

namespace vd::app {

// The dialogs the main window shows. They are made after it, since it owns their windows, and
// handed to it once (SetDialogs); they live as long as it does.
struct MainDialogs {
  dialogs::TfrmAbout& about;
  dialogs::TfrmGoto& gotoLine;
  dialogs::TfrmPrint& print;
  dialogs::TfrmReadMe& readMe;
  dialogs::TfrmReplace& replace;
  dialogs::TfrmUnlock& unlock;
  dialogs::TfrmMinLockPassword& minLockPassword;
  dialogs::TfrmDirectories& directories;
};

// Posted by a second start that handed a file over through the settings file.
constexpr UINT WM_OPENREQUEST = WM_APP + 400; // 0x8190
// Posted to itself when minimised, so that it goes to the tray once the minimise is over.
constexpr UINT WM_HIDETOTRAY = WM_APP + 401;

// The main window: one tab per open file, the toolbar, the menus and the status bar.
//
// Declared once here and implemented by concern:
//   Mainform2.cpp      composition, start-up (FormCreate), the exit sequence, window messages
//   MainCommands.cpp   the command table; menus, popups, toolbar and shortcuts built from it
//   MainDocuments.cpp  documents, New/Open/Save/Save As/Close, the history and Reopen menu
//   MainEdit.cpp       edit commands and the states of Cut, Copy and Paste
//   MainDialogs.cpp    the ways to the dialogs (Go To Line, Find and Replace, Print, ...)
//   MainTools.cpp      the text tools
//   MainDateTime.cpp   date and time insertion
//   MainAppearance.cpp font, colours, word wrap and the toolbar's place
//   MainTabs.cpp       tab keys, the middle button on a tab, dropped files
//   MainTray.cpp       the tray icon, hiding to it and MinLock
class TfrmMain : public forms::Form {
public:
  static constexpr const char* kClassName = "TfrmMain";
  static constexpr const char* kCaption = VD_PROGRAM_TITLE;

  // fileToOpen: argument 1 of the command line, when there is one. FormCreate runs here.
  explicit TfrmMain(std::optional<std::string> fileToOpen = std::nullopt);
  ~TfrmMain() override;

  // Shows the window for the first time, maximised when the settings say so.
  void ShowFirstTime();
  void SetDialogs(const MainDialogs& dialogs) { dialogs_.emplace(dialogs); }

  // Runs a command as its menu item, popup twin, toolbar control or shortcut does.
  void Run(Command command);
  // Asked before each command runs; true takes the command over (tests record commands here).
  std::function<bool(Command)> OnCommand;

  // --- Documents: page i, DocumentPaths()[i] and editor i always go together.
  int DocumentCount() const { return static_cast<int>(documents_.size()); }
  int ActiveIndex() const;
  forms::RichEdit& ActiveEditor();
  forms::RichEdit& Editor(int index) { return *documents_.at(static_cast<size_t>(index)).editor; }
  std::vector<std::string> DocumentPaths() const;
  const std::vector<std::string>& FileHistoryEntries() const { return history_.Entries(); }
  int UntitledCounter() const { return untitledCounter_; }

  // --- Command handlers; menu items, popup twins, toolbar controls and shortcuts reach them
  // through Run and the command table (MainCommands.cpp).
  void fileNewClick();
  void fileOpenClick();
  void fileSaveClick();
  void fileSaveAsClick();
  void fileCloseClick();
  void fileExitClick();
  void OpenFileInNewTab(const std::string& path);
  // Runs work, which streams a text into an editor with the progress callback it is given.
  // After half a second the status bar shows "LABEL: 40%", paints go on and Esc cancels (the
  // callback answers false, and the work throws LoadCancelled); a close asked for meanwhile
  // waits for the end. False when cancelled.
  using StreamingWork = std::function<void(const forms::RichEdit::LoadProgress&)>;
  bool RunStreaming(const std::string& label, const StreamingWork& work);
  bool IsAlreadyOpen(const std::string& path) const;
  void AddToFileHistory(const std::string& path);
  void RebuildReopenMenu();
  void ReopenItemClick(forms::MenuItem& sender);
  void RemoveObsoleteClick();
  void RemoveAllClick();
  void WMOpenRequest();
  LRESULT WMQueryEndSession();

  // --- Tabs and drops (MainTabs.cpp); none of them is a menu item. Keyboard, middle button and
  // drops do nothing while a modal dialog is up or the program is locked.
  // Message filter: Ctrl+Tab and Ctrl+Page Down step to the next tab, Ctrl+Shift+Tab and
  // Ctrl+Page Up to the previous one, a middle click on a tab closes it.
  bool TranslateTabInput(MSG& msg);
  void CycleTabs(int step);
  void CloseTabAt(int index);
  // Opens each as File > Open does, in order; a refused one shows its message, the rest go on.
  void OpenFiles(const std::vector<std::string>& paths);
  // WM_DROPFILES: the files open, the folders are named in one message.
  void FilesDropped(HDROP drop);
  void OpenDroppedPaths(const std::vector<std::string>& paths);

  // --- Edit commands (Cut, Copy and Paste do nothing while Find and Replace is visible).
  void editUndoClick();
  void editCutClick();
  void editCopyClick();
  void editPasteClick();
  void editSelectAllClick();
  void editGotoClick();
  void editReplaceClick();
  void editClick();
  void PopupMenuRightClickPopup();

  // --- Printing: shows the Print dialog beside the main window (MainDialogs.cpp).
  void filePrintClick();

  // --- Appearance for every editor (MainAppearance.cpp).
  void optionsWordWrapClick();
  void viewToolbarClick();
  void optionsFontChangeClick();
  void colorsFontClick();
  void colorsBackgroundClick();
  // Its font is the template of every new editor, text colour included.
  forms::FontDialog& FontDialog() { return fontDialog_; }
  forms::ColorDialog& ColorDialogFont() { return colorDialogFont_; }
  forms::ColorDialog& ColorDialogBackground() { return colorDialogBackground_; }

  // --- Date and time, inserted before any selection; one reading of the clock per command.
  void insertDateClick();
  void dateLongClick();
  void insertTimeClick();
  void timeLongClick();
  void dateandtimeShortClick();
  void dateandtimeLongClick();
  void btnDateAndTimeClick();
  // The clock the date-and-time commands read; tests set a fixed moment.
  std::function<SYSTEMTIME()> Clock = [] {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
  };

  // --- Text tools on the active document.
  void toolsCleanupClick();
  void wordcount5LettersClick();
  void wordcountEachWordClick();
  void toolsSortClick();
  void programmingLinesOfCodeClick();
  void programmingHTMLSkeletonClick();
  void programmingWebReadyCodeClick();

  // --- The tray and MinLock. The close box and a minimise hide the program to the tray; while
  // it is locked, every way back leads through the unlock dialog.
  // A minimise (and MinLock) restores the window first and shows the padlock while locked; the
  // close box (FormCloseQuery) does neither.
  void HideToTray(bool minimising = true);
  void FormCloseQuery() { HideToTray(false); }
  // The tray menu's open item and a double click on the icon.
  void OpenFromTray();
  void btnMinLockClick();
  void optionsMinLockPasswordClick();
  bool MinLocked() const { return minLocked_; }
  tray::TTrayIcon& TrayIcon() { return *trayIcon_; }
  forms::ImageList& TrayImages() { return *trayImages_; }

  // --- Auxiliary windows: default working directories, ReadMe and About, each centred over the
  // main window and shown modally; the toolbar's Help button pops up the help menu.
  void optionsDefaultWorkingDirectoriesClick();
  void helpReadMeClick();
  void helpAboutClick();
  void btnHelpClick();

  // --- Status bar and editor events.
  // Every editor event that moves the caret shows it here.
  void ShowCaretPosition();
  // The focus: the caret text, and the first one of the run clears the modified flag.
  void MemoEnter();

  // --- Parts that other units and tests reach by name.
  forms::Panel& Toolbar() { return *toolbar_; }
  forms::PageControl& PageControl() { return *pageControl_; }
  forms::StatusBar& statusbar() { return *statusbar_; }
  forms::Menu& MainMenu() { return *mainMenu_; }
  forms::Menu& PopupMenuRightClick() { return *popupRightClick_; }
  forms::Menu& PopupMenuDateAndTime() { return *popupDateAndTime_; }
  forms::Menu& PopupMenuHelp() { return *popupHelp_; }
  forms::Menu& PopupMenuTrayIcon() { return *popupTrayIcon_; }
  forms::MenuItem& fileReopen() { return *fileReopen_; }
  // A command's item in the main menu; nullptr for a command that has none there.
  forms::MenuItem* MenuItemOf(Command command);
  forms::MenuItem& optionsWordWrap() { return *MenuItemOf(Command::OptionsWordWrap); }
  forms::MenuItem& viewToolbar() { return *MenuItemOf(Command::ViewToolbar); }
  forms::MenuItem& editCut() { return *MenuItemOf(Command::EditCut); }
  forms::MenuItem& editCopy() { return *MenuItemOf(Command::EditCopy); }
  forms::MenuItem& editPaste() { return *MenuItemOf(Command::EditPaste); }
  forms::MenuItem& rightclickCut() { return *rightClickItems_.at(Command::EditCut); }
  forms::MenuItem& rightclickCopy() { return *rightClickItems_.at(Command::EditCopy); }
  forms::MenuItem& rightclickPaste() { return *rightClickItems_.at(Command::EditPaste); }
  forms::FileDialog& OpenDialog() { return openDialog_; }
  forms::FileDialog& SaveDialog() { return saveDialog_; }
  forms::Shape& shapeFontColor() { return *shapeFontColor_; }
  forms::Shape& shapeBackgroundColor() { return *shapeBackgroundColor_; }
  const forms::FontSpec& CurrentFont() const { return fontDialog_.font; }
  forms::ToolTips& ToolTipsOfToolbar() { return *toolTips_; }
  // Toolbar controls by name ("btnNew", ...), for tests.
  forms::Control* ToolbarControl(const std::string& name);
  forms::SpeedButton* btn(const std::string& name) {
    return dynamic_cast<forms::SpeedButton*>(ToolbarControl(name));
  }

  // The accelerators of the main menu: the application's first message filter.
  bool TranslateShortcut(MSG& msg);

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void CloseRequested() override;

private:
  struct Document {
    forms::TabSheet* page; // owned by the page control
    std::unique_ptr<forms::RichEdit> editor;
    std::string path;
  };

  MainDialogs& Dialogs() { return dialogs_.value(); }
  bool ReplaceWindowVisible();
  bool TakesOutsideInput() const;
  void CreateComposition();
  void CreateToolbar();
  void CreateMenus();
  void CreateTrayIcon();
  void UnlockedFromDialog();
  // True when the program is not locked, or the unlock dialog has just unlocked it.
  bool UnlockBeforeExit();
  // While locked: whether an input message would reach a window of the program the lock hides.
  bool InputBehindTheLock(const MSG& msg) const;
  void SizeChanged(WPARAM kind);
  void InsertMoment(bool date, bool time, bool longForm);
  void FormCreate(const std::optional<std::string>& fileToOpen);
  void Layout();

  // The only two places where the three sequences change.
  Document& AppendDocument(const std::string& caption);
  void RemoveDocument(int index);
  std::unique_ptr<forms::RichEdit> ConfigureEditor(forms::TabSheet& page);

  void SaveEditorTo(int index, const std::string& path);
  // Puts a tool's result into the active editor; a long one shows "LABEL NAME: 40%" and can be
  // cancelled with Esc, which leaves the text as it was.
  void ApplyToolResult(const char* label, const std::string& oldText, const std::string& newText);
  // The hourglass on the toolbar, the window and the active editor for one command.
  forms::BusyCursor BusyOnActiveEditor();
  template <class Count>
  void ShowCount(Count count, const std::string& before, const std::string& after,
                 const char* caption);
  void WriteSettings();
  // The stored appearance at start-up, applied through the same routines as the commands.
  void ReadAppearance();
  void SetTextColourOfEditors(Colour colour);
  void SetBackgroundOfEditors(Colour colour);
  void ShowToolbar(bool on);

  forms::IniFile settings_;
  FileHistory history_;
  std::vector<Document> documents_;
  int untitledCounter_ = 0;
  bool firstEnterDone_ = false;
  bool startMaximized_ = false;

  std::unique_ptr<forms::Panel> bevel_;
  std::unique_ptr<forms::Panel> toolbar_;
  std::vector<std::unique_ptr<forms::Control>> toolbarControls_;
  forms::Shape* shapeFontColor_ = nullptr;
  forms::Shape* shapeBackgroundColor_ = nullptr;
  std::unique_ptr<forms::ToolTips> toolTips_;
  HIMAGELIST glyphs_ = nullptr;
  std::unique_ptr<forms::PageControl> pageControl_;
  std::unique_ptr<forms::StatusBar> statusbar_;

  std::unique_ptr<forms::Menu> mainMenu_;
  std::unique_ptr<forms::Menu> popupRightClick_;
  std::unique_ptr<forms::Menu> popupDateAndTime_;
  std::unique_ptr<forms::Menu> popupHelp_;
  std::unique_ptr<forms::Menu> popupTrayIcon_;
  forms::MenuItem* fileReopen_ = nullptr;
  std::map<Command, forms::MenuItem*> menuItems_;
  std::map<Command, forms::MenuItem*> rightClickItems_;
  HACCEL accelerators_ = nullptr;

  forms::FileDialog openDialog_;
  forms::FileDialog saveDialog_;
  forms::FontDialog fontDialog_{this};
  forms::ColorDialog colorDialogFont_{this, kColourBlack};
  forms::ColorDialog colorDialogBackground_{this, kColourWindowBackground};

  // Declared after the tray menu, so that the icon goes before the menu and its images.
  std::unique_ptr<forms::ImageList> trayImages_;
  std::unique_ptr<tray::TTrayIcon> trayIcon_;
  bool minLocked_ = false;
  std::optional<MainDialogs> dialogs_;
  // A text is streaming into an editor (RunStreaming pumps paints meanwhile): a close that
  // arrives then waits for the end of the stream, and the end of the session is refused.
  bool streaming_ = false;
  bool closeAfterStream_ = false;
  // Set while the exit sequence asks its questions, so that no second one starts inside it.
  bool exitRunning_ = false;
};

} // namespace vd::app
