// The appearance settings across runs of the real program: what the exit writes, what a start
// reads back into every tab, and the swatches on the screen. The colour dialog is the system's,
// driven through its own controls.
#include "Robot.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <fstream>

namespace vd::robot {
namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kPaleYellow = RGB(255, 255, 160);

// The editor's whole-text character format, read through a record in the program's memory.
CHARFORMATA RemoteCharFormat(HWND editor) {
  CHARFORMATA cf{};
  cf.cbSize = sizeof(cf);
  DWORD pid = 0;
  GetWindowThreadProcessId(editor, &pid);
  HANDLE process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process)
    return cf;
  void* remote = VirtualAllocEx(process, nullptr, sizeof cf, MEM_COMMIT, PAGE_READWRITE);
  WriteProcessMemory(process, remote, &cf, sizeof cf, nullptr);
  SendMessageA(editor, EM_SETSEL, 0, -1);
  SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(remote));
  SendMessageA(editor, EM_SETSEL, 0, 0);
  ReadProcessMemory(process, remote, &cf, sizeof cf, nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return cf;
}

// A pixel of a window as the screen shows it, in the window's client coordinates.
COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

int Scaled(int designed) {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return MulDiv(designed, dpi, 96);
}

// The text swatch stands at 392 in the toolbar, the background swatch at 407.
HWND SwatchAt(HWND main, int designedLeft) {
  return ToolbarChildAt(main, "Static", designedLeft, false);
}

// The colour each swatch shows where the other does not cover it.
COLORREF TextSwatchColour(HWND main) {
  return ScreenPixel(SwatchAt(main, 392), Scaled(8), Scaled(8));
}
COLORREF BackgroundSwatchColour(HWND main) {
  return ScreenPixel(SwatchAt(main, 407), Scaled(22), Scaled(22));
}

// All the editors of the window, in page order.
BOOL CALLBACK CollectEditor(HWND hwnd, LPARAM lParam) {
  if (ClassName(hwnd) == "RICHEDIT")
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}
std::vector<HWND> Editors(HWND main) {
  std::vector<HWND> editors;
  EnumChildWindows(main, &CollectEditor, reinterpret_cast<LPARAM>(&editors));
  return editors;
}

// Chooses a colour in the system's colour dialog through its red, green and blue boxes.
bool ChooseInColourDialog(DWORD pid, COLORREF colour) {
  HWND dialog = WaitForDialog(pid);
  if (!dialog)
    return false;
  const int parts[] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  for (int i = 0; i < 3; ++i)
    SendMessageA(GetDlgItem(dialog, 706 + i), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(std::to_string(parts[i]).c_str()));
  PressButton(dialog, IDOK);
  return WaitUntil([&] { return !IsWindow(dialog); });
}

std::string IniValue(const char* section, const char* key) {
  char value[256] = {};
  GetPrivateProfileStringA(section, key, "?", value, sizeof value, SettingsPath().c_str());
  return value;
}

class Appearance : public testing::Test {
protected:
  void SetUp() override { RemoveSettings(); }
  void TearDown() override { RemoveSettings(); }
  void Store(const char* section, const char* key, const std::string& value) {
    WritePrivateProfileStringA(section, key, value.c_str(), SettingsPath().c_str());
  }
  // New tabs through Ctrl+N, waiting for each.
  void NewTabs(HWND main, int count) {
    for (int i = 0; i < count; ++i) {
      const size_t before = TabCaptions(main).size();
      ASSERT_TRUE(MenuCommand(main, {"&File", "&New"}));
      ASSERT_TRUE(WaitUntil([&] { return TabCaptions(main).size() == before + 1; }));
    }
  }
};

TEST_F(Appearance, ExitWritesTheFirstTabsSettingsWhicheverTabIsActive) {
  Store("Colors", "Font", std::to_string(kNavy));
  Program p;
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  NewTabs(main, 1);
  // The text swatch colours both tabs red; a tab opened afterwards takes the stored navy.
  PostMessageA(SwatchAt(main, 392), WM_RBUTTONDOWN, 0, MAKELPARAM(4, 4));
  ASSERT_TRUE(ChooseInColourDialog(p.ProcessId(), kRed));
  ASSERT_TRUE(WaitUntil([&] { return TextSwatchColour(main) == kRed; }, 5s));
  NewTabs(main, 1);
  const std::vector<HWND> editors = Editors(main);
  ASSERT_EQ(editors.size(), 3u);
  EXPECT_EQ(RemoteCharFormat(editors[0]).crTextColor, kRed);
  EXPECT_EQ(RemoteCharFormat(editors[1]).crTextColor, kRed);
  EXPECT_EQ(RemoteCharFormat(editors[2]).crTextColor, kNavy);
  EXPECT_EQ(ActiveTab(main), 2);
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
  EXPECT_EQ(IniValue("Colors", "Font"), std::to_string(kRed))
      << "from the first tab, not the active one";
}

