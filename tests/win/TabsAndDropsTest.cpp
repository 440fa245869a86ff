// Tab keys, the middle button on a tab, files dropped from the shell and several files from one
// Open, on the main window created in this process with scripted message boxes and dialogs.
#include "MainWindowFixture.h"
#include "forms/FileDialogs.h"
#include "forms/RichEdit.h"

#include <shlobj.h>

#include <cstring>

namespace vd::test {
namespace {

// Holds keys down in this thread's keyboard state, as GetKeyState reads it, for one scope.
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof(state));
    for (int k : keys)
      state[k] |= 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

private:
  BYTE saved_[256];
};

// A shell drop as WM_DROPFILES carries it: a DROPFILES header, then the names, each NUL-ended,
// then one more NUL.
HDROP MakeDrop(const Strings& paths) {
  std::string names;
  for (const auto& p : paths)
    names += p + '\0';
  names += '\0';
  HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* header = static_cast<DROPFILES*>(GlobalLock(h));
  header->pFiles = sizeof(DROPFILES);
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(h);
  return static_cast<HDROP>(h);
}

MSG Message(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  return msg;
}

// Answers an Open dialog with several files at once, as the real one does with a multiple
// selection.
class SeveralFilesDialog final : public forms::DialogService {
public:
  explicit SeveralFilesDialog(Strings answer) : answer_(std::move(answer)) {}
  bool RunFileDialog(forms::FileDialog& d, HWND) override {
    offeredOptions = d.options;
    d.fileNames = answer_;
    d.fileName = answer_.back();
    return true;
  }
  DWORD offeredOptions = 0;

private:
  Strings answer_;
  ServiceOverride<forms::DialogService> installed_{forms::Dialogs(), *this};
};

