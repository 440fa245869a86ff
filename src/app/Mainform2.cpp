// The main window's composition, its creation work and its exit sequence.
#include "app/Mainform2.h"

#include "app/HandOff.h"
#include "app/MainAssociation.h"
#include "app/TextCompare.h"
#include "core/SettingsKeys.h"
#include "forms/Application.h"
#include "forms/Dpi.h"
#include "forms/MessageBoxes.h"
#include "forms/Screen.h"
#include "resource.h"

#include <algorithm>

namespace vd::app {

namespace s = settings;

namespace {

forms::FormDesign MainDesign() {
  forms::FormDesign d;
  d.className = TfrmMain::kClassName;
  d.caption = TfrmMain::kCaption;
  d.left = 268;
  d.top = 124;
  d.width = 710;
  d.height = 506;
  d.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  d.icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VELLUMDESK));
  return d;
}

constexpr int kBevelHeight = 2;
constexpr int kToolbarHeight = 39;
constexpr int kStatusHeight = 19;

} // namespace

TfrmMain::TfrmMain(std::optional<std::string> fileToOpen)
    : Form(nullptr, MainDesign()), settings_(forms::SettingsFileName().Get()),
      history_(SameTextIgnoringCase), openDialog_(this, forms::FileDialog::Kind::Open),
      saveDialog_(this, forms::FileDialog::Kind::Save) {
  CreateComposition();
  CreateTrayIcon();
  FormCreate(fileToOpen);
}

TfrmMain::~TfrmMain() {
  forms::Application& app = forms::Application::Instance();
  app.OnHint = nullptr;
  SetMenu(Handle(), nullptr);
  documents_.clear();
  if (glyphs_)
    ImageList_Destroy(glyphs_);
}

void TfrmMain::CreateComposition() {
  const std::vector<std::pair<std::string, std::string>> filters{
      {"Text Files (*.txt)", "*.txt"},
      {"INI Files (*.ini)", "*.ini"},
      {"Log Files (*.log)", "*.log"},
      {"Source Code (*.pas, *.dpr, *.h, *.hpp, *.c, *.cpp, *.vbs, *.js)",
       "*.pas;*.dpr;*.h;*.hpp;*.c;*.cpp;*.vbs;*.js"},
      {"HTML Files (*.html, *.htm, *.shtm, *.shtml)", "*.html;*.htm;*.shtm;*.shtml"},
      {"Batch Files (*.bat)", "*.bat"},
      {"All Files (*.*)", "*.*"},
  };
  openDialog_.filters = filters;
  openDialog_.filterIndex = 7;
  openDialog_.defaultExt = "txt";
  // The read-only box shows, but its state is ignored; a typed name need not exist.
  openDialog_.options = OFN_ENABLESIZING | OFN_ALLOWMULTISELECT;
  saveDialog_.filters = filters;
  saveDialog_.filterIndex = 1;
  saveDialog_.defaultExt = "txt";
  saveDialog_.options = OFN_ENABLESIZING | OFN_HIDEREADONLY;

  forms::ControlArgs bevel;
  bevel.parent = Handle();
  bevel_ = std::make_unique<forms::Panel>(this, Handle(), bevel, forms::Panel::Edge::BevelTop);
  CreateToolbar();

  forms::ControlArgs pages;
  pages.parent = Handle();
  pageControl_ = std::make_unique<forms::PageControl>(this, pages);
  statusbar_ = std::make_unique<forms::StatusBar>(this, Handle(), std::vector<int>{300, 65, 300});
  statusbar_->SetPanelText(1, "1, 1");
  statusbar_->SetPanelText(2, VD_PROGRAM_TITLE " - a tabbed text editor, free to use and share");

  CreateMenus();
  DragAcceptFiles(Handle(), TRUE);
  forms::Application::Instance().OnHint = [this](const std::string& hint) {
    statusbar_->SetPanelText(0, hint);
  };
  Layout();
}

void TfrmMain::Layout() {
  RECT r;
  GetClientRect(Handle(), &r);
  const int w = r.right;
  int top = 0;
  bevel_->SetBounds(0, 0, w, forms::Scale(kBevelHeight));
  top += forms::Scale(kBevelHeight);
  if (toolbar_->Visible()) {
    toolbar_->SetBounds(0, top, w, forms::Scale(kToolbarHeight));
    top += forms::Scale(kToolbarHeight);
  }
  const int statusHeight = forms::Scale(kStatusHeight);
  statusbar_->SetBounds(0, r.bottom - statusHeight, w, statusHeight);
  pageControl_->SetBounds(0, top, w, std::max(0, static_cast<int>(r.bottom) - statusHeight - top));
}

