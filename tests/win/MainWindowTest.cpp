// The main window created for real in this process, driven through its handlers, with message
// boxes and file dialogs answered by scripted stand-ins.
#include "MainWindowFixture.h"
#include "Version.h"

namespace vd::test {
namespace {

using Call = ScriptedMessageBoxes::Call;

TEST_F(MainWindowTest, FirstStartWithoutSettingsUsesTheDefaults) {
  TfrmMain& frm = Start();
  EXPECT_EQ(Captions(), Strings{"Untitled1"});
  EXPECT_EQ(frm.DocumentPaths(), Strings{""});
  EXPECT_EQ(frm.UntitledCounter(), 1);
  EXPECT_EQ(frm.BoundsRect(), (Bounds{200, 120, 670, 500}));
  EXPECT_EQ(frm.CurrentFont().name, "Courier New");
  EXPECT_EQ(frm.CurrentFont().size, 10);
  EXPECT_TRUE(frm.optionsWordWrap().Checked());
  EXPECT_TRUE(frm.ActiveEditor().WordWrap());
  EXPECT_TRUE(frm.Toolbar().Visible());
  EXPECT_EQ(frm.OpenDialog().initialDir, "C:\\");
  EXPECT_EQ(frm.SaveDialog().initialDir, "C:\\");
  EXPECT_EQ(frm.statusbar().PanelText(1), "1, 1");
  EXPECT_EQ(frm.statusbar().PanelText(2).rfind(VD_PROGRAM_TITLE, 0), 0u);
  EXPECT_TRUE(frm.FileHistoryEntries().empty());
  EXPECT_FALSE(frm.ActiveEditor().Modified());
  EXPECT_NE(GetClassLongPtrA(frm.Handle(), GCLP_HICON), 0) << "the window carries the program icon";
}

TEST_F(MainWindowTest, MenusCarryEveryCaptionShortcutAndHint) {
  TfrmMain& frm = Start();
  struct Expect {
    Strings path;
    std::string shortcut;
    std::string longHint;
  };
  const Expect expected[] = {
      {{"&File", "&New"}, "Ctrl+N", "Open a new file for typing"},
      {{"&File", "&Open..."}, "Ctrl+O", "Open an existing file for editng"},
      {{"&File", "Save &As..."},
       "Ctrl+Alt+S",
       "Save the current file to disk with a different name"},
      {{"&File", "&Close"}, "Ctrl+F4", "Close the current file"},
      {{"&File", "E&xit"}, "", "Exit Vellumdesk"},
      {{"&Edit", "&Go To Line..."}, "Ctrl+G", "Go to a certain line in the file"},
      {{"&View", "&Toolbar"}, "F2", "Hide or show the toolbar"},
      {{"&Options", "&Colors", "&Background..."}, "", "Change the color of the background"},
      {{"&Tools", "Word &Count", "5 &Characters = 1 Word"},
       "",
       "Count the words in the file using 5 characters = 1 word"},
      {{"&Insert", "Date A&nd Time"},
       "Ctrl+Alt+D",
       "Insert the current date and time into the file"},
      {{"&Help", "&ReadMe"}, "F1", "View the readme before using Vellumdesk"},
  };
  for (const auto& e : expected) {
    forms::MenuItem* item = frm.MainMenu().Find(e.path);
    ASSERT_NE(item, nullptr) << e.path.back();
    EXPECT_EQ(item->Shortcut().Text(), e.shortcut) << e.path.back();
    EXPECT_EQ(item->LongHint(), e.longHint) << e.path.back();
  }
  // The File menu's order, with its separators.
  Strings file;
  for (auto& item : frm.MainMenu()[0].Items())
    file.push_back(item->Caption());
  EXPECT_EQ(file, (Strings{"&New", "&Open...", "&Reopen", "&Save", "Save &As...", "&Close", "-",
                           "&Print...", "-", "E&xit"}));
  // Every toolbar control but MinLock has its short hint as a tool tip.
  EXPECT_EQ(frm.ToolTipsOfToolbar().TextOf(*frm.btn("btnOpen")), "Open");
  EXPECT_EQ(frm.ToolTipsOfToolbar().TextOf(*frm.ToolbarControl("shapeFontColor")),
            "Text/Foreground");
  EXPECT_FALSE(frm.ToolTipsOfToolbar().Has(*frm.btn("btnMinLock")));
  EXPECT_EQ(frm.btn("btnMinLock")->LongHint(), "MinLock Vellumdesk for security");
  EXPECT_EQ(frm.btn("btnOpen")->LongHint(), "Open an existing file for editing");
}

TEST_F(MainWindowTest, OpeningAPathAlreadyOpenInAnotherCaseIsRefused) {
  TfrmMain& frm = Start();
  const std::string path = File("Notes.txt", "hello\r\n");
  frm.OpenFileInNewTab(path);
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "Notes.txt"}));
  EXPECT_EQ(frm.ActiveIndex(), 1);
  EXPECT_EQ(frm.ActiveEditor().AllText(), "hello\r\n");
  std::string upper = path;
  for (char& c : upper)
    c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  frm.OpenFileInNewTab(upper);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "File " + upper + " is already open.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Open Error");
  EXPECT_EQ(boxes.Calls()[0].flags, 0u);
  EXPECT_EQ(frm.DocumentCount(), 2);
  EXPECT_EQ(frm.FileHistoryEntries(), Strings{path});
}