TEST_F(Appearance, AStartReadsTheStoredAppearanceIntoEveryNewTabAndTheSwatches) {
  Store("Font", "Name", "Arial");
  Store("Font", "Size", "14");
  Store("Font", "Bold", "1");
  Store("Font", "Italic", "1");
  Store("Colors", "Font", std::to_string(kRed));
  Store("Colors", "Background", std::to_string(kPaleYellow));
  Store("Options", "WordWrap", "0");
  Program p;
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  // Each paints in its own time after the window shows.
  EXPECT_TRUE(WaitUntil([&] { return TextSwatchColour(main) == kRed; }, 5s))
      << std::hex << TextSwatchColour(main);
  EXPECT_TRUE(WaitUntil([&] { return BackgroundSwatchColour(main) == kPaleYellow; }, 5s))
      << std::hex << BackgroundSwatchColour(main);
  NewTabs(main, 2);
  const std::vector<HWND> editors = Editors(main);
  ASSERT_EQ(editors.size(), 3u);
  const std::string longLine(300, 'x');
  for (size_t i = 0; i < editors.size(); ++i) {
    SCOPED_TRACE(i);
    const CHARFORMATA cf = RemoteCharFormat(editors[i]);
    EXPECT_STREQ(cf.szFaceName, "Arial");
    EXPECT_EQ(cf.yHeight, 14 * 20);
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC), static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(cf.crTextColor, kRed);
    SendMessageA(editors[i], WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((longLine + " " + longLine).c_str()));
    EXPECT_EQ(SendMessageA(editors[i], EM_GETLINECOUNT, 0, 0), 1) << "word wrap off";
    SendMessageA(editors[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(editors[i], EM_SETMODIFY, FALSE, 0);
  }
  // The active editor paints the stored background.
  RECT r{};
  HWND active = ActiveEditorOf(main);
  GetClientRect(active, &r);
  EXPECT_TRUE(
      WaitUntil([&] { return ScreenPixel(active, r.right / 2, r.bottom / 2) == kPaleYellow; }, 5s))
      << std::hex << ScreenPixel(active, r.right / 2, r.bottom / 2);
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
  EXPECT_EQ(IniValue("Font", "Name"), "Arial");
  EXPECT_EQ(IniValue("Colors", "Background"), std::to_string(kPaleYellow));
  EXPECT_EQ(IniValue("Options", "WordWrap"), "0");
}

// The system's font dialog: its face, style and size boxes (the dialog's own control numbers).
constexpr int kFaceBox = 1136, kStyleBox = 1137, kSizeBox = 1138;
constexpr int kStrikeOut = 1040, kUnderline = 1041, kColourBox = 1139;

void SelectInBox(HWND dialog, int id, const char* text) {
  HWND box = GetDlgItem(dialog, id);
  SendMessageA(box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// Whether the system's font of that face is a TrueType one (this process sees the same fonts).
int CALLBACK NoteFontType(const LOGFONTA*, const TEXTMETRICA*, DWORD type, LPARAM lParam) {
  *reinterpret_cast<DWORD*>(lParam) |= type;
  return 1;
}
bool IsTrueType(const std::string& face) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  DWORD types = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &lf, &NoteFontType, reinterpret_cast<LPARAM>(&types), 0);
  ReleaseDC(nullptr, dc);
  return (types & TRUETYPE_FONTTYPE) != 0;
}

bool ShownIn(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control && IsWindowVisible(control);
}

TEST_F(Appearance, TheFontDialogOffersNoEffectsAndItsChoiceReachesEveryTab) {
  Store("Colors", "Font", std::to_string(kNavy));
  Program p;
  HWND main = p.WaitForWindow("TfrmMain");
  ASSERT_NE(main, nullptr);
  NewTabs(main, 1);
  PostClick(ToolbarButtonAt(main, 360));
  HWND dialog = WaitForDialog(p.ProcessId());
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(ShownIn(dialog, kStrikeOut));
  EXPECT_FALSE(ShownIn(dialog, kUnderline));
  EXPECT_FALSE(ShownIn(dialog, kColourBox));
  // Whichever faces the system has: the last one listed.
  HWND faces = GetDlgItem(dialog, kFaceBox);
  const LRESULT count = SendMessageA(faces, CB_GETCOUNT, 0, 0);
  ASSERT_GT(count, 0);
  for (LRESULT i = 0; i < count; ++i) {
    SendMessageA(faces, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    char listed[LF_FACESIZE] = {};
    GetDlgItemTextA(dialog, kFaceBox, listed, sizeof listed);
    EXPECT_TRUE(IsTrueType(listed)) << listed;
  }
  SendMessageA(faces, CB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFaceBox, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(faces));
  char chosen[LF_FACESIZE] = {};
  GetDlgItemTextA(dialog, kFaceBox, chosen, sizeof chosen);
  const std::string face = chosen;
  ASSERT_FALSE(face.empty());
  SelectInBox(dialog, kStyleBox, "Bold");
  SelectInBox(dialog, kSizeBox, "18");
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s))
      << WindowText(FindDialog(p.ProcessId()));
  for (HWND editor : Editors(main)) {
    const CHARFORMATA cf = RemoteCharFormat(editor);
    EXPECT_EQ(cf.szFaceName, face);
    EXPECT_EQ(cf.yHeight, 18 * 20);
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC), static_cast<DWORD>(CFE_BOLD));
    EXPECT_EQ(cf.crTextColor, kNavy) << "the colour the dialog's font carried";
  }
  // The dialog keeps its font: it opens on the choice; Cancel changes nothing.
  PostClick(ToolbarButtonAt(main, 360));
  dialog = WaitForDialog(p.ProcessId());
  ASSERT_NE(dialog, nullptr);
  char offered[LF_FACESIZE] = {}, size[16] = {};
  GetDlgItemTextA(dialog, kFaceBox, offered, sizeof offered);
  GetDlgItemTextA(dialog, kSizeBox, size, sizeof size);
  EXPECT_EQ(offered, face);
  EXPECT_STREQ(size, "18");
  PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(ExitProgram(main));
  EXPECT_EQ(p.WaitForExit(), 0);
  EXPECT_EQ(IniValue("Font", "Name"), face);
  EXPECT_EQ(IniValue("Font", "Size"), "18");
  EXPECT_EQ(IniValue("Font", "Bold"), "1");
  EXPECT_EQ(IniValue("Colors", "Font"), std::to_string(kNavy));
}

} // namespace
} // namespace vd::robot
