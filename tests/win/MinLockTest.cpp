// Hiding to the tray and MinLock: the two password dialogs on their own, then the main window's
// reactions with its tray icon talking to a recording shell.
#include "MainWindowFixture.h"
#include "Version.h"
#include "ModalSteps.h"
#include "app/Forms.h"
#include "core/MinLock.h"
#include "dialogs/MinLockforms.h"

namespace vd::test {
namespace {

using dialogs::TfrmMinLockPassword;
using dialogs::TfrmUnlock;

class MinLockTest : public MainWindowTest {
protected:
  std::string Stored() {
    return forms::IniFile(iniName_).ReadString("Options", "MinLock Password", "<none>");
  }
  void Store(const std::string& scrambled) {
    forms::IniFile(iniName_).WriteString("Options", "MinLock Password", scrambled);
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> t;
    for (const auto& c : boxes.Calls())
      t.push_back(c.text);
    return t;
  }
  // Types into the unlock box and presses Unlock; true when the dialog let the program in.
  bool TryUnlock(TfrmUnlock& dlg, const std::string& typed) {
    bool unlocked = false;
    dlg.OnUnlocked = [&] { unlocked = true; };
    dlg.editPassword().SetText(typed);
    dlg.btnUnlockClick();
    return unlocked;
  }
  void Change(TfrmMinLockPassword& dlg, const std::string& oldText, const std::string& newText) {
    dlg.editOld().SetText(oldText);
    dlg.editNew().SetText(newText);
    dlg.btnChangeClick();
  }
};

TEST_F(MinLockTest, BothDialogsAreLeftOnlyThroughTheirButtons) {
  TfrmMain& frm = Start();
  TfrmUnlock unlock(&frm);
  TfrmMinLockPassword password(&frm);
  const struct {
    forms::Form& form;
    int width, height;
  } designs[] = {{unlock, 281, 116}, {password, 258, 155}};
  for (const auto& d : designs) {
    char caption[64] = {};
    GetWindowTextA(d.form.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "MinLock Password");
    RECT r{};
    GetClientRect(d.form.Handle(), &r);
    EXPECT_EQ(r.right, d.width);
    EXPECT_EQ(r.bottom, d.height);
    EXPECT_FALSE(GetWindowLongA(d.form.Handle(), GWL_STYLE) & WS_SYSMENU) << "no border icons";
    // The close request (Alt+F4) leaves the dialog where it is.
    d.form.Show();
    SendMessageA(d.form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(d.form.Visible());
    d.form.Hide();
  }
  for (forms::Button* b :
       {&unlock.btnUnlock(), &unlock.btnCancel(), &password.btnChange(), &password.btnCancel()})
    EXPECT_FALSE(GetWindowLongA(b->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  for (forms::Edit* e : {&unlock.editPassword(), &password.editOld(), &password.editNew()})
    EXPECT_EQ(SendMessageA(e->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  const struct {
    forms::Edit& box;
    size_t keeps;
  } limits[] = {{unlock.editPassword(), 26}, {password.editOld(), 30}, {password.editNew(), 30}};
  for (const auto& l : limits) {
    for (char ch : std::string(30, 'k'))
      SendMessageA(l.box.Handle(), WM_CHAR, ch, 1);
    EXPECT_EQ(l.box.Text().size(), l.keeps);
  }
}

TEST_F(MinLockTest, WithNoPasswordAnEmptyEntryUnlocksAndTheOldBoxIsOff) {
  TfrmMain& frm = Start();
  TfrmUnlock unlock(&frm);
  unlock.Show();
  EXPECT_TRUE(TryUnlock(unlock, ""));
  EXPECT_FALSE(unlock.Visible());
  TfrmMinLockPassword password(&frm);
  password.Show();
  EXPECT_FALSE(password.editOld().Enabled());
  EXPECT_EQ(password.editOld().Colour(), GetSysColor(COLOR_MENU));
  Change(password, "", "");
  EXPECT_EQ(Texts(), (Strings{"You must type in a new password."}));
  EXPECT_EQ(Stored(), "<none>");
}

TEST_F(MinLockTest, APasswordIsStoredScrambledAndComparedExactly) {
  TfrmMain& frm = Start();
  TfrmMinLockPassword password(&frm);
  password.Show();
  Change(password, "", "Se cret");
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "The password has been successfully changed.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Success");
  EXPECT_EQ(boxes.Calls()[0].flags, forms::kMbOk);
  EXPECT_FALSE(password.Visible());
  EXPECT_EQ(password.editNew().Text(), "");
  // The stored bytes: each password byte plus the key byte at its place, modulo 256.
  const std::string key = "SilverFernAtTheOldMillPond", typed = "Se cret";
  std::string expected;
  for (size_t i = 0; i < typed.size(); ++i)
    expected += static_cast<char>(typed[i] + key[i]);
  EXPECT_EQ(Stored(), expected);
  EXPECT_NE(ReadBytes(iniPath_).find("MinLock Password=" + expected + "\r\n"), std::string::npos);

  TfrmUnlock unlock(&frm);
  unlock.Show();
  boxes.Clear();
  for (const char* wrong : {"se cret", "Se cret ", " Se cret", "Secret", "Se cre"}) {
    EXPECT_FALSE(TryUnlock(unlock, wrong)) << wrong;
    EXPECT_EQ(unlock.editPassword().Text(), wrong) << "the typed text stays";
    EXPECT_TRUE(unlock.Visible());
  }
  ASSERT_EQ(boxes.Calls().size(), 5u);
  EXPECT_EQ(boxes.Calls()[0].text, "Sorry, the password is incorrect.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Incorrect Password");
  EXPECT_EQ(boxes.Calls()[0].flags, forms::kMbOk);
  EXPECT_TRUE(TryUnlock(unlock, "Se cret"));
  EXPECT_EQ(unlock.editPassword().Text(), "");
}

TEST_F(MinLockTest, ChangingNeedsTheOldPasswordAndANewOneAndIsUsedByTheNextUnlock) {
  TfrmMain& frm = Start();
  Store(minlock::Scramble("first"));
  TfrmMinLockPassword password(&frm);
  password.Show();
  EXPECT_TRUE(password.editOld().Enabled());
  EXPECT_EQ(password.editOld().Colour(), GetSysColor(COLOR_WINDOW));
  Change(password, "First", "second");
  Change(password, "first", "");
  EXPECT_EQ(Texts(), (Strings{"The old password is incorrect.  Please try again.",
                              "You must type in a new password."}));
  EXPECT_EQ(password.editOld().Text(), "first");
  EXPECT_TRUE(password.Visible());
  EXPECT_EQ(Stored(), minlock::Scramble("first"));
  Change(password, "first", "second");
  EXPECT_EQ(Stored(), minlock::Scramble("second"));

  TfrmUnlock unlock(&frm);
  unlock.Show();
  EXPECT_FALSE(TryUnlock(unlock, "first"));
  EXPECT_TRUE(TryUnlock(unlock, "second"));
}

TEST_F(MinLockTest, PasswordsTheFileCannotHoldAreRefusedAndNothingIsStored) {
  TfrmMain& frm = Start();
  Store(minlock::Scramble("keep"));
  TfrmMinLockPassword password(&frm);
  password.Show();
  // 27 characters: through the real button, so that the barrier shows the error.
  password.editOld().SetText("keep");
  password.editNew().SetText(std::string(27, 'a'));
  SendMessageA(password.btnChange().Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Range check error");
  EXPECT_TRUE(password.Visible());
  EXPECT_EQ(password.editNew().Text(), std::string(27, 'a'));
  EXPECT_EQ(Stored(), minlock::Scramble("keep"));
  // 26 characters are fine.
  boxes.Clear();
  Change(password, "keep", std::string(26, 'a'));
  EXPECT_EQ(Texts(), (Strings{"The password has been successfully changed."}));
  EXPECT_EQ(Stored(), minlock::Scramble(std::string(26, 'a')));

  // A character whose stored byte would be 0 ('S' + 0xAD), or blank at the end ('i' + 0xB7 is
  // a space), would not come back from the file: refused with a message.
  password.Show();
  for (const std::string& bad : {std::string("\xAD") + "bc", std::string("a\xB7")}) {
    boxes.Clear();
    Change(password, std::string(26, 'a'), bad);
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text.rfind(
                  "The new password contains a character that cannot be stored.", 0),
              0u);
    EXPECT_EQ(Stored(), minlock::Scramble(std::string(26, 'a')));
    EXPECT_TRUE(password.Visible());
  }
}

TEST_F(MinLockTest, AHandEditedOverlongValueLetsNobodyInAndCrashesNothing) {
  TfrmMain& frm = Start();
  Store(std::string(30, 'x'));
  TfrmUnlock unlock(&frm);
  unlock.Show();
  EXPECT_FALSE(TryUnlock(unlock, ""));
  EXPECT_FALSE(TryUnlock(unlock, std::string(10, 'x')));
  TfrmMinLockPassword password(&frm);
  password.Show();
  EXPECT_TRUE(password.editOld().Enabled());
  Change(password, "", "new");
  EXPECT_EQ(boxes.Calls().back().text, "The old password is incorrect.  Please try again.");
  EXPECT_EQ(Stored(), std::string(30, 'x'));
}

TEST_F(MinLockTest, EveryValueJudgedStorableComesBackFromTheSettingsFileUnchanged) {
  forms::IniFile ini(iniName_);
  int refused = 0;
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    for (const std::string& value :
         {std::string(1, c), std::string("a") + c, std::string(1, c) + "a",
          std::string("a") + c + "b", std::string(1, c) + "a" + c}) {
      if (!minlock::SurvivesSettingsFile(value)) {
        ++refused;
        continue;
      }
      ini.WriteString("Options", "MinLock Password", value);
      EXPECT_EQ(ini.ReadString("Options", "MinLock Password", "?"), value) << "byte " << b;
    }
  }
  EXPECT_LT(refused, 60); // only the few bytes that really do not survive
}

// --- The main window.

class MainTrayTest : public MinLockTest {
protected:
  TfrmMain& StartShown() {
    TfrmMain& frm = Start();
    frm.ShowFirstTime();
    return frm;
  }
  void DoubleClickTray(TfrmMain& frm) {
    SendMessageA(frm.TrayIcon().WindowHandle(), tray::TTrayIcon::TrayCallbackMessage, 0,
                 WM_LBUTTONDBLCLK);
  }
  bool Shown(TfrmMain& frm) { return IsWindowVisible(frm.Handle()) != FALSE; }
};

TEST_F(MainTrayTest, TheIconIsThereFromTheStartAndTheCloseBoxAndMinimiseHideToIt) {
  TfrmMain& frm = StartShown();
  ASSERT_FALSE(trayCalls.empty());
  EXPECT_EQ(trayCalls[0].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(trayCalls[0].tip, "Vellumdesk v1.0");
  EXPECT_EQ(frm.TrayImages().Count(), 2);

  SendMessageA(frm.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Shown(frm));
  EXPECT_TRUE(IsWindow(frm.Handle())) << "the close box does not end the program";
  EXPECT_EQ(trayCalls.back().tip, VD_PROGRAM_TITLE);
  EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 0);
  DoubleClickTray(frm);
  EXPECT_TRUE(Shown(frm));

  ShowWindow(frm.Handle(), SW_MINIMIZE);
  Pump();
  EXPECT_FALSE(Shown(frm));
  EXPECT_FALSE(IsIconic(frm.Handle())) << "restored before it was hidden";
  EXPECT_FALSE(frm.MinLocked());
  EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 0);
  frm.PopupMenuTrayIcon().Find({"&Open Vellumdesk"})->Click();
  EXPECT_TRUE(Shown(frm));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(MainTrayTest, TheLockShowsThePadlockAndEveryWayBackAsksForThePassword) {
  TfrmMain& frm = StartShown();
  Store(minlock::Scramble("pw"));
  // A non-modal window of the program (as Find and Replace is) goes and comes back with it.
  dialogs::TfrmGoto other(&frm);
  other.Show();
  frm.Run(app::Command::MinLock);
  EXPECT_FALSE(Shown(frm));
  EXPECT_FALSE(other.Visible());
  EXPECT_TRUE(frm.MinLocked());
  EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 1);

  auto& unlock = *forms_.frmUnlock;
  // A wrong entry, then Cancel: still hidden and locked.
  DuringModal([&] {
    EXPECT_TRUE(unlock.Visible());
    TryUnlock(unlock, "PW");
    unlock.btnCancelClick();
  });
  DoubleClickTray(frm);
  EXPECT_EQ(Texts(), (Strings{"Sorry, the password is incorrect."}));
  EXPECT_FALSE(Shown(frm));
  EXPECT_TRUE(frm.MinLocked());
  EXPECT_EQ(unlock.editPassword().Text(), "") << "Cancel clears the box";

  DuringModal([&] {
    unlock.editPassword().SetText("pw");
    unlock.btnUnlockClick();
  });
  frm.PopupMenuTrayIcon().Find({"&Open Vellumdesk"})->Click();
  EXPECT_TRUE(Shown(frm));
  EXPECT_TRUE(other.Visible());
  EXPECT_FALSE(frm.MinLocked());
  EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 0);

  // Lock, unlock, close: opening from the tray then asks nothing.
  SendMessageA(frm.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Shown(frm));
  EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 0);
  boxes.Clear();
  DoubleClickTray(frm);
  EXPECT_TRUE(Shown(frm));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(MainTrayTest, ASecondStartWhileLockedOpensTheFileOutOfSightBehindThePassword) {
  TfrmMain& frm = StartShown();
  const std::string file = File("handed.txt", "handed over");
  frm.btnMinLockClick();
  forms::IniFile(iniName_).WriteString("File To Open", "File", file);
  auto& unlock = *forms_.frmUnlock;
  bool dialogShown = false, mainShownMeanwhile = true;
  DuringModal([&] {
    dialogShown = unlock.Visible();
    mainShownMeanwhile = Shown(frm);
    unlock.btnCancelClick();
  });
  SendMessageA(frm.Handle(), app::WM_OPENREQUEST, 0, 0);
  EXPECT_TRUE(dialogShown);
  EXPECT_FALSE(mainShownMeanwhile);
  EXPECT_FALSE(Shown(frm));
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "handed.txt"}));