TEST_F(MainWindowTest, ClosingTabsNumbersNewOnesOnAndActivatesTheFollowingTab) {
  TfrmMain& frm = Start();
  frm.fileCloseClick();
  EXPECT_EQ(Captions(), Strings{"Untitled2"});
  frm.fileNewClick();
  frm.fileNewClick();
  EXPECT_EQ(Captions(), (Strings{"Untitled2", "Untitled3", "Untitled4"}));
  frm.PageControl().SetActivePageIndex(1);
  frm.fileCloseClick();
  EXPECT_EQ(Captions(), (Strings{"Untitled2", "Untitled4"}));
  EXPECT_EQ(frm.ActiveIndex(), 1) << "the tab that followed the closed one";
  frm.fileCloseClick();
  EXPECT_EQ(frm.ActiveIndex(), 0) << "after the last, the new last";
  EXPECT_EQ(frm.DocumentPaths().size(), 1u);
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(MainWindowTest, YesThenCancelledSaveAsAtTheClosePromptClosesWithoutWriting) {
  TfrmMain& frm = Start();
  Type("draft");
  boxes.Answer({forms::kIdYes});
  dialogs.Choose(std::nullopt);
  frm.fileCloseClick();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "The current file has changed.  Would you like to save changes?");
  EXPECT_EQ(boxes.Calls()[0].caption, "File Has Changed");
  EXPECT_EQ(boxes.Calls()[0].flags, 3u);
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Calls()[0].title, "Save As");
  EXPECT_EQ(Captions(), Strings{"Untitled2"});

  // Cancel at the prompt changes nothing.
  Type("more");
  boxes.Answer({forms::kIdCancel});
  frm.fileCloseClick();
  EXPECT_EQ(Captions(), Strings{"Untitled2"});
  EXPECT_EQ(frm.ActiveEditor().AllText(), "more");
}