class TabsAndDropsTest : public MainWindowTest {
protected:
  // Three tabs, the third active, each caret at its own place.
  TfrmMain& StartWithThreeTabs() {
    TfrmMain& frm = Start();
    frm.OpenFileInNewTab(File("b.txt", "bb\r\nbbbb\r\n"));
    frm.OpenFileInNewTab(File("c.txt", "c\r\n"));
    frm.Editor(0).ReplaceSelection("aaaa", false);
    frm.Editor(0).SetModified(false);
    const long afterBb = frm.Editor(1).LineIndex(1) + 2;
    frm.Editor(1).SetSelection(afterBb, afterBb);
    frm.Editor(2).SetSelection(1, 1);
    frm.ShowFirstTime(); // shown, so that the editors can take the focus
    return frm;
  }
  // A key as the message loop delivers it to the focused editor, through the main window's filter.
  bool Key(TfrmMain& frm, WPARAM vk) {
    MSG msg = Message(frm.ActiveEditor().Handle(), WM_KEYDOWN, vk, 1);
    return frm.TranslateTabInput(msg);
  }
  bool MiddleClickOnTab(TfrmMain& frm, int index) {
    RECT r{};
    SendMessageA(frm.PageControl().Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&r));
    MSG msg = Message(frm.PageControl().Handle(), WM_MBUTTONUP, 0,
                      MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    return frm.TranslateTabInput(msg);
  }
  void Drop(TfrmMain& frm, const Strings& paths) {
    SendMessageA(frm.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
  }
};

TEST_F(TabsAndDropsTest, CtrlTabAndItsKinCycleBothWaysWrapAndShowTheNewCaret) {
  TfrmMain& frm = StartWithThreeTabs();
  ASSERT_EQ(frm.ActiveIndex(), 2);
  struct Step {
    std::initializer_list<int> held;
    WPARAM key;
    int expected;
    const char* caret;
  };
  const Step steps[] = {
      {{VK_CONTROL}, VK_TAB, 0, "1, 5"}, // wraps from the last to the first
      {{VK_CONTROL}, VK_TAB, 1, "2, 3"},           {{VK_CONTROL, VK_SHIFT}, VK_TAB, 0, "1, 5"},
      {{VK_CONTROL, VK_SHIFT}, VK_TAB, 2, "1, 2"}, // wraps from the first to the last
      {{VK_CONTROL}, VK_PRIOR, 1, "2, 3"},         {{VK_CONTROL}, VK_NEXT, 2, "1, 2"},
      {{VK_CONTROL}, VK_NEXT, 0, "1, 5"},
  };
  for (const auto& s : steps) {
    HeldKeys held(s.held);
    EXPECT_TRUE(Key(frm, s.key)) << "the editor never sees the key";
    EXPECT_EQ(frm.ActiveIndex(), s.expected);
    EXPECT_EQ(frm.statusbar().PanelText(1), s.caret) << "tab " << s.expected;
    EXPECT_EQ(GetFocus(), frm.Editor(s.expected).Handle()) << "tab " << s.expected;
  }
  EXPECT_EQ(frm.ActiveEditor().AllText(), "aaaa") << "no tab character was typed";
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(TabsAndDropsTest, OtherKeysAndAModalOrLockedWindowLeaveTheTabsAlone) {
  TfrmMain& frm = StartWithThreeTabs();
  {
    HeldKeys none({});
    EXPECT_FALSE(Key(frm, VK_TAB)) << "a plain Tab is the editor's";
    EXPECT_FALSE(Key(frm, VK_NEXT));
  }
  {
    HeldKeys held({VK_CONTROL, VK_MENU});
    EXPECT_FALSE(Key(frm, VK_TAB));
  }
  {
    HeldKeys held({VK_CONTROL, VK_SHIFT});
    EXPECT_FALSE(Key(frm, VK_NEXT)) << "Ctrl+Shift+Page Down selects in the editor";
  }
  HeldKeys held({VK_CONTROL});
  EnableWindow(frm.Handle(), FALSE); // as a modal dialog leaves it
  EXPECT_FALSE(Key(frm, VK_TAB));
  EXPECT_FALSE(MiddleClickOnTab(frm, 0));
  EnableWindow(frm.Handle(), TRUE);
  EXPECT_EQ(frm.ActiveIndex(), 2);
  frm.btnMinLockClick();
  EXPECT_FALSE(Key(frm, VK_TAB));
  EXPECT_EQ(frm.ActiveIndex(), 2);
  EXPECT_EQ(frm.DocumentCount(), 3);
}

TEST_F(TabsAndDropsTest, MiddleClickOnATabClosesThatTabThroughClose) {
  TfrmMain& frm = StartWithThreeTabs();
  frm.Editor(1).SetModified(true);
  boxes.Answer({forms::kIdCancel, forms::kIdNo});
  EXPECT_TRUE(MiddleClickOnTab(frm, 1));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].caption, "File Has Changed");
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "b.txt", "c.txt"})) << "Cancel keeps the tab";
  EXPECT_EQ(frm.ActiveIndex(), 1) << "the tab asked about shows";
  EXPECT_TRUE(MiddleClickOnTab(frm, 1));
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "c.txt"}));
  EXPECT_TRUE(MiddleClickOnTab(frm, 0)) << "an unmodified tab closes without a question";
  EXPECT_EQ(Captions(), (Strings{"c.txt"}));
  EXPECT_EQ(boxes.Calls().size(), 2u);
  // Below the tabs is no tab: nothing closes.
  RECT r;
  GetClientRect(frm.PageControl().Handle(), &r);
  MSG msg =
      Message(frm.PageControl().Handle(), WM_MBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 5));
  EXPECT_FALSE(frm.TranslateTabInput(msg));
  EXPECT_EQ(Captions(), (Strings{"c.txt"}));
}

