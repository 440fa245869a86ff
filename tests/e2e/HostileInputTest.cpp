// Hostile input to the real program: files and names that could bring it down or leave it in a
// state the user cannot use. Each ends with the other tabs' unsaved text checked.
#include "Robot.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace vd::robot {
namespace {

using Strings = std::vector<std::string>;
constexpr char kUnsaved[] = "unsaved words";
constexpr char kTitle[] = VD_PROGRAM_TITLE; // the caption of the program's error messages

// Window-walk callbacks: the system calls them with its own calling convention (stdcall on x86).
template <class Walk> BOOL CALLBACK CollectEditor(HWND h, LPARAM l) {
  auto* w = reinterpret_cast<Walk*>(l);
  if (ClassName(h) == w->cls)
    w->texts.push_back(EditorText(h));
  return TRUE;
}
template <class Search> BOOL CALLBACK FindDialogBesides(HWND h, LPARAM l) {
  auto* s = reinterpret_cast<Search*>(l);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid && h != s->other && IsWindowVisible(h) && ClassName(h) == "#32770") {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

class HostileInput : public FolderTest {
protected:
  void TearDown() override { RemoveSettings(); }
  // Starts the program and types text into its untitled tab, which nothing may lose.
  HWND StartWithUnsavedText(Program& p) {
    HWND main = p.WaitForWindow("TfrmMain");
    if (!main)
      return nullptr;
    SetForegroundWindow(main);
    WaitUntil([&] { return GetForegroundWindow() == main; }, 5s);
    TypeText(ActiveEditorOf(main), kUnsaved);
    EXPECT_TRUE(WaitUntil([&] { return EditorText(ActiveEditorOf(main)) == kUnsaved; }, 10s));
    return main;
  }
  // The texts of all the editors of the main window, in tab order.
  static Strings EditorTexts(HWND main) {
    struct Walk {
      std::string cls;
      Strings texts;
    } walk{ClassName(ActiveEditorOf(main)), {}};
    EnumChildWindows(main, &CollectEditor<Walk>, reinterpret_cast<LPARAM>(&walk));
    return walk.texts;
  }
  static bool UnsavedTextKept(const Program& p, HWND main) {
    if (!p.Running() || !IsWindow(main))
      return false;
    const Strings texts = EditorTexts(main);
    return std::find(texts.begin(), texts.end(), kUnsaved) != texts.end();
  }
  // File > Open with a name typed into the dialog's name box and OK pressed.
  static HWND TypeIntoOpenDialog(const Program& p, HWND main, const std::string& name) {
    if (!MenuCommand(main, {"&File", "&Open..."}))
      return nullptr;
    HWND dialog = WaitForDialog(p.ProcessId());
    if (!dialog)
      return nullptr;
    HWND box = GetDlgItem(dialog, cmb13);
    if (HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : nullptr)
      box = edit;
    if (!box)
      box = GetDlgItem(dialog, edt1);
    if (!box)
      return nullptr;
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressButton(dialog, IDOK);
    return dialog;
  }
  // Ends the program answering No to the save question of the untitled tab.
  static void ExitDiscarding(Program& p, HWND main) {
    ASSERT_TRUE(MenuCommand(main, {"&File", "E&xit"}));
    HWND box = WaitForDialog(p.ProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "File Has Changed");
    PressButton(box, IDNO);
    EXPECT_EQ(p.WaitForExit(), 0);
  }
  // A shown dialog of the process other than `other` (the file dialog a message stands over).
  static HWND WaitForDialogBesides(const Program& p, HWND other) {
    struct Search {
      DWORD pid;
      HWND other, found;
    } s{p.ProcessId(), other, nullptr};
    WaitUntil(
        [&] {
          EnumWindows(&FindDialogBesides<Search>, reinterpret_cast<LPARAM>(&s));
          return s.found != nullptr;
        },
        20s);
    return s.found;
  }
  // Waits for a message box, checks its caption and text, and presses OK.
  static void ExpectMessage(const Program& p, const std::string& caption,
                            const std::string& textStart, const std::string& textHolds,
                            HWND over = nullptr) {
    HWND box = WaitForDialogBesides(p, over);
    ASSERT_NE(box, nullptr) << textStart;
    EXPECT_EQ(WindowText(box), caption);
    const std::string text = MessageBoxText(box);
    EXPECT_EQ(text.rfind(textStart, 0), 0u) << text;
    EXPECT_NE(Upper(text).find(Upper(textHolds)), std::string::npos) << text;
    PressButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  }
  static std::string Upper(std::string s) {
    for (char& c : s)
      c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
  }
};

std::string NestedRtf(int levels, const std::string& inner) {
  return "{\\rtf1 " + std::string(static_cast<size_t>(levels), '{') + inner +
         std::string(static_cast<size_t>(levels), '}') + "}";
}

TEST_F(HostileInput, DeeplyNestedRichTextOpensAsItsPlainTextFromOpenAndFromASecondStart) {
  const std::string deep = NestedRtf(40, "hi");
  const std::string deeper = NestedRtf(200, "\\" + std::string(1100, 'w') + " there");
  const std::string readme = File("readme.txt", deep);
  const std::string handed = File("handed.txt", deeper);
  const std::string shallow = File("shallow.txt", NestedRtf(20, "fine"));
  Program p;
  HWND main = StartWithUnsavedText(p);
  ASSERT_NE(main, nullptr);

  // File > Open: the file's bytes are its text.
  ASSERT_NE(TypeIntoOpenDialog(p, main, readme), nullptr);
  ASSERT_TRUE(WaitUntil([&] {
    return TabCaptions(main).size() == 2 && EditorText(ActiveEditorOf(main)) == deep;
  })) << "running "
      << p.Running();
  // Handed over by a second start.
  {
    Program second("\"" + handed + "\"");
    EXPECT_EQ(second.WaitForExit(), 0);
  }
  ASSERT_TRUE(WaitUntil([&] {
    return TabCaptions(main).size() == 3 && EditorText(ActiveEditorOf(main)) == deeper;
  })) << "running "
      << p.Running();
  // Twenty levels are still read as rich text.
  {
    Program second("\"" + shallow + "\"");
    EXPECT_EQ(second.WaitForExit(), 0);
  }
  ASSERT_TRUE(WaitUntil(
      [&] { return TabCaptions(main).size() == 4 && EditorText(ActiveEditorOf(main)) == "fine"; }));

  EXPECT_EQ(TabCaptions(main), (Strings{"Untitled1", "readme.txt", "handed.txt", "shallow.txt"}));
  EXPECT_TRUE(UnsavedTextKept(p, main));
  ExitDiscarding(p, main);
}

TEST_F(HostileInput, APathTooLongTypedIntoOpenGetsAMessageAndTheDialogStays) {
  Program p;
  HWND main = StartWithUnsavedText(p);
  ASSERT_NE(main, nullptr);
  const std::string name = "C:\\" + std::string(300, 'x') + ".txt";
  HWND dialog = TypeIntoOpenDialog(p, main, name);
  ASSERT_NE(dialog, nullptr);
  ExpectMessage(p, "File Name Too Long", "File " + name + " has too long a name.",
                "at most 259 characters.", dialog);
  // Still in the dialog: a name in reach opens as usual.
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_TRUE(p.Running());
  PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(TabCaptions(main), Strings{"Untitled1"});
  EXPECT_TRUE(UnsavedTextKept(p, main));
  ExitDiscarding(p, main);
}

TEST_F(HostileInput, DeviceNamesAreRefusedWithNoTabAndNoHistoryEntry) {
  // From the command line of the first start: the message comes before the window shows.
  Program p("NUL");
  ExpectMessage(p, kTitle, "Cannot open file ", "NUL");
  HWND main = StartWithUnsavedText(p);
  ASSERT_NE(main, nullptr);
  // Handed over by second starts; under Wine a name such as nul.txt is the device too.
  const struct {
    std::string given, named;
  } devices[] = {{"COM1", "COM1"}, {"CON", "CON"}, {folder_ + "\\nul.txt", "nul"}};
  for (const auto& device : devices) {
    {
      Program second("\"" + device.given + "\"");
      EXPECT_EQ(second.WaitForExit(), 0) << device.given;
    }
    ExpectMessage(p, kTitle, "Cannot open file ", device.named);
  }
  // File > Open with a device name typed in.
  HWND dialog = TypeIntoOpenDialog(p, main, "NUL");
  ASSERT_NE(dialog, nullptr);
  ExpectMessage(p, kTitle, "Cannot open file ", "NUL", dialog);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(TabCaptions(main), Strings{"Untitled1"});
  EXPECT_TRUE(UnsavedTextKept(p, main));
  ExitDiscarding(p, main);
  // No entry in the recent-files list the exit wrote.
  for (int n = 1; n <= 10; ++n) {
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("FileHistory", ("File" + std::to_string(n)).c_str(), "", value,
                             MAX_PATH, SettingsPath().c_str());
    EXPECT_STREQ(value, "") << "File" << n;
  }
}

TEST_F(HostileInput, StoredPlacementOffScreenOrTooSmallGivesTheDesignBounds) {
  const struct {
    const char* what;
    int left, top, width, height;
    bool usable;
  } cases[] = {
      {"far left", -32000, 100, 710, 506, false},     {"far right", 32000, 100, 710, 506, false},
      {"far down", 100, 32000, 710, 506, false},      {"no width or height", 100, 100, 0, 0, false},
      {"negative size", 100, 100, -300, -200, false}, {"usable", 40, 30, 640, 480, true},
  };
  for (const auto& c : cases) {
    RemoveSettings();
    const std::string ini = SettingsPath();
    WritePrivateProfileStringA("Window State", "Left", std::to_string(c.left).c_str(), ini.c_str());
    WritePrivateProfileStringA("Window State", "Top", std::to_string(c.top).c_str(), ini.c_str());
    WritePrivateProfileStringA("Window State", "Width", std::to_string(c.width).c_str(),
                               ini.c_str());
    WritePrivateProfileStringA("Window State", "Height", std::to_string(c.height).c_str(),
                               ini.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()); // flush Wine's cache
    Program p;
    HWND main = p.WaitForWindow("TfrmMain");
    ASSERT_NE(main, nullptr) << c.what;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << c.what;
    RECT r{};
    GetWindowRect(main, &r);
    const RECT expected = c.usable ? RECT{c.left, c.top, c.left + c.width, c.top + c.height}
                                   : RECT{268, 124, 268 + 710, 124 + 506};
    EXPECT_EQ(r.left, expected.left) << c.what;
    EXPECT_EQ(r.top, expected.top) << c.what;
    EXPECT_EQ(r.right, expected.right) << c.what;
    EXPECT_EQ(r.bottom, expected.bottom) << c.what;
    EXPECT_TRUE(ExitProgram(main)) << c.what;
    EXPECT_EQ(p.WaitForExit(), 0) << c.what;
  }
}

} // namespace
} // namespace vd::robot