TEST_F(MainWindowTest, SaveAsAsksBeforeOverwritingAndNoShowsTheDialogAgain) {
  TfrmMain& frm = Start();
  const std::string existing = File("old.txt", "old");
  Type("new text");
  dialogs.Choose(existing);
  dialogs.Choose(existing);
  boxes.Answer({forms::kIdNo, forms::kIdYes});
  frm.fileSaveAsClick();
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "File " + existing + " already exists.  Would you like to overwrite this file?");
  EXPECT_EQ(boxes.Calls()[0].caption, "Replace Existing File?");
  EXPECT_EQ(boxes.Calls()[0].flags, 3u);
  EXPECT_EQ(dialogs.Calls().size(), 2u) << "Yes at the second question writes at once";
  EXPECT_EQ(ReadBytes(existing), "new text");
  EXPECT_EQ(Captions(), Strings{"old.txt"});
  EXPECT_EQ(frm.DocumentPaths(), Strings{existing});
  EXPECT_EQ(frm.FileHistoryEntries(), Strings{existing});
  EXPECT_FALSE(frm.ActiveEditor().Modified());

  // Cancel at the question ends Save As with nothing written.
  Type(" again");
  dialogs.Choose(existing);
  boxes.Answer({forms::kIdCancel});
  frm.fileSaveAsClick();
  EXPECT_EQ(ReadBytes(existing), "new text");
  EXPECT_TRUE(frm.ActiveEditor().Modified());
}

TEST_F(MainWindowTest, SaveAsOffersThePathOfTheLastOpenedFile) {
  TfrmMain& frm = Start();
  const std::string a = File("a.txt", "A"), b = File("b.txt", "B");
  frm.OpenFileInNewTab(a);
  frm.OpenFileInNewTab(b);
  frm.PageControl().SetActivePageIndex(1);
  dialogs.Choose(std::nullopt);
  frm.fileSaveAsClick();
  ASSERT_EQ(dialogs.Calls().size(), 1u);
  EXPECT_EQ(dialogs.Calls()[0].fileName, b);
  EXPECT_EQ(dialogs.Calls()[0].filterIndex, 1);
  frm.fileNewClick();
  dialogs.Choose(std::nullopt);
  frm.fileSaveAsClick();
  EXPECT_EQ(dialogs.Calls()[1].fileName, "") << "New empties the remembered name";
}

TEST_F(MainWindowTest, HistoryKeepsTenAndRemoveObsoleteTakesNeighbouringMissingEntries) {
  TfrmMain& frm = Start();
  Strings paths;
  for (int i = 1; i <= 11; ++i)
    paths.push_back(File("f" + std::to_string(i) + ".txt", "x"));
  for (const auto& p : paths)
    frm.OpenFileInNewTab(p);
  ASSERT_EQ(frm.FileHistoryEntries().size(), 10u);
  EXPECT_EQ(frm.FileHistoryEntries().front(), paths[10]);
  EXPECT_EQ(frm.FileHistoryEntries().back(), paths[1]);
  // The submenu mirrors the list, then its three fixed items.
  ASSERT_EQ(frm.fileReopen().Count(), 13u);
  EXPECT_EQ(frm.fileReopen()[0].Caption(), paths[10]);
  EXPECT_EQ(frm.fileReopen()[10].Caption(), "-");
  EXPECT_EQ(frm.fileReopen()[12].Caption(), "Remove All");

  DeleteFileA(paths[2].c_str());
  DeleteFileA(paths[1].c_str()); // the last two entries
  frm.RemoveObsoleteClick();
  EXPECT_EQ(frm.FileHistoryEntries().size(), 8u);
  EXPECT_EQ(frm.FileHistoryEntries().back(), paths[3]);

  frm.RemoveAllClick();
  EXPECT_EQ(frm.fileReopen().Count(), 3u);
}