  // Unlocked, a hand-off brings the hidden window back.
  DuringModal([&] { unlock.btnUnlockClick(); }); // no password stored: empty entry
  DoubleClickTray(frm);
  ASSERT_TRUE(Shown(frm));
  SendMessageA(frm.Handle(), WM_CLOSE, 0, 0);
  forms::IniFile(iniName_).WriteString("File To Open", "File", File("two.txt", "2"));
  SendMessageA(frm.Handle(), app::WM_OPENREQUEST, 0, 0);
  EXPECT_TRUE(Shown(frm));
  EXPECT_EQ(Captions().back(), "two.txt");
}

TEST_F(MainTrayTest, ATypeableLongPasswordUnlocks) {
  TfrmMain& frm = StartShown();
  const std::string longest(26, 'q');
  Store(minlock::Scramble(longest));
  frm.btnMinLockClick();
  auto& unlock = *forms_.frmUnlock;
  DuringModal([&] {
    for (char ch : longest)
      SendMessageA(unlock.editPassword().Handle(), WM_CHAR, ch, 1);
    unlock.btnUnlockClick();
  });
  DoubleClickTray(frm);
  EXPECT_TRUE(boxes.Calls().empty()) << (boxes.Calls().empty() ? "" : boxes.Calls()[0].text);
  EXPECT_FALSE(frm.MinLocked());
  EXPECT_TRUE(Shown(frm));
}

