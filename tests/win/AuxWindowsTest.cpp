// The auxiliary windows: Default Working Directories, ReadMe and About, on their own and as the
// main window reaches them.
#include "MainWindowFixture.h"
#include "Version.h"
#include "ModalSteps.h"
#include "app/Forms.h"
#include "forms/Dpi.h"

namespace vd::test {
namespace {

using dialogs::TfrmAbout;
using dialogs::TfrmDirectories;
using dialogs::TfrmReadMe;

class AuxWindowsTest : public MainWindowTest {
protected:
  TfrmMain& StartShown() {
    TfrmMain& frm = Start();
    frm.ShowFirstTime();
    return frm;
  }
  std::string Ini(const char* key) {
    return forms::IniFile(iniName_).ReadString("Directories", key, "<none>");
  }
  void StoreIni(const char* key, const std::string& value) {
    forms::IniFile(iniName_).WriteString("Directories", key, value);
  }
  // Opens the dialog as its menu item does, with `step` run while it is up.
  void Directories(TfrmMain& frm, std::function<void(TfrmDirectories&)> step) {
    auto& dlg = *forms_.frmDirectories;
    bool ran = false;
    DuringModal([&] {
      ran = dlg.IsModal();
      step(dlg);
      if (dlg.IsModal())
        dlg.btnCancelClick();
    });
    frm.MainMenu().Find({"&Options", "&Default Working Directories"})->Click();
    EXPECT_TRUE(ran);
  }
  // The starting directories the main window's next Open and Save dialogs get.
  std::pair<std::string, std::string> NextDialogDirs(TfrmMain& frm) {
    frm.fileOpenClick();   // cancelled by the scripted dialogs
    frm.fileSaveAsClick(); // likewise
    const auto& calls = dialogs.Calls();
    return {calls[calls.size() - 2].initialDir, calls.back().initialDir};
  }
};

std::string WindowCaption(HWND h) {
  char text[128] = {};
  GetWindowTextA(h, text, sizeof text);
  return text;
}

SIZE ClientSize(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return {r.right, r.bottom};
}

TEST_F(AuxWindowsTest, TheDirectoriesDialogIsLeftOnlyThroughItsButtons) {
  TfrmMain& frm = StartShown();
  Directories(frm, [&](TfrmDirectories& d) {
    EXPECT_FALSE(GetWindowLongA(d.Handle(), GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(d.btnChange().IsDefault());
    EXPECT_FALSE(d.btnCancel().IsDefault());
    // Neither Escape, Enter nor a close request (Alt+F4) leaves it.
    SendMessageA(d.Handle(), WM_CLOSE, 0, 0);
    SendMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0);
    SendMessageA(d.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(d.IsModal() && d.ModalResult() == 0 && d.Visible());
  });
  EXPECT_EQ(Ini("UseDefault"), "<none>");
}

TEST_F(AuxWindowsTest, WithNothingStoredTheBoxesOpenEmptyAndTheBoxUnticked) {
  TfrmMain& frm = StartShown();
  Directories(frm, [](TfrmDirectories& d) {
    EXPECT_EQ(d.editSaveDir().Text(), "");
    EXPECT_EQ(d.editOpenDir().Text(), "");
    EXPECT_FALSE(d.chkboxUse().Checked());
  });
  EXPECT_EQ(Ini("SaveDefault"), "<none>") << "showing and cancelling writes nothing";
}

TEST_F(AuxWindowsTest, ChangeUntickedStoresTheTextsAndZeroAndTheDialogsKeepTheirDirectories) {
  StoreIni("Current", "C:\\windows");
  TfrmMain& frm = StartShown();
  Directories(frm, [](TfrmDirectories& d) {
    d.editSaveDir().SetText("C:\\no such folder");
    d.editOpenDir().SetText("");
    d.btnChangeClick();
    EXPECT_FALSE(d.IsModal() && d.ModalResult() == 0) << "Change closes the dialog";
  });
  EXPECT_EQ(Ini("SaveDefault"), "C:\\no such folder");
  EXPECT_EQ(Ini("OpenDefault"), "");
  EXPECT_EQ(Ini("UseDefault"), "0");
  EXPECT_EQ(NextDialogDirs(frm),
            std::make_pair(std::string("C:\\windows"), std::string("C:\\windows")));
}

TEST_F(AuxWindowsTest, ChangeTickedMakesTheNextOpenAndSaveStartInTheTypedDirectories) {
  TfrmMain& frm = StartShown();
  Directories(frm, [](TfrmDirectories& d) {
    d.chkboxUse().SetChecked(true);
    d.editSaveDir().SetText("C:\\saves");
    d.editOpenDir().SetText("D:\\opens here");
    d.btnChangeClick();
  });
  EXPECT_EQ(Ini("UseDefault"), "1");
  EXPECT_EQ(Ini("SaveDefault"), "C:\\saves");
  EXPECT_EQ(Ini("OpenDefault"), "D:\\opens here");
  EXPECT_EQ(NextDialogDirs(frm),
            std::make_pair(std::string("D:\\opens here"), std::string("C:\\saves")));
  // And a later start begins there too.
  Stop();
  TfrmMain& again = Start();
  EXPECT_EQ(again.OpenDialog().initialDir, "D:\\opens here");
  EXPECT_EQ(again.SaveDialog().initialDir, "C:\\saves");
}

TEST_F(AuxWindowsTest, AStoredUseDefaultOfFiveShowsTickedAndTheNextChangeWritesOneOrZero) {
  for (const bool untick : {false, true}) {
    StoreIni("UseDefault", "5");
    TfrmMain& frm = StartShown();
    Directories(frm, [&](TfrmDirectories& d) {
      EXPECT_TRUE(d.chkboxUse().Checked());
      if (untick)
        d.chkboxUse().SetChecked(false);
      d.btnChangeClick();
    });
    EXPECT_EQ(Ini("UseDefault"), untick ? "0" : "1");
    TearDown();
    SetUp();
  }
}

TEST_F(AuxWindowsTest, TypedTextSurvivesCancelWhereNothingIsStoredAndGivesWayToAStoredValue) {
  TfrmMain& frm = StartShown();
  Directories(frm, [](TfrmDirectories& d) {
    d.editSaveDir().SetText("typed save");
    d.editOpenDir().SetText("typed open");
    d.btnCancelClick();
  });
  EXPECT_EQ(Ini("SaveDefault"), "<none>");
  StoreIni("OpenDefault", "C:\\stored");
  Directories(frm, [](TfrmDirectories& d) {
    EXPECT_EQ(d.editSaveDir().Text(), "typed save");
    EXPECT_EQ(d.editOpenDir().Text(), "C:\\stored");
  });
}

// --- ReadMe and About.

TEST_F(AuxWindowsTest, BothWindowsHaveTheirSizesAndEnterOnTheFocusedDefaultOkClosesThem) {
  TfrmMain& frm = StartShown();
  auto& forms = forms_;
  const struct {
    dialogs::InfoForm& form;
    std::vector<std::string> menu;
    const char* caption;
    int width, height;
  } windows[] = {{*forms.frmAbout, {"&Help", "&About..."}, "About Vellumdesk", 353, 401},
                 {*forms.frmReadMe, {"&Help", "&ReadMe"}, "Vellumdesk ReadMe", 569, 408}};
  for (const auto& w : windows) {
    EXPECT_EQ(WindowCaption(w.form.Handle()), w.caption);
    EXPECT_EQ(ClientSize(w.form.Handle()).cx, forms::Scale(w.width));
    EXPECT_EQ(ClientSize(w.form.Handle()).cy, forms::Scale(w.height));
    bool focused = false, isDefault = false, centred = false;
    DuringModal([&] {
      focused = GetFocus() == w.form.btnOK().Handle();
      // Another window's turn does not take the focus from OK for good.
      HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                   nullptr, nullptr, nullptr, nullptr);
      SetActiveWindow(other);
      SetActiveWindow(w.form.Handle());
      DestroyWindow(other);
      focused = focused && GetFocus() == w.form.btnOK().Handle();
      isDefault = w.form.btnOK().IsDefault();
      RECT m{}, d{};
      GetWindowRect(frm.Handle(), &m);
      GetWindowRect(w.form.Handle(), &d);
      centred = d.left == m.left + (m.right - m.left) / 2 - (d.right - d.left) / 2 &&
                d.top == m.top + (m.bottom - m.top) / 2 - (d.bottom - d.top) / 2;
      // Enter as the keyboard gives it, through the modal loop's dialog keys.
      PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
      PostMessageA(GetFocus(), WM_KEYUP, VK_RETURN, 0xC0000001);
    });
    frm.MainMenu().Find(w.menu)->Click();
    EXPECT_TRUE(focused) << w.caption;
    EXPECT_TRUE(isDefault) << w.caption;
    EXPECT_TRUE(centred) << w.caption;
    EXPECT_EQ(w.form.ModalResult(), forms::kIdOk) << w.caption;
    EXPECT_FALSE(w.form.Visible()) << w.caption;
  }
}

TEST_F(AuxWindowsTest, F1OpensTheReadMeFromAnywhereInTheMainWindow) {
  TfrmMain& frm = StartShown();
  auto& readMe = *forms_.frmReadMe;
  const HWND places[] = {frm.ActiveEditor().Handle(), frm.PageControl().Handle(),
                         frm.btn("btnHelp")->Handle(), frm.statusbar().Handle(), frm.Handle()};
  for (HWND place : places) {
    bool shown = false;
    DuringModal([&] {
      shown = readMe.IsModal() && readMe.Visible();
      readMe.btnOK().Click();
    });
    MSG msg{place, WM_KEYDOWN, VK_F1, 1, 0, {}};
    EXPECT_TRUE(frm.TranslateShortcut(msg));
    EXPECT_TRUE(shown) << "from window of class " << [&] {
      char c[64] = {};
      GetClassNameA(place, c, sizeof c);
      return std::string(c);
    }();
  }
}

TEST_F(AuxWindowsTest, TheToolbarsHelpPopupOpensAtTheButtonsRightEdge) {
  TfrmMain& frm = StartShown();
  // The button's place in the toolbar (left 520, top 7) plus (25, 1), taken as a point of the main
  // window's client area.
  RECT menu{};
  DuringModal([&] {
    HWND popupWindow = FindWindowA("#32768", nullptr);
    if (popupWindow)
      GetWindowRect(popupWindow, &menu);
    EndMenu();
  });
  frm.Run(app::Command::HelpMenu);
  POINT expected{forms::Scale(520 + 25), forms::Scale(7 + 1)};
  ClientToScreen(frm.Handle(), &expected);
  EXPECT_EQ(menu.left, expected.x);
  EXPECT_EQ(menu.top, expected.y);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i; (i = text.find("\r\n", start)) != std::string::npos; start = i + 2)
    lines.push_back(text.substr(start, i - start));
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

TEST_F(AuxWindowsTest, TheReadMeIsLaidOutAsContentsAndSectionsAndFitsItsBox) {
  StartShown();
  auto& readMe = *forms_.frmReadMe;
  const std::string text = readMe.memoReadMe().Text();
  ASSERT_EQ(text, TfrmReadMe::BuiltInText());
  const auto lines = Lines(text);
  ASSERT_GT(lines.size(), 20u);
  ASSERT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(lines[0], VD_PROGRAM_TITLE);
  const auto underline = [](const std::string& heading) {
    return std::string(heading.size(), '~');
  };
  EXPECT_EQ(lines[3], "Contents");
  EXPECT_EQ(lines[4], underline("Contents"));
  // Seven numbered questions, then each again as an underlined heading, in the same order.
  std::vector<std::string> questions;
  for (int n = 1; n <= 7; ++n) {
    const std::string prefix = std::to_string(n) + ".  ";
    ASSERT_EQ(lines[4 + n].rfind(prefix, 0), 0u) << lines[4 + n];
    questions.push_back(lines[4 + n].substr(prefix.size()));
  }
  size_t at = 12;
  for (const auto& q : questions) {
    while (at < lines.size() && lines[at] != q)
      ++at;
    ASSERT_LT(at + 1, lines.size()) << "no section for " << q;
    EXPECT_EQ(lines[at + 1], underline(q));
    EXPECT_EQ(lines[at - 1], "") << "a blank line before " << q;
    EXPECT_EQ(lines[at + 2].rfind("  ", 0), 0u) << "the answer to " << q << " is indented";
  }
  // No line wraps in the box's own font.
  HWND box = readMe.memoReadMe().Handle();
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
  RECT format{};
  SendMessageA(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  for (const auto& line : lines) {
    SIZE s{};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &s);
    EXPECT_LE(s.cx, format.right - format.left) << line;
  }
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  // The text ends with a line break, after which the box counts one more, empty line.
  EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(lines.size() + 1));
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, "Courier New");
  EXPECT_EQ(lf.lfHeight, forms::FontHeight(13));
}

TEST_F(AuxWindowsTest, TheReadMeTextCanBeSelectedAndCopiedButNotChanged) {
  StartShown();
  auto& readMe = *forms_.frmReadMe;
  forms::Edit& box = readMe.memoReadMe();
  const std::string before = box.Text();
  EXPECT_TRUE(box.ReadOnly());
  const LONG style = GetWindowLongA(box.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  readMe.Show();
  box.SetFocus();
  SendMessageA(box.Handle(), EM_SETSEL, 0, 10);
  SendMessageA(box.Handle(), WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  const std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data)
    GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, before.substr(0, 10));
  for (char ch : std::string("x\r\b"))
    SendMessageA(box.Handle(), WM_CHAR, static_cast<unsigned char>(ch), 1);
  SendMessageA(box.Handle(), WM_KEYDOWN, VK_DELETE, 1);
  SendMessageA(box.Handle(), WM_CUT, 0, 0);
  SendMessageA(box.Handle(), WM_CLEAR, 0, 0);
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  SendMessageA(box.Handle(), WM_UNDO, 0, 0);
  EXPECT_EQ(box.Text(), before);
  readMe.Hide();
}

} // namespace
} // namespace vd::test