TEST_F(MainWindowTest, AHistoryOfThousandsReadsOnlyTheFirstTenFilledEntries) {
  // A hand-edited settings file: 3,000 entries after two empty ones, one of them a duplicate.
  std::string ini = "[FileHistory]\r\nFile1=\r\nFile2=\r\n";
  for (int i = 3; i <= 3002; ++i)
    ini += "File" + std::to_string(i) + "=C:\\h\\f" + std::to_string(i) + ".txt\r\n";
  ini += "[Window State]\r\nLeft=200\r\n";
  WriteBytes(iniPath_, ini);
  TfrmMain& frm = Start();
  Strings expected;
  for (int i = 3; i <= 12; ++i)
    expected.push_back("C:\\h\\f" + std::to_string(i) + ".txt");
  EXPECT_EQ(frm.FileHistoryEntries(), expected);
  ASSERT_EQ(frm.fileReopen().Count(), 13u);
  EXPECT_EQ(frm.fileReopen()[9].Caption(), expected.back());
  EXPECT_EQ(frm.fileReopen()[10].Caption(), "-");
  // Adding keeps ten, and the menu follows.
  const std::string added = File("added.txt", "x");
  frm.OpenFileInNewTab(added);
  ASSERT_EQ(frm.FileHistoryEntries().size(), 10u);
  EXPECT_EQ(frm.fileReopen()[0].Caption(), added);
  EXPECT_EQ(frm.fileReopen()[9].Caption(), expected[8]);
  EXPECT_EQ(frm.fileReopen().Count(), 13u);
}

TEST_F(MainWindowTest, ReopenOfAMissingFileSaysSoAndKeepsTheEntry) {
  TfrmMain& frm = Start();
  const std::string gone = File("gone.txt", "x");
  frm.OpenFileInNewTab(gone);
  frm.fileCloseClick();
  DeleteFileA(gone.c_str());
  frm.fileReopen()[0].Click();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text,
            "File " + gone + " no longer exists.  Use 'Remove Obsolete' to get rid of old files.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Open Error");
  EXPECT_EQ(frm.FileHistoryEntries(), Strings{gone});

  const std::string here = File("here & there.txt", "x");
  frm.OpenFileInNewTab(here);
  frm.fileReopen()[0].Click(); // already open
  EXPECT_EQ(boxes.Calls().back().text, "File " + here + " is already open.");
  EXPECT_EQ(frm.FileHistoryEntries(), (Strings{here, gone}));
}

TEST_F(MainWindowTest, FailedSaveLeavesTheOldFileAndEverythingElseAsItWas) {
  TfrmMain& frm = Start();
  const std::string path = File("kept.txt", "original bytes\r\n");
  frm.OpenFileInNewTab(path);
  Type("changed ");
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::string message;
  try {
    frm.fileSaveClick();
  } catch (const std::exception& e) {
    message = e.what();
  }
  CloseHandle(held);
  EXPECT_EQ(message, "Cannot create file " + path);
  EXPECT_EQ(ReadBytes(path), "original bytes\r\n");
  EXPECT_TRUE(frm.ActiveEditor().Modified());
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "kept.txt"}));
}

TEST_F(MainWindowTest, UnreadableCommandLineFileLeavesUntitledAndTheSettingsApplied) {
  forms::IniFile(iniName_).WriteString("Font", "Name", "Lucida Console");
  const std::string missing = folder_ + "\\missing.txt";
  TfrmMain& frm = Start(missing);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_NE(boxes.Calls()[0].text.find(missing), std::string::npos) << boxes.Calls()[0].text;
  EXPECT_EQ(Captions(), Strings{"Untitled1"});
  EXPECT_EQ(frm.DocumentPaths(), Strings{""});
  EXPECT_EQ(frm.ActiveEditor().Font().name, "Lucida Console");
}

TEST_F(MainWindowTest, MaximisedStartRestoresToTheDesignBounds) {
  WriteBytes(iniPath_,
             "[Window State]\r\nIsMaximized=1\r\nLeft=5\r\nTop=5\r\nWidth=300\r\nHeight=200\r\n");
  TfrmMain& frm = Start();
  frm.ShowFirstTime();
  EXPECT_TRUE(IsZoomed(frm.Handle()));
  ShowWindow(frm.Handle(), SW_RESTORE);
  EXPECT_EQ(frm.BoundsRect(), (Bounds{268, 124, 710, 506}));
}