void TfrmMain::FormCreate(const std::optional<std::string>& fileToOpen) {
  // The .txt association; it never stops the start.
  WriteFileAssociation(AssociationRoot().Get(), ProgramFilePath());

  // The dialogs' starting directories.
  const std::string current = settings_.ReadString(s::kDirCurrent);
  const std::string saveDefault = settings_.ReadString(s::kDirSaveDefault);
  const std::string openDefault = settings_.ReadString(s::kDirOpenDefault);
  if (settings_.ReadInteger(s::kDirUseDefault) != 0) {
    openDialog_.initialDir = openDefault;
    saveDialog_.initialDir = saveDefault;
  } else {
    openDialog_.initialDir = current;
    saveDialog_.initialDir = current;
  }

  // The history, in file order, as far as the list holds.
  history_.Load(
      settings_.ReadSectionValues(std::string(s::kHistorySection), FileHistory::kCapacity));

  // Font, colours and word wrap are read before the first editor is made, so that it is made with
  // them by the rule every new editor follows.
  ReadAppearance();

  // Placement comes before the first Document: the editor is then made at its final
  // size, and a large file is laid out once instead of again when the window takes its size.
  // Maximised starts keep the design bounds as the ones a restore returns to.
  // A stored rectangle off every screen or too small to use gives way to the design bounds.
  startMaximized_ = settings_.ReadBool(s::kWindowIsMaximized);
  if (!startMaximized_) {
    const std::vector<Bounds> screens = forms::MonitorWorkAreas();
    SetBounds(CheckedPlacement(
        {settings_.ReadInteger(s::kWindowLeft), settings_.ReadInteger(s::kWindowTop),
         settings_.ReadInteger(s::kWindowWidth), settings_.ReadInteger(s::kWindowHeight)},
        BoundsRect(), screens));
  }
  Layout();

  // The first Document. A file that cannot be read leaves no tab behind; the
  // start goes on with an untitled Document and the remaining settings.
  bool opened = false;
  if (fileToOpen) {
    try {
      Document& d = AppendDocument(FileNamePart(*fileToOpen));
      d.editor->LoadFromFile(*fileToOpen); // made with the font already: laid out once
      d.path = *fileToOpen;
      saveDialog_.fileName = *fileToOpen;
      d.editor->SetModified(false);
      history_.Add(*fileToOpen);
      opened = true;
    } catch (...) {
      if (!documents_.empty())
        RemoveDocument(DocumentCount() - 1);
      forms::Application::Instance().ShowCurrentException();
    }
  }
  if (!opened) {
    Document& d = AppendDocument("Untitled1");
    untitledCounter_ = 1;
    d.editor->SetModified(false);
  }
  pageControl_->SetActivePageIndex(0);

  // The Reopen menu from the history read above.
  RebuildReopenMenu();

  Layout();
}

void TfrmMain::ShowFirstTime() {
  FormShow();
  if (OnShow)
    OnShow();
  ShowWindow(Handle(), startMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOW);
  UpdateWindow(Handle());
  SetForegroundWindow(Handle());
  if (!documents_.empty())
    ActiveEditor().SetFocus();
}

void TfrmMain::WMOpenRequest() {
  // A locked program opens the file out of sight and asks for the password instead of showing
  // itself; a second start must not be a way round the lock.
  if (!minLocked_) {
    if (IsIconic(Handle()))
      ShowWindow(Handle(), SW_RESTORE);
    trayIcon_->ShowApplication();
    SetForegroundWindow(Handle());
  }
  const std::string path = TakeHandedOverFile(settings_);
  if (!path.empty())
    OpenFileInNewTab(path);
  if (minLocked_)
    OpenFromTray();
}

LRESULT TfrmMain::WMQueryEndSession() {
  // A locked program shows nothing, not even a save question, so it keeps the session from
  // ending. Inside a modal dialog or the questions of an Exit already under way, the exit
  // sequence would pull the documents from under them: the session waits for the user.
  if (minLocked_ || exitRunning_ || !IsWindowEnabled(Handle()))
    return 0;
  forms::Guarded([this] { fileExitClick(); });
  // Only a program that has really ended lets the session go on; after Cancel or a failed save
  // the program and its text stay.
  return forms::Application::Instance().Terminated() ? 1 : 0;
}

