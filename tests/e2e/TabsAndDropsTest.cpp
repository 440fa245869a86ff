// Tabs from the keyboard, files dropped from the shell and several files from one Open, in the
// real program.
#include "Robot.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>

namespace vd::robot {
namespace {

using Strings = std::vector<std::string>;

BOOL CALLBACK NameBoxSearch(HWND h, LPARAM found) {
  const int id = GetDlgCtrlID(h), parentId = GetDlgCtrlID(GetParent(h));
  if (ClassName(h) == "Edit" && (id == 0x480 /* edt1 */ || parentId == 0x47C /* cmb13 */)) {
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
  }
  return TRUE;
}

class TabsAndDrops : public FolderTest {
protected:
  static HWND Start(Program& p) {
    HWND main = p.WaitForWindow("TfrmMain");
    EXPECT_NE(main, nullptr);
    if (main) {
      SetForegroundWindow(main);
      EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 5s));
    }
    return main;
  }
  // Waits for the next message box, returns its text and presses OK.
  static std::string AnswerBox(const Program& p) {
    HWND box = WaitForDialog(p.ProcessId());
    if (!box)
      return "<no box>";
    const std::string text = MessageBoxText(box);
    PressButton(box, IDOK);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
  }
  // As the shell drops files: a DROPFILES block in the program's own memory, posted with
  // WM_DROPFILES. The program frees it with DragFinish.
  static bool DropFiles(const Program& p, HWND main, const Strings& paths) {
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    std::memcpy(block.data(), &header, sizeof header);
    for (const auto& path : paths)
      block += path + '\0';
    block += '\0';
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, p.ProcessId());
    if (!process)
      return false;
    void* remote =
        VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const bool written =
        remote && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
    CloseHandle(process);
    return written && PostMessageA(main, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
  }
  // The Open dialog's file name box: the edit with the dialog's name-box number, or the edit in
  // the name combo box, as the dialog's style has it.
  static HWND FileNameBox(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(dialog, &NameBoxSearch, reinterpret_cast<LPARAM>(&found));
    return found;
  }
};

TEST_F(TabsAndDrops, CtrlTabAndCtrlShiftTabCycleThreeTabsBothWaysAndWrap) {
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  PressChord({VK_CONTROL, 'N'});
  PressChord({VK_CONTROL, 'N'});
  ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main).size() == 3; }));
  ASSERT_EQ(ActiveTab(main), 2);
  TypeText(ActiveEditorOf(main), "abc");
  ASSERT_TRUE(WaitUntil([&] { return StatusPanelText(main, 1) == "1, 4"; }));

  struct Step {
    bool back;
    int expected;
    const char* caret;
  };
  const Step steps[] = {
      {false, 0, "1, 1"},                                       // from the last round to the first
      {false, 1, "1, 1"}, {true, 0, "1, 1"}, {true, 2, "1, 4"}, // from the first round to the last
      {true, 1, "1, 1"},
  };
  for (const auto& s : steps) {
    if (s.back)
      PressChord({VK_CONTROL, VK_SHIFT, VK_TAB});
    else
      PressChord({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return ActiveTab(main) == s.expected; }, 10s))
        << (s.back ? "Ctrl+Shift+Tab" : "Ctrl+Tab") << " to " << s.expected << ", at "
        << ActiveTab(main);
    EXPECT_TRUE(WaitUntil([&] { return StatusPanelText(main, 1) == s.caret; }, 5s))
        << "tab " << s.expected << " shows " << StatusPanelText(main, 1);
  }
  // The keys went to the tabs, not into the text as tab characters.
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "");
  PressChord({VK_CONTROL, VK_NEXT});
  ASSERT_TRUE(WaitUntil([&] { return ActiveTab(main) == 2; }, 10s));
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "abc");
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr);
  p.Kill(); // the typed text would hold Exit at its save question
}

TEST_F(TabsAndDrops, ADropOfThreeFilesGivesTheirMessagesAndOneNewActiveTab) {
  const std::string open = File("open.txt", "already\r\n");
  const std::string nul = File("zeros.txt", std::string("a\0b", 3));
  const std::string good = File("good.txt", "good\r\n");
  Program p("\"" + open + "\"");
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(TabCaptions(main), Strings{"open.txt"});
  ASSERT_TRUE(DropFiles(p, main, {open, nul, good}));
  EXPECT_EQ(AnswerBox(p), "File " + open + " is already open.");
  const std::string refusal = AnswerBox(p);
  EXPECT_NE(refusal.find(nul), std::string::npos) << refusal;
  EXPECT_NE(refusal.find("NUL"), std::string::npos) << refusal;
  ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main).size() == 2; }));
  EXPECT_EQ(TabCaptions(main), (Strings{"open.txt", "good.txt"}));
  EXPECT_EQ(ActiveTab(main), 1);
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "good\r\n");
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr) << "no further message";
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
}

TEST_F(TabsAndDrops, TheOpenDialogWithTwoNamesSelectedOpensBoth) {
  File("one.txt", "one\r\n");
  File("two.txt", "two\r\n");
  Program p;
  HWND main = Start(p);
  ASSERT_NE(main, nullptr);
  PressChord({VK_CONTROL, 'O'});
  HWND dialog = WaitForDialog(p.ProcessId());
  ASSERT_NE(dialog, nullptr);
  // The file name box: its edit, found once the dialog has made it.
  HWND name = nullptr;
  WaitUntil([&] { return (name = FileNameBox(dialog)) != nullptr; }, 10s);
  ASSERT_NE(name, nullptr);
  auto enter = [&](const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        5000, &result);
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_NORMAL, 10000,
                        &result);
  };
  enter(folder_);                   // into the folder
  enter("\"one.txt\" \"two.txt\""); // and both names chosen at once
  ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main).size() == 3; }))
      << "tabs: " << TabCaptions(main).size();
  EXPECT_EQ(TabCaptions(main), (Strings{"Untitled1", "one.txt", "two.txt"}));
  EXPECT_EQ(ActiveTab(main), 2) << "the last one is active";
  EXPECT_EQ(EditorText(ActiveEditorOf(main)), "two\r\n");
  EXPECT_EQ(FindDialog(p.ProcessId()), nullptr) << "no message";
  EXPECT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
}

} // namespace
} // namespace vd::robot