TEST_F(MainWindowTest, StartWithAFileLeavesTheCounterAtZero) {
  const std::string path = File("start.txt", "from the command line");
  TfrmMain& frm = Start(path);
  EXPECT_EQ(Captions(), Strings{"start.txt"});
  EXPECT_EQ(frm.UntitledCounter(), 0);
  EXPECT_EQ(frm.SaveDialog().fileName, path);
  EXPECT_EQ(frm.FileHistoryEntries(), Strings{path});
  frm.fileNewClick();
  EXPECT_EQ(Captions(), (Strings{"start.txt", "Untitled1"}));
}

TEST_F(MainWindowTest, ExitWithCancelAtTheSecondQuestionSavesTheFirstAndWritesNoSetting) {
  TfrmMain& frm = Start();
  const std::string a = File("a.txt", "a"), b = File("b.txt", "b");
  frm.OpenFileInNewTab(a);
  frm.OpenFileInNewTab(b);
  for (int i = 0; i < 3; ++i) {
    frm.PageControl().SetActivePageIndex(i);
    Type("edit ");
  }
  const std::string untitledTarget = folder_ + "\\first.txt";
  boxes.Answer({forms::kIdYes, forms::kIdCancel});
  dialogs.Choose(untitledTarget);
  frm.fileExitClick();
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[0].text, "File  has been modified.  Would you like to save changes?");
  EXPECT_EQ(boxes.Calls()[1].text,
            "File " + a + " has been modified.  Would you like to save changes?");
  EXPECT_EQ(boxes.Calls()[1].caption, "File Has Changed");
  EXPECT_EQ(ReadBytes(untitledTarget), "edit ");
  EXPECT_EQ(frm.ActiveIndex(), 1);
  EXPECT_FALSE(forms::Application::Instance().Terminated());
  EXPECT_EQ(GetFileAttributesA(iniPath_.c_str()), INVALID_FILE_ATTRIBUTES) << "no setting written";
  boxes.Answer({forms::kIdCancel});
  EXPECT_EQ(frm.WMQueryEndSession(), 0) << "Cancel keeps the session from ending";
  EXPECT_FALSE(forms::Application::Instance().Terminated());
}

TEST_F(MainWindowTest, TheSessionEndsOnlyWhenTheProgramHasEnded) {
  TfrmMain& frm = Start();
  Type("unsaved");
  const struct {
    int answer;
    LRESULT expected;
  } steps[] = {{forms::kIdCancel, 0}, {forms::kIdCancel, 0}, {forms::kIdNo, 1}};
  for (const auto& step : steps) {
    boxes.Clear();
    boxes.Answer({step.answer});
    EXPECT_EQ(frm.WMQueryEndSession(), step.expected) << step.answer;
    EXPECT_EQ(boxes.Calls().size(), 1u) << "asked once each time";
    EXPECT_EQ(forms::Application::Instance().Terminated(), step.expected == 1);
  }
}