void TfrmMain::fileExitClick() {
  // While locked nothing may show, write or copy a document's text: the password comes first,
  // and Cancel there leaves the program hidden and locked.
  if (exitRunning_ || !UnlockBeforeExit())
    return;
  exitRunning_ = true;
  struct Running {
    bool& flag;
    ~Running() { flag = false; }
  } running{exitRunning_};
  // Ask about every modified Document, in page order; Cancel abandons the exit.
  for (int i = 0; i < DocumentCount(); ++i) {
    if (!Editor(i).Modified())
      continue;
    pageControl_->SetActivePageIndex(i);
    const int answer =
        forms::ShowMessageBox("File " + documents_[static_cast<size_t>(i)].path +
                                  " has been modified.  Would you like to save changes?",
                              "File Has Changed", forms::kMbYesNoCancel);
    if (answer == forms::kIdCancel)
      return;
    // A cancelled Save As goes on with the next tab. A save that failed (its error has been
    // shown) ends the exit as Cancel would, rather than end the program and lose the text.
    if (answer == forms::kIdYes && !forms::Guarded([this] { fileSaveClick(); }))
      return;
  }
  WriteSettings();
  documents_.clear();
  forms::Application::Instance().Terminate();
}

void TfrmMain::WriteSettings() {
  // One hold for the whole sequence: another instance exiting at the same moment writes its
  // settings before or after these, never between them.
  forms::SettingsLock hold(settings_.FileName());
  // Font, colours and word wrap come from the first tab's editor, whichever tab is active.
  forms::RichEdit& first = Editor(0);
  const forms::FontSpec font = first.Font();
  settings_.WriteColour(s::kColorsFont, font.colour);
  settings_.WriteColour(s::kColorsBackground, first.BackgroundColour());

  char dir[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, dir);
  settings_.WriteString(s::kDirCurrent, dir);

  for (const auto& [key, value] : history_.KeysToSave())
    settings_.WriteString(std::string(s::kHistorySection), key, value);

  const bool maximised = IsZoomed(Handle()) != FALSE;
  settings_.WriteBool(s::kWindowIsMaximized, maximised);
  Bounds b = BoundsRect();
  if (maximised) {
    RECT r;
    GetWindowRect(Handle(), &r);
    b = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  settings_.WriteInteger(s::kWindowLeft, b.left);
  settings_.WriteInteger(s::kWindowTop, b.top);
  settings_.WriteInteger(s::kWindowWidth, b.width);
  settings_.WriteInteger(s::kWindowHeight, b.height);

  settings_.WriteString(s::kFontName, font.name);
  settings_.WriteInteger(s::kFontSize, font.size);
  settings_.WriteBool(s::kFontBold, font.bold);
  settings_.WriteBool(s::kFontItalic, font.italic);

  settings_.WriteBool(s::kOptionsWordWrap, first.WordWrap());
  settings_.WriteBool(s::kOptionsToolbar, toolbar_->Visible());
}

void TfrmMain::CloseRequested() { FormCloseQuery(); }

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Only sent messages reach the window while a text streams into an editor; none may free or
  // replace the Document being filled.
  if (streaming_) {
    if (msg == WM_CLOSE) {
      closeAfterStream_ = true;
      return 0;
    }
    if (msg == WM_QUERYENDSESSION)
      return FALSE;
  }
  switch (msg) {
  case WM_SIZE:
    SizeChanged(wParam);
    Layout();
    return 0;
  case WM_HIDETOTRAY:
    if (IsIconic(Handle()))
      HideToTray();
    return 0;
  case WM_SYSCOMMAND:
    // Straight to the tray, never through the minimised state: the system would hide the
    // owned windows (Find and Replace) before the tray could note which were showing.
    if ((wParam & 0xFFF0) == SC_MINIMIZE) {
      HideToTray();
      return 0;
    }
    break;
  case WM_WINDOWPOSCHANGING:
    // Only the unlock dialog shows a locked program; a show from outside (a restore, SW_SHOW)
    // leaves it hidden.
    if (minLocked_)
      reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    break;
  case WM_COMMAND:
    // Menu commands and shortcuts reach no document while locked; the tray menu's commands
    // come through the tray's own window.
    if (minLocked_ && lParam == 0)
      return 0;
    break;
  case WM_OPENREQUEST:
    WMOpenRequest();
    return 0;
  case WM_QUERYENDSESSION:
    return WMQueryEndSession();
  case WM_DROPFILES:
    FilesDropped(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_MENUSELECT: {
    const UINT flags = HIWORD(wParam);
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    forms::MenuItem* item = nullptr;
    if (flags == 0xFFFF && !menu) {
      forms::Application::Instance().SetHint("");
      return 0;
    }
    if (flags & MF_POPUP)
      item = forms::MenuItem::FromSubMenu(GetSubMenu(menu, LOWORD(wParam)));
    else
      item = forms::MenuItem::FromCommand(LOWORD(wParam));
    forms::Application::Instance().SetHint(item ? item->LongHint() : "");
    return 0;
  }
  case WM_SETFOCUS:
    if (!documents_.empty())
      ActiveEditor().SetFocus();
    return 0;
  default:
    break;
  }
  if (forms::DispatchMenuMessage(msg, wParam, lParam))
    return 0;
  return Form::HandleMessage(msg, wParam, lParam);
}

} // namespace vd::app