TEST_F(TabsAndDropsTest, ADropOpensEachFileInOrderAsOpenDoesAndNamesTheFoldersOnce) {
  TfrmMain& frm = Start();
  const std::string open = File("open.txt", "already\r\n");
  frm.OpenFileInNewTab(open);
  const std::string nul = File("zeros.txt", std::string("a\0b", 3));
  const std::string good = File("good.txt", "good\r\n");
  const std::string first = File("first.txt", "first\r\n");
  const std::string folderA = folder_ + "\\sub a", folderB = folder_ + "\\sub b";
  CreateDirectoryA(folderA.c_str(), nullptr);
  CreateDirectoryA(folderB.c_str(), nullptr);
  Drop(frm, {first, folderA, open, nul, folderB, good});
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "open.txt", "first.txt", "good.txt"}));
  EXPECT_EQ(frm.ActiveIndex(), 3) << "the last file opened is active";
  EXPECT_EQ(frm.ActiveEditor().AllText(), "good\r\n");
  ASSERT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(boxes.Calls()[0].text, "File " + open + " is already open.");
  EXPECT_EQ(boxes.Calls()[0].caption, "Open Error");
  EXPECT_EQ(boxes.Calls()[1].text, forms::FileHoldsNulMessage(nul));
  EXPECT_EQ(boxes.Calls()[2].text, "Folders " + folderA + " and " + folderB +
                                       " were not opened.  Only files open in tabs.");
  EXPECT_EQ(boxes.Calls()[2].caption, "Open Error");
  EXPECT_EQ(frm.FileHistoryEntries(), (Strings{good, first, open})) << "as Open adds them";
  RemoveDirectoryA(folderA.c_str());
  RemoveDirectoryA(folderB.c_str());
}

TEST_F(TabsAndDropsTest, ADropWhileModalOrLockedIsIgnored) {
  TfrmMain& frm = Start();
  const std::string file = File("dropped.txt", "x");
  EnableWindow(frm.Handle(), FALSE);
  Drop(frm, {file});
  EnableWindow(frm.Handle(), TRUE);
  EXPECT_EQ(Captions(), Strings{"Untitled1"});
  frm.btnMinLockClick();
  Drop(frm, {file});
  EXPECT_EQ(Captions(), Strings{"Untitled1"});
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_TRUE(frm.FileHistoryEntries().empty());
}

TEST_F(TabsAndDropsTest, OpenWithSeveralFilesOpensEachAndLeavesTheLastActive) {
  TfrmMain& frm = Start();
  const std::string a = File("a.txt", "A"), b = File("b.txt", "B"), c = File("c.txt", "C");
  frm.OpenFileInNewTab(b);
  SeveralFilesDialog dialog({a, b, c});
  frm.fileOpenClick();
  EXPECT_TRUE(dialog.offeredOptions & OFN_ALLOWMULTISELECT);
  EXPECT_EQ(Captions(), (Strings{"Untitled1", "b.txt", "a.txt", "c.txt"}));
  EXPECT_EQ(frm.ActiveIndex(), 3);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "File " + b + " is already open.");
}

// The long-name check in the file dialogs looks at each name of a selection on its own: a
// selection of many short names is not one long name.
TEST(TypedNamesTest, ASelectionIsCheckedNameByName) {
  const std::string folder = "C:\\docs";
  struct Case {
    std::string typed;
    std::vector<std::string> fullPaths;
  } cases[] = {
      {"a.txt", {"C:\\docs\\a.txt"}},
      {"\"a b.txt\"", {"C:\\docs\\a b.txt"}},
      {"\"one.txt\" \"two.txt\"", {"C:\\docs\\one.txt", "C:\\docs\\two.txt"}},
      {"D:\\x.txt", {"D:\\x.txt"}},
      {"\\root.txt", {"C:\\root.txt"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> got;
    for (const std::string& name : forms::TypedNames(c.typed))
      got.push_back(forms::TypedFullPath(folder, name));
    EXPECT_EQ(got, c.fullPaths) << c.typed;
  }
  std::string many;
  for (int i = 0; i < 40; ++i)
    many += "\"file" + std::to_string(i) + ".txt\" ";
  for (const std::string& name : forms::TypedNames(many))
    EXPECT_LE(forms::TypedFullPath(folder, name).size(), forms::kMaxFullPath);
}

} // namespace
} // namespace vd::test