TEST_F(MainTrayTest, ExitWhileLockedAsksForThePasswordBeforeAnyQuestion) {
  TfrmMain& frm = StartShown();
  Store(minlock::Scramble("pw"));
  Type("unsaved");
  frm.btnMinLockClick();
  auto& unlock = *forms_.frmUnlock;
  forms::MenuItem& trayExit = *frm.PopupMenuTrayIcon().Find({"&Exit"});
  forms::MenuItem& fileExit = *frm.MainMenu().Find({"&File", "E&xit"});
  // Cancel at the password, from either Exit: nothing asked, nothing ended, still locked.
  for (forms::MenuItem* exit : {&trayExit, &fileExit}) {
    bool asked = false;
    DuringModal([&] {
      asked = unlock.Visible();
      unlock.btnCancelClick();
    });
    exit->Click();
    EXPECT_TRUE(asked) << exit->Caption();
    EXPECT_TRUE(boxes.Calls().empty()) << exit->Caption();
    EXPECT_FALSE(forms::Application::Instance().Terminated());
    EXPECT_TRUE(frm.MinLocked());
    EXPECT_FALSE(Shown(frm));
    EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 1);
    EXPECT_TRUE(frm.ActiveEditor().Modified());
  }
  // The end of the session asks nothing while locked and keeps the session.
  bool dialogShown = false;
  DuringModal([&] {
    dialogShown = true;
    unlock.btnCancelClick();
  });
  EXPECT_EQ(frm.WMQueryEndSession(), 0);
  ModalStep() = nullptr; // its timer fires in the pump below with nothing to do
  Pump();
  EXPECT_FALSE(dialogShown);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_FALSE(forms::Application::Instance().Terminated());

  // The right password: the save question follows and the program ends.
  boxes.Answer({forms::kIdNo});
  DuringModal([&] {
    unlock.editPassword().SetText("pw");
    unlock.btnUnlockClick();
  });
  trayExit.Click();
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "File Has Changed");
  EXPECT_TRUE(forms::Application::Instance().Terminated());
}

