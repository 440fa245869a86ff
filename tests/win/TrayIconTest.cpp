#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/ImageList.h"
#include "forms/Menus.h"
#include "tray/Trayicon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using vd::forms::Application;
using vd::forms::Form;
using vd::forms::ImageList;
using vd::forms::Menu;
using vd::tray::TIconSource;
using vd::tray::TrayShell;
using vd::tray::TTrayIcon;

namespace {

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;

// A 32 x 32 icon of one colour, so that a test can tell which image reached the shell.
HICON SolidIcon(COLORREF rgb) {
  std::vector<DWORD> pixels(32 * 32,
                            (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb));
  std::vector<BYTE> mask(32 * 32 / 8, 0); // all opaque
  ICONINFO ii{};
  ii.fIcon = TRUE;
  ii.hbmColor = CreateBitmap(32, 32, 1, 32, pixels.data());
  ii.hbmMask = CreateBitmap(32, 32, 1, 1, mask.data());
  HICON icon = CreateIconIndirect(&ii);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  return icon;
}

// The colour in the middle of an icon, as a COLORREF; CLR_INVALID when it cannot be read.
COLORREF CentreColour(HICON icon) {
  ICONINFO ii{};
  if (!icon || !GetIconInfo(icon, &ii))
    return CLR_INVALID;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 32;
  bi.bmiHeader.biHeight = -32;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(32 * 32);
  HDC dc = GetDC(nullptr);
  const int lines =
      ii.hbmColor ? GetDIBits(dc, ii.hbmColor, 0, 32, pixels.data(), &bi, DIB_RGB_COLORS) : 0;
  ReleaseDC(nullptr, dc);
  if (ii.hbmColor)
    DeleteObject(ii.hbmColor);
  if (ii.hbmMask)
    DeleteObject(ii.hbmMask);
  if (lines != 32)
    return CLR_INVALID;
  const DWORD p = pixels[16 * 32 + 16];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

struct ShellCall {
  std::string what; // "add", "modify", "delete", "foreground", "track", "postnull"
  NOTIFYICONDATAA data{};
  std::string tip;
  COLORREF colour = CLR_INVALID;
  HWND hwnd = nullptr;
  Menu* menu = nullptr;
  POINT at{};
};

// Records every call in order and answers as the test set it up.
// The record lives with the test, so that it can be read after the component (which owns its
// shell) is gone.
class RecordingShell : public TrayShell {
public:
  RecordingShell(DWORD major, std::vector<ShellCall>& log) : calls(log), major_(major) {}
  std::vector<ShellCall>& calls;
  POINT cursor{120, 340};

  bool Notify(DWORD message, const NOTIFYICONDATAA& data) override {
    ShellCall c;
    c.what = message == NIM_ADD      ? "add"
             : message == NIM_MODIFY ? "modify"
             : message == NIM_DELETE ? "delete"
                                     : "other";
    c.data = data;
    c.tip.assign(data.szTip, strnlen(data.szTip, sizeof(data.szTip)));
    c.colour = CentreColour(data.hIcon); // the icon may be gone by the time the test looks
    calls.push_back(c);
    return true;
  }
  DWORD MajorVersion() override { return major_; }
  POINT CursorPos() override { return cursor; }
  void SetForeground(HWND hwnd) override {
    calls.push_back({"foreground", {}, {}, CLR_INVALID, hwnd});
  }
  void TrackPopup(Menu& menu, int x, int y, HWND owner) override {
    calls.push_back({"track", {}, {}, CLR_INVALID, owner, &menu, POINT{x, y}});
  }
  void PostNull(HWND hwnd) override { calls.push_back({"postnull", {}, {}, CLR_INVALID, hwnd}); }

private:
  DWORD major_;
};

class TrayIconTest : public testing::Test {
protected:
  void SetUp() override {
    for (COLORREF c : {kRed, kGreen, kBlue})
      icons_.push_back(SolidIcon(c));
    images = std::make_unique<ImageList>(nullptr);
    for (HICON i : icons_)
      images->AddIcon(i);
    Make(6);
  }
  void TearDown() override {
    tray.reset();
    for (HICON i : icons_)
      DestroyIcon(i);
  }
  void Make(DWORD major) {
    tray.reset();
    log.clear();
    auto s = std::make_unique<RecordingShell>(major, log);
    tray = std::make_unique<TTrayIcon>(nullptr, std::move(s));
  }
  // A visible icon showing the image list, with the shell's record emptied.
  void ShowFromList(int index = 0) {
    tray->SetIconSource(TIconSource::srcImageList);
    tray->SetImageList(images.get());
    tray->SetImageListIndex(index);
    tray->Show();
    log.clear();
  }
  LRESULT Callback(UINT mouseMessage) {
    return SendMessageA(tray->WindowHandle(), TTrayIcon::TrayCallbackMessage, TTrayIcon::TrayIconId,
                        mouseMessage);
  }
  HICON Icon(int i) const { return icons_[i]; }
  std::string Kinds() const {
    std::string s;
    for (const auto& c : log)
      s += (s.empty() ? "" : " ") + c.what;
    return s;
  }

  std::vector<ShellCall> log;
  std::unique_ptr<ImageList> images;
  std::unique_ptr<TTrayIcon> tray;

private:
  std::vector<HICON> icons_;
};

TEST_F(TrayIconTest, AddSendsTheFirstVersionRecordWithTheChosenImage) {
  ASSERT_EQ(images->Count(), 3);
  tray->SetHintString("Vellumdesk v1.0");
  tray->SetIconSource(TIconSource::srcImageList);
  tray->SetImageList(images.get());
  tray->SetImageListIndex(2);
  EXPECT_TRUE(log.empty()) << "nothing may reach the shell before Visible: " << Kinds();
  tray->Show();
  ASSERT_EQ(Kinds(), "add");
  const NOTIFYICONDATAA& d = log[0].data;
  EXPECT_EQ(d.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
  if (sizeof(void*) == 4) {
    EXPECT_EQ(d.cbSize, 88u);
  }
  EXPECT_EQ(d.hWnd, tray->WindowHandle());
  EXPECT_EQ(d.uID, 1005u);
  EXPECT_EQ(d.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(d.uCallbackMessage, 2053u);
  EXPECT_EQ(log[0].tip, "Vellumdesk v1.0");
  EXPECT_EQ(log[0].colour, kBlue) << "image 2 should be shown";
}

TEST_F(TrayIconTest, AnIconGivenNoShellTakesItsShellFromTheInstalledFactory) {
  int made = 0;
  std::vector<ShellCall> factoryLog;
  const vd::tray::TrayShellFactory recording = [&] {
    ++made;
    return std::make_unique<RecordingShell>(6, factoryLog);
  };
  {
    vd::ServiceOverride<const vd::tray::TrayShellFactory> installed(vd::tray::TrayShells(),
                                                                    recording);
    auto own = std::make_unique<TTrayIcon>(nullptr);
    EXPECT_EQ(made, 1);
    own->SetIconSource(TIconSource::srcImageList);
    own->SetImageList(images.get());
    own->Show();
    own.reset();
    EXPECT_EQ(made, 1) << "one shell for the icon's whole life";

    // A shell handed in directly wins over the factory.
    Make(6);
    EXPECT_EQ(made, 1);
  }
  std::string kinds;
  for (const auto& c : factoryLog)
    kinds += (kinds.empty() ? "" : " ") + c.what;
  EXPECT_EQ(kinds, "add delete");
  EXPECT_FALSE(vd::tray::TrayShells().IsReplaced()) << "the override puts the real factory back";
}

TEST_F(TrayIconTest, TipIsTheHintCutToSixtyThreeCharactersOrEmptyWithoutShowHint) {
  const std::string s63(63, 'a'), s64 = std::string(63, 'b') + "X", s300(300, 'c');
  struct Case {
    std::string hint;
    bool showHint;
    std::string tip;
  } cases[] = {
      {s63, true, s63}, {s64, true, s64.substr(0, 63)}, {s300, true, s300.substr(0, 63)},
      {"", true, ""},   {"Vellumdesk v1.0", false, ""}, {s300, false, ""},
  };
  ShowFromList();
  for (const Case& c : cases) {
    tray->SetShowHint(c.showHint);
    log.clear();
    tray->SetHintString(c.hint);
    ASSERT_EQ(Kinds(), "modify") << "hint of " << c.hint.size();
    const ShellCall& call = log[0];
    EXPECT_EQ(call.tip, c.tip) << "hint of " << c.hint.size() << " chars, showHint " << c.showHint;
    EXPECT_EQ(call.data.szTip[63], '\0');
  }
}

TEST_F(TrayIconTest, SetsThatChangeNothingSendNothingButTheHintAlwaysModifies) {
  ShowFromList();
  tray->SetHintString("same");
  tray->SetHintString("same");
  EXPECT_EQ(Kinds(), "modify modify");

  log.clear();
  tray->SetVisible(true);
  tray->SetShowHint(true);
  tray->SetIconSource(TIconSource::srcImageList);
  tray->SetImageListIndex(0);
  EXPECT_EQ(Kinds(), "") << "unchanged values";

  tray->SetShowHint(false);
  tray->SetIconSource(TIconSource::srcIcon); // no own icon: nothing can be loaded, nothing sent
  tray->SetIconSource(TIconSource::srcImageList);
  EXPECT_EQ(Kinds(), "modify modify");

  log.clear();
  tray->Refresh();
  tray->Hide();
  tray->Hide();
  tray->Refresh();
  EXPECT_EQ(Kinds(), "modify delete");
}

TEST_F(TrayIconTest, ImageListIndexIsClampedToTheList) {
  struct Case {
    int set;
    int expected;
  } cases[] = {{1, 1}, {3, 2}, {99, 2}, {2, 2}, {-1, 0}, {-50, 0}, {0, 0}};
  tray->SetImageList(images.get());
  for (const Case& c : cases) {
    tray->SetImageListIndex(c.set);
    EXPECT_EQ(tray->ImageListIndex(), c.expected) << "set " << c.set;
  }

  ImageList empty(nullptr);
  tray->SetImageList(&empty);
  tray->SetImageListIndex(4);
  EXPECT_EQ(tray->ImageListIndex(), 0) << "an empty list allows only 0";

  tray->SetImageList(images.get());
  tray->SetImageListIndex(2);
  tray->SetImageList(nullptr); // source is still srcIcon: the index stays
  tray->SetImageListIndex(1);
  EXPECT_EQ(tray->ImageListIndex(), 2) << "without a list the assignment is ignored";
}

TEST_F(TrayIconTest, AttachingASmallerListPullsTheIndexBack) {
  ShowFromList(2);
  ImageList two(nullptr);
  two.AddIcon(Icon(1));
  two.AddIcon(Icon(0));
  tray->SetImageList(&two);
  EXPECT_EQ(tray->ImageListIndex(), 1);
  ASSERT_EQ(Kinds(), "modify");
  EXPECT_EQ(log[0].colour, kRed) << "image 1 of the new list";

  ImageList none(nullptr);
  tray->SetImageList(&none);
  EXPECT_EQ(tray->ImageListIndex(), 0);
  tray->SetImageList(images.get());
}

TEST_F(TrayIconTest, ChangedIndexModifiesWithThatImage) {
  ShowFromList(0);
  tray->SetImageListIndex(1);
  tray->SetImageListIndex(1);
  ASSERT_EQ(Kinds(), "modify");
  EXPECT_EQ(log[0].colour, kGreen);

  tray->SetIconSource(TIconSource::srcIcon);
  tray->SetIcon(Icon(2));
  log.clear();
  tray->SetImageListIndex(0); // not the shown source
  EXPECT_EQ(Kinds(), "");
  EXPECT_EQ(tray->ImageListIndex(), 0);
}

TEST_F(TrayIconTest, DestroyingTheImageListRemovesTheIconAndZeroesTheIndex) {
  ShowFromList(2);
  images.reset();
  EXPECT_EQ(Kinds(), "delete");
  EXPECT_FALSE(tray->Visible());
  EXPECT_EQ(tray->ImageListIndex(), 0);
  EXPECT_EQ(tray->ImageList(), nullptr);
}

TEST_F(TrayIconTest, AnImageListThatIsNotShownGoesQuietly) {
  std::unique_ptr<ImageList> other;
  auto attachOther = [&] {
    other = std::make_unique<ImageList>(nullptr);
    other->AddIcon(Icon(1));
    tray->SetImageList(other.get());
    log.clear();
  };
  // Not the shown source: destroying it only forgets it.
  tray->SetIcon(Icon(0));
  tray->Show();
  attachOther();
  other.reset();
  EXPECT_EQ(Kinds(), "");
  EXPECT_TRUE(tray->Visible());
  EXPECT_EQ(tray->ImageList(), nullptr);

  // A list replaced by another no longer concerns the icon when it goes.
  ShowFromList();
  attachOther();
  images.reset();
  EXPECT_EQ(Kinds(), "");
  EXPECT_TRUE(tray->Visible());
  EXPECT_EQ(tray->ImageList(), other.get());
  tray.reset();
}

TEST_F(TrayIconTest, MouseMessagesRaiseTheirEventsAndOthersNothing) {
  std::string raised;
  auto note = [&raised](const char* name) {
    return [&raised, name](TTrayIcon&) { raised += name; };
  };
  tray->OnMouseMove = note("move");
  tray->OnLeftBtnDown = note("ldown");
  tray->OnLeftBtnUp = note("lup");
  tray->OnLeftBtnDblClick = note("ldbl");
  tray->OnRightBtnDown = note("rdown");
  tray->OnRightBtnUp = note("rup");
  tray->OnRightBtnDblClick = note("rdbl");
  struct Case {
    UINT message;
    const char* expected;
  } cases[] = {
      {0x0200, "move"},  {0x0201, "ldown"}, {0x0202, "lup"},  {0x0203, "ldbl"},
      {0x0204, "rdown"}, {0x0205, "rup"},   {0x0206, "rdbl"}, {0x0207, ""},
      {0x0208, ""},      {0x0209, ""},      {0x0100, ""},     {0, ""},
  };
  for (const Case& c : cases) {
    raised.clear();
    EXPECT_EQ(Callback(c.message), 1) << std::hex << c.message;
    EXPECT_EQ(raised, c.expected) << "mouse message 0x" << std::hex << c.message;
  }
  EXPECT_EQ(Kinds(), "") << "no popup menu is set";
}

TEST_F(TrayIconTest, RightButtonUpRaisesTheEventThenPopsTheMenuUpInTheForeground) {
  Menu menu(nullptr, Menu::Kind::Popup);
  int clicks = 0;
  menu.Add("&Exit", {}, {}, [&clicks](vd::forms::MenuItem&) { ++clicks; });
  tray->SetPopupMenu(&menu);
  std::vector<std::string> order;
  tray->OnRightBtnUp = [&](TTrayIcon& sender) {
    EXPECT_EQ(&sender, tray.get());
    order.push_back("event with " + std::to_string(log.size()) + " calls before");
  };
  Callback(WM_RBUTTONUP);
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(order[0], "event with 0 calls before");
  ASSERT_EQ(Kinds(), "foreground track postnull");
  const HWND hwnd = tray->WindowHandle();
  EXPECT_EQ(log[0].hwnd, hwnd);
  EXPECT_EQ(log[1].menu, &menu);
  EXPECT_EQ(log[1].hwnd, hwnd);
  EXPECT_EQ(log[1].at.x, 120);
  EXPECT_EQ(log[1].at.y, 340);
  EXPECT_EQ(log[2].hwnd, hwnd);

  // The menu's command comes back to the hidden window, which runs the item.
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(menu[0].Command(), 0), 0);
  EXPECT_EQ(clicks, 1);

  log.clear();
  tray->SetAutoPopup(false);
  Callback(WM_RBUTTONUP);
  EXPECT_EQ(order.size(), 2u);
  EXPECT_EQ(Kinds(), "") << "AutoPopup false shows no menu";
}

TEST_F(TrayIconTest, DestroyedPopupMenuLeavesOnlyTheEvent) {
  auto menu = std::make_unique<Menu>(nullptr, Menu::Kind::Popup);
  menu->Add("&Open");
  tray->SetPopupMenu(menu.get());
  int raised = 0;
  tray->OnRightBtnUp = [&raised](TTrayIcon&) { ++raised; };
  menu.reset();
  EXPECT_EQ(tray->PopupMenu(), nullptr);
  Callback(WM_RBUTTONUP);
  EXPECT_EQ(raised, 1);
  EXPECT_EQ(Kinds(), "");

  // A menu destroyed by the event's own handler is not popped up either.
  menu = std::make_unique<Menu>(nullptr, Menu::Kind::Popup);
  tray->SetPopupMenu(menu.get());
  tray->OnRightBtnUp = [&menu](TTrayIcon&) { menu.reset(); };
  Callback(WM_RBUTTONUP);
  EXPECT_EQ(Kinds(), "");
}

TEST_F(TrayIconTest, TaskbarCreatedPutsAVisibleIconBack) {
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  SendMessageA(tray->WindowHandle(), taskbarCreated, 0, 0);
  EXPECT_EQ(Kinds(), "") << "hidden icon";

  ShowFromList(1);
  tray->SetHintString("Vellumdesk v2.2");
  log.clear();
  SendMessageA(tray->WindowHandle(), taskbarCreated, 0, 0);
  ASSERT_EQ(Kinds(), "add");
  EXPECT_EQ(log[0].tip, "Vellumdesk v2.2");
  EXPECT_EQ(log[0].colour, kGreen);
}

TEST_F(TrayIconTest, AnIconWaitingForAnImageIsAddedWhenOneArrives) {
  tray->SetIconSource(TIconSource::srcImageList);
  tray->Show();
  EXPECT_EQ(Kinds(), "") << "no list yet";
  ImageList empty(nullptr);
  tray->SetImageList(&empty);
  EXPECT_EQ(Kinds(), "") << "empty list";
  // The icon never reached the shell, so a modify would be lost: it must be an add.
  tray->SetImageList(images.get());
  EXPECT_EQ(Kinds(), "add");
  tray->SetImageListIndex(1);
  EXPECT_EQ(Kinds(), "add modify");

  Make(6);
  tray->Show();
  tray->SetIcon(Icon(2));
  tray->SetIcon(Icon(0));
  ASSERT_EQ(Kinds(), "add modify");
  EXPECT_EQ(log[0].colour, kBlue);
  EXPECT_EQ(log[1].colour, kRed);
}

TEST_F(TrayIconTest, RemoveOnDeleteDecidesWhetherDestructionRemovesTheIcon) {
  struct Case {
    bool removeOnDelete, visible;
    const char* expected;
  } cases[] = {{true, true, "add delete"}, {false, true, "add"}, {true, false, ""}};
  for (const Case& c : cases) {
    Make(6);
    tray->SetIcon(Icon(0));
    tray->SetRemoveOnDelete(c.removeOnDelete);
    tray->SetVisible(c.visible);
    tray.reset();
    EXPECT_EQ(Kinds(), c.expected)
        << "RemoveOnDelete " << c.removeOnDelete << ", Visible " << c.visible;
  }
}

TEST_F(TrayIconTest, UnsupportedSystemNeverTouchesTheNotificationArea) {
  Make(3);
  EXPECT_TRUE(tray->TrayUnsupported());
  ShowFromList(1);
  tray->SetHintString("x");
  tray->Refresh();
  SendMessageA(tray->WindowHandle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  tray->Hide();
  EXPECT_EQ(Kinds(), "");
  EXPECT_FALSE(tray->Visible());
  tray->Show();
  EXPECT_TRUE(tray->Visible()) << "the component keeps its state";
}

// Whether the shell would give the window a taskbar button.
bool OnTaskbar(HWND hwnd) {
  const LONG_PTR ex = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  if (!IsWindowVisible(hwnd))
    return false;
  if (ex & WS_EX_APPWINDOW)
    return true;
  return !GetWindow(hwnd, GW_OWNER) && !(ex & WS_EX_TOOLWINDOW);
}

TEST_F(TrayIconTest, HideAndShowApplicationKeepTheMainWindowsBoundsAndTaskbarButton) {
  Application& app = Application::Instance();
  Form* previousMain = app.MainForm();
  app.SetMainForm(nullptr);
  {
    vd::forms::FormDesign d;
    d.className = "VdTrayTestMain";
    d.caption = "Vellumdesk v2.2";
    d.left = 50, d.top = 60, d.width = 400, d.height = 300;
    Form main(nullptr, d);
    ASSERT_EQ(app.MainForm(), &main);
    d.className = "VdTrayTestTool";
    d.width = 200, d.height = 100;
    Form beside(nullptr, d), closed(nullptr, d);
    main.Show();
    main.SetBounds({70, 80, 410, 290});
    beside.Show();
    const vd::Bounds before = main.BoundsRect();
    ASSERT_TRUE(OnTaskbar(main.Handle()));

    tray->HideApplication();
    EXPECT_FALSE(TTrayIcon::GetAppVisible());
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(beside.Visible()) << "a window beside the main one would stay on the desktop";
    for (HWND h : {main.Handle(), beside.Handle(), closed.Handle(), tray->WindowHandle()})
      EXPECT_FALSE(OnTaskbar(h));
    tray->HideApplication(); // twice must not lose what the first hid

    tray->ShowApplication();
    EXPECT_TRUE(TTrayIcon::GetAppVisible());
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(beside.Visible());
    EXPECT_FALSE(closed.Visible()) << "only what was hidden comes back";
    EXPECT_TRUE(OnTaskbar(main.Handle()));
    EXPECT_FALSE(OnTaskbar(tray->WindowHandle()));
    const vd::Bounds after = main.BoundsRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(Kinds(), "") << "the icon is not the application";
  }
  // With no main form only the flag changes.
  app.SetMainForm(nullptr);
  tray->HideApplication();
  EXPECT_FALSE(TTrayIcon::GetAppVisible());
  tray->ShowApplication();
  EXPECT_TRUE(TTrayIcon::GetAppVisible());
  app.SetMainForm(previousMain);
}

TEST(TrayIconRealShell, AddModifyDeleteThroughTheSystemDoNotFail) {
  // Under a desktop without a notification area the shell refuses quietly; this checks that
  // the real path (record size on both architectures, icon handles) runs without harm.
  ImageList images(nullptr);
  HICON icon = SolidIcon(kRed);
  images.AddIcon(icon);
  {
    TTrayIcon tray(nullptr);
    EXPECT_FALSE(tray.TrayUnsupported());
    tray.SetIconSource(TIconSource::srcImageList);
    tray.SetImageList(&images);
    tray.Show();
    tray.SetHintString("Vellumdesk v1.0");
    EXPECT_EQ(CentreColour(tray.InternalIcon()), kRed);
  }
  DestroyIcon(icon);
}

} // namespace