TEST_F(MainWindowTest, ExitWritesEverySettingFromTheFirstEditor) {
  WriteBytes(iniPath_, "[FileHistory]\r\nFile1=\r\nFile2=C:\\a=b.txt\r\nFile11=C:\\extra.txt\r\n"
                       "[Font]\r\nBold=2\r\nSize=0x10\r\n[Options]\r\nWordWrap=0\r\n");
  TfrmMain& frm = Start();
  EXPECT_EQ(frm.CurrentFont().size, 16);
  EXPECT_TRUE(frm.CurrentFont().bold);
  EXPECT_FALSE(frm.ActiveEditor().WordWrap());
  frm.fileNewClick();
  frm.fileExitClick();
  EXPECT_TRUE(forms::Application::Instance().Terminated());
  forms::IniFile ini(iniName_);
  EXPECT_EQ(ini.ReadString("FileHistory", "File1", "?"), "C:\\a=b.txt");
  EXPECT_EQ(ini.ReadString("FileHistory", "File2", "?"), "C:\\extra.txt");
  EXPECT_EQ(ini.ReadString("FileHistory", "File10", "?"), "");
  EXPECT_EQ(ini.ReadString("Font", "Bold", ""), "1");
  EXPECT_EQ(ini.ReadString("Font", "Size", ""), "16");
  EXPECT_EQ(ini.ReadString("Font", "Name", ""), "Courier New");
  EXPECT_EQ(ini.ReadString("Options", "WordWrap", ""), "0");
  EXPECT_EQ(ini.ReadString("Options", "Toolbar", ""), "1");
  EXPECT_EQ(ini.ReadString("Colors", "Background", ""), "-2147483643");
  EXPECT_EQ(ini.ReadString("Window State", "Width", ""), "670");
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(MainWindowTest, AnEditorStartedAfreshByALargeToolStillFillsItsPageAfterAResize) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetAllText(std::string(70000, '<'));
  const HWND before = e.Handle();
  frm.programmingWebReadyCodeClick();
  ASSERT_NE(e.Handle(), before) << "the text was not streamed into a fresh editor";
  for (const SIZE size : {SIZE{520, 380}, SIZE{760, 560}}) {
    SetWindowPos(frm.Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT page{}, editor{};
    GetClientRect(GetParent(e.Handle()), &page);
    GetWindowRect(e.Handle(), &editor);
    EXPECT_EQ(editor.right - editor.left, page.right) << size.cx;
    EXPECT_EQ(editor.bottom - editor.top, page.bottom) << size.cy;
  }
}

TEST_F(MainWindowTest, ChangingToolsRewriteTheEditorWithoutUndoAndSetTheModifiedFlag) {
  TfrmMain& frm = Start();
  struct Case {
    std::vector<std::string> menu;
    std::string before, after;
  };
  const Case cases[] = {
      {{"&Tools", "&Sort Alphabetically"},
       "banana\r\nApple\r\n\r\ncherry\r\napple",
       "\r\nApple\r\napple\r\nbanana\r\ncherry\r\n"},
      {{"&Programming", "&Web-Ready Code"}, "a<b>c", "<pre>\r\na&lt;b&gt;c\r\n</pre>"},
      {{"&Tools", "&E-mail (Forward) Cleanup"},
       ">> Hello   there\r\n> friend\r\n",
       "Hello there\r\nfriend\r\n"},
      {{"&Tools", "&E-mail (Forward) Cleanup"},
       "-----Original Message-----\r\nFrom: Sam\r\nSent: Monday, 3 June\r\nTo: Pat\r\n"
       "Subject: FW: the joke\r\n\r\n>> > Here  is   the joke.\r\n> \r\n>\r\n> It was a long "
       "day.\r\n"
       "Get your free e-mail now\r\n\r\n\r\n",
       "\r\nHere is the joke.\r\n\r\nIt was a long day.\r\n"},
      // Large enough that the editor is started afresh and the text streamed in whole.
      {{"&Programming", "&Web-Ready Code"},
       std::string(70000, '<'),
       "<pre>\r\n" +
           [] {
             std::string s;
             for (int i = 0; i < 70000; ++i)
               s += "&lt;";
             return s;
           }() +
           "\r\n</pre>"},
  };
  for (const auto& c : cases) {
    forms::RichEdit& e = frm.ActiveEditor();
    e.SetAllText(c.before);
    e.SetModified(false);
    forms::MenuItem* item = frm.MainMenu().Find(c.menu);
    ASSERT_NE(item, nullptr) << c.menu.back();
    item->Click();
    EXPECT_EQ(e.AllText(), c.after) << c.menu.back();
    EXPECT_TRUE(e.Modified()) << c.menu.back();
    e.Undo();
    EXPECT_EQ(e.AllText(), c.after) << "Undo must not bring the old text back: " << c.menu.back();
  }
}

TEST_F(MainWindowTest, SkeletonGoesInAtTheSelectionStartAndCountsShowTheirMessages) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetAllText("keep this");
  e.SetSelection(5, 9);
  frm.MainMenu().Find({"&Programming", "&HTML Skeleton"})->Click();
  const std::string text = e.AllText();
  EXPECT_EQ(text.rfind("keep <", 0), 0u) << text;
  EXPECT_NE(text.find("\r\n"), std::string::npos) << "line feeds become CR LF";
  EXPECT_EQ(text.substr(text.size() - 4), "this");
  EXPECT_TRUE(e.Modified());

  e.SetAllText("one two  three\r\nfour\tfive");
  frm.MainMenu().Find({"&Tools", "Word &Count", "&Each Individual Word"})->Click();
  frm.MainMenu().Find({"&Tools", "Word &Count", "5 &Characters = 1 Word"})->Click();
  e.SetAllText("int x;\r\n\r\n// note\r\ny();\r\n");
  frm.MainMenu().Find({"&Programming", "&Lines-of-Code Count"})->Click();
  ASSERT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(boxes.Calls()[0].text, "The document contains 5 individual words.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Word Count");
  EXPECT_EQ(boxes.Calls()[0].flags, 0u);
  EXPECT_EQ(boxes.Calls()[1].text,
            "The document contains 4 words based on 5 characters to a word.");
  EXPECT_EQ(boxes.Calls()[2].caption, "Lines of Code Count");
  EXPECT_EQ(boxes.Calls()[2].text.rfind("The document contains ", 0), 0u);
}

} // namespace
} // namespace vd::test