TEST_F(MainTrayTest, NoWindowMessageEndsOrGetsRoundTheLock) {
  TfrmMain& frm = StartShown();
  frm.ActiveEditor().SetAllText("secret");
  SendMessageA(frm.ActiveEditor().Handle(), EM_SETSEL, 0, -1);
  frm.btnMinLockClick();
  // What another process could do to the hidden window: minimise and restore it, show it,
  // restore it through the system command.
  const struct {
    const char* what;
    std::function<void()> act;
  } attempts[] = {
      {"minimise, restore",
       [&] {
         ShowWindow(frm.Handle(), SW_MINIMIZE);
         Pump();
         ShowWindow(frm.Handle(), SW_RESTORE);
       }},
      {"SW_SHOW", [&] { ShowWindow(frm.Handle(), SW_SHOW); }},
      {"SC_MINIMIZE, SC_RESTORE",
       [&] {
         SendMessageA(frm.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
         SendMessageA(frm.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
       }},
  };
  for (const auto& a : attempts) {
    a.act();
    Pump();
    EXPECT_TRUE(frm.MinLocked()) << a.what;
    EXPECT_FALSE(Shown(frm)) << a.what;
    EXPECT_EQ(frm.TrayIcon().ImageListIndex(), 1) << a.what;
  }
  // Keys meant for the hidden editor are swallowed, and menu commands do nothing.
  MSG typed{};
  typed.hwnd = frm.ActiveEditor().Handle();
  typed.message = WM_CHAR;
  typed.wParam = 'x';
  EXPECT_TRUE(frm.TranslateShortcut(typed));
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  const UINT copy = frm.MainMenu().Find({"&Edit", "&Copy"})->Command();
  SendMessageA(frm.Handle(), WM_COMMAND, MAKEWPARAM(copy, 1), 0);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "copied while locked";
  EXPECT_EQ(frm.ActiveEditor().AllText(), "secret");

  // The unlock dialog still ends the lock, and then both work again.
  DuringModal([&] { forms_.frmUnlock->btnUnlockClick(); });
  DoubleClickTray(frm);
  EXPECT_FALSE(frm.MinLocked());
  EXPECT_TRUE(Shown(frm));
  EXPECT_FALSE(frm.TranslateShortcut(typed));
  SendMessageA(frm.Handle(), WM_COMMAND, MAKEWPARAM(copy, 1), 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(MainTrayTest, ThePasswordItemShowsItsDialogModallyOverTheMainWindow) {
  TfrmMain& frm = StartShown();
  auto& password = *forms_.frmMinLockPassword;
  bool modal = false;
  DuringModal([&] {
    modal = password.IsModal() && !IsWindowEnabled(frm.Handle());
    password.btnCancelClick();
  });
  frm.MainMenu().Find({"&Options", "&MinLock Password"})->Click();
  EXPECT_TRUE(modal);
  EXPECT_FALSE(password.Visible());
}

} // namespace
} // namespace vd::test