#include "dialogs/Gotoform.h"

namespace vd::test {
namespace {

void PutOnClipboard(HWND owner, const char* text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  if (text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(mem), text, strlen(text) + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
  }
  CloseClipboard();
}

TEST_F(MainWindowTest, CutCopyAndPasteFollowTheSelectionAndTheClipboard) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetAllText("alpha beta");
  PutOnClipboard(frm.Handle(), nullptr);
  frm.editClick();
  EXPECT_FALSE(frm.editCut().Enabled());
  EXPECT_FALSE(frm.editCopy().Enabled());
  EXPECT_FALSE(frm.editPaste().Enabled());
  e.SetSelection(0, 5);
  frm.PopupMenuRightClickPopup();
  EXPECT_TRUE(frm.rightclickCut().Enabled());
  EXPECT_TRUE(frm.rightclickCopy().Enabled());
  frm.editCopyClick();
  frm.editClick();
  EXPECT_TRUE(frm.editPaste().Enabled());
  e.SetSelection(10, 10);
  frm.editPasteClick();
  EXPECT_EQ(e.AllText(), "alpha betaalpha");
  EXPECT_EQ(e.Selection().cpMin, 15);
  frm.editSelectAllClick();
  EXPECT_EQ(e.SelLength(), 15);
}

TEST_F(MainWindowTest, GoToLineMovesTheCaretAndRefusesWhatIsNotANumber) {
  TfrmMain& frm = Start();
  forms::RichEdit& e = frm.ActiveEditor();
  e.SetWordWrap(false);
  e.SetAllText("one\r\ntwo\r\nthree");
  dialogs::TfrmGoto dlg(&frm, [&] { return &e; });
  RECT client{};
  GetClientRect(dlg.Handle(), &client);
  EXPECT_EQ(client.right, 257);
  EXPECT_EQ(client.bottom, 100);
  const struct {
    const char* typed;
    long caret; // expected caret after Go, from a caret at 6
  } cases[] = {{"1", 0}, {"3", 10}, {"0", 5}, {"99999", 6}};
  for (const auto& c : cases) {
    e.SetSelection(6, 6);
    dlg.editLine().SetText(c.typed);
    dlg.btnGoClick();
    EXPECT_EQ(e.Selection().cpMin, c.caret) << "line " << c.typed;
    EXPECT_EQ(dlg.editLine().Text(), "");
  }
  dlg.editLine().SetText("");
  try {
    dlg.btnGoClick();
    FAIL() << "an empty box must not convert";
  } catch (const std::exception& ex) {
    EXPECT_STREQ(ex.what(), "'' is not a valid integer value");
  }
  // At most five digits, and no letters, can be typed.
  dlg.editLine().SetText("");
  for (char ch : std::string("12a3456"))
    SendMessageA(dlg.editLine().Handle(), WM_CHAR, ch, 1);
  EXPECT_EQ(dlg.editLine().Text(), "12345");
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(MainWindowTest, DateAndTimeGoInBeforeTheSelectionFromOneReadingOfTheClock) {
  TfrmMain& frm = Start();
  SYSTEMTIME moment{};
  moment.wYear = 2026;
  moment.wMonth = 12;
  moment.wDay = 9;
  moment.wHour = 23;
  moment.wMinute = 59;
  moment.wSecond = 58;
  int readings = 0;
  frm.Clock = [&] {
    ++readings;
    return moment;
  };
  char shortDate[64], longDate[128], shortTime[64], longTime[64];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, shortDate,
                 sizeof shortDate);
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &moment, nullptr, longDate, sizeof longDate);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &moment, nullptr, shortTime,
                 sizeof shortTime);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &moment, nullptr, longTime, sizeof longTime);
  EXPECT_STRNE(shortTime, longTime) << "the long time carries the seconds";

  const struct {
    std::vector<std::string> menu;
    std::string inserted;
  } cases[] = {
      {{"&Insert", "&Date", "&Short"}, shortDate},
      {{"&Insert", "&Date", "&Long"}, longDate},
      {{"&Insert", "&Time", "&Short"}, shortTime},
      {{"&Insert", "&Time", "&Long"}, longTime},
      {{"&Insert", "Date A&nd Time", "&Short"}, std::string(shortDate) + " " + shortTime},
      {{"&Insert", "Date A&nd Time", "&Long"}, std::string(longDate) + " " + longTime},
  };
  for (const auto& c : cases) {
    forms::RichEdit& e = frm.ActiveEditor();
    e.SetAllText("abc");
    e.SetModified(false);
    e.SetSelection(1, 3);
    readings = 0;
    frm.MainMenu().Find(c.menu)->Click();
    EXPECT_EQ(e.AllText(), "a" + c.inserted + "bc") << c.menu[1] << " " << c.menu[2];
    EXPECT_EQ(e.Selection().cpMin, static_cast<long>(1 + c.inserted.size()));
    EXPECT_EQ(readings, 1);
    EXPECT_TRUE(e.Modified());
  }
  EXPECT_EQ(frm.MainMenu().Find({"&Insert", "Date A&nd Time"})->Shortcut().Text(), "Ctrl+Alt+D");
  EXPECT_EQ(frm.PopupMenuDateAndTime().Find({"&Time", "&Long"})->LongHint(),
            "Insert the time in long format");
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(MainWindowTest, WordWrapSwitchesEveryEditorAndTheToolbarGivesItsPlaceToTheTabs) {
  TfrmMain& frm = Start();
  frm.fileNewClick();
  frm.optionsWordWrapClick();
  EXPECT_FALSE(frm.optionsWordWrap().Checked());
  EXPECT_FALSE(frm.Editor(0).WordWrap());
  EXPECT_FALSE(frm.Editor(1).WordWrap());
  frm.fileNewClick();
  EXPECT_FALSE(frm.Editor(2).WordWrap()) << "a new editor takes the check mark's state";

  RECT before{}, after{};
  GetWindowRect(frm.PageControl().Handle(), &before);
  frm.viewToolbarClick();
  GetWindowRect(frm.PageControl().Handle(), &after);
  EXPECT_FALSE(frm.viewToolbar().Checked());
  EXPECT_FALSE(frm.Toolbar().Visible());
  EXPECT_EQ(after.top, before.top - 39);
  EXPECT_EQ(after.bottom, before.bottom);
  frm.fileExitClick();
  EXPECT_EQ(forms::IniFile(iniName_).ReadString("Options", "Toolbar", ""), "0");
  EXPECT_EQ(forms::IniFile(iniName_).ReadString("Options", "WordWrap", ""), "0");
}

} // namespace
} // namespace vd::test
