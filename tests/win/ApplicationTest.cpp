#include "ScriptedMessageBoxes.h"
#include "Version.h"
#include "app/Mainform2.h"
#include "forms/Application.h"
#include "forms/Errors.h"
#include "forms/Form.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace vd::test {
namespace {

using forms::Application;

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kMark = WM_APP + 2;

// A form whose messages run test-chosen handlers.
class ProbeForm : public forms::Form {
public:
  explicit ProbeForm(forms::FormDesign d) : Form(nullptr, std::move(d)) {}
  std::map<UINT, std::function<LRESULT()>> handlers;

protected:
  LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override {
    if (auto it = handlers.find(msg); it != handlers.end())
      return it->second();
    return Form::HandleMessage(msg, w, l);
  }
};

forms::FormDesign Design(const char* cls, int cw = 0, int ch = 0) {
  forms::FormDesign d;
  d.className = cls;
  d.caption = cls;
  d.left = 100;
  d.top = 100;
  d.width = 400;
  d.height = 300;
  d.clientWidth = cw;
  d.clientHeight = ch;
  return d;
}

class ApplicationTest : public testing::Test {
protected:
  void SetUp() override { Application::Instance().ResetTerminated(); }
  void TearDown() override { Application::Instance().ResetTerminated(); }
  ScriptedMessageBoxes boxes;
};

TEST_F(ApplicationTest, HandlerThatThrowsShowsItsMessageAndTheLoopGoesOn) {
  ProbeForm form(Design("TProbeThrow"));
  bool reachedAfterThrow = false;
  bool markHandled = false;
  form.handlers[kThrow] = [&]() -> LRESULT {
    throw forms::Error("Unable to write to Vellumdesk.ini");
    reachedAfterThrow = true; // the handler stops where it threw
    return 0;
  };
  form.handlers[kMark] = [&]() -> LRESULT {
    markHandled = true;
    Application::Instance().Terminate();
    return 0;
  };
  PostMessageA(form.Handle(), kThrow, 0, 0);
  PostMessageA(form.Handle(), kMark, 0, 0);
  Application::Instance().Run();

  EXPECT_FALSE(reachedAfterThrow);
  EXPECT_TRUE(markHandled) << "the loop must go on after the exception";
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unable to write to Vellumdesk.ini");
  EXPECT_EQ(boxes.Calls()[0].caption, VD_PROGRAM_TITLE);
  EXPECT_EQ(boxes.Calls()[0].flags, 16u);
}

TEST_F(ApplicationTest, SentMessageWhoseHandlerThrowsAnswersZeroAndAnyExceptionTypeIsShown) {
  ProbeForm form(Design("TProbeSend"));
  form.handlers[kThrow] = []() -> LRESULT { throw 42; };
  form.handlers[kMark] = []() -> LRESULT { throw std::out_of_range("Range check error"); };
  EXPECT_EQ(SendMessageA(form.Handle(), kThrow, 0, 0), 0);
  EXPECT_EQ(SendMessageA(form.Handle(), kMark, 0, 0), 0);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_FALSE(boxes.Calls()[0].text.empty());
  EXPECT_EQ(boxes.Calls()[1].text, "Range check error");
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(ApplicationTest, ModalFormDisablesTheOthersUntilItsCloseBoxAnswersCancel) {
  ProbeForm owner(Design("TProbeOwner"));
  owner.Show();
  ProbeForm dialog(Design("TProbeDialog", 300, 120));
  bool ownerDisabledDuringModal = false;
  dialog.OnShow = [&] { PostMessageA(dialog.Handle(), kMark, 0, 0); };
  dialog.handlers[kMark] = [&]() -> LRESULT {
    ownerDisabledDuringModal = !IsWindowEnabled(owner.Handle());
    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    return 0;
  };
  EXPECT_EQ(dialog.ShowModal(), 2);
  EXPECT_TRUE(ownerDisabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(dialog.Visible());
}

TEST_F(ApplicationTest, FormsHaveTheDesignedClientAreaAndCentreOverTheHiddenMainForm) {
  ProbeForm mainForm(Design("TProbeMain"));
  ASSERT_EQ(Application::Instance().MainForm(), &mainForm);
  mainForm.SetBounds({-41, 30, 501, 400});
  mainForm.Hide();
  ProbeForm dialog(Design("TProbeCentred", 253, 99));
  RECT client{};
  GetClientRect(dialog.Handle(), &client);
  EXPECT_EQ(client.right, 253);
  EXPECT_EQ(client.bottom, 99);
  char cls[64] = {};
  GetClassNameA(dialog.Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "TProbeCentred");

  dialog.CentreOverMain();
  const Bounds b = dialog.BoundsRect();
  EXPECT_EQ(b.left, -41 + 501 / 2 - b.width / 2);
  EXPECT_EQ(b.top, 30 + 400 / 2 - b.height / 2);
}

TEST_F(ApplicationTest, MainWindowHasItsClassAndCaption) {
  app::TfrmMain frm;
  char cls[64] = {}, caption[64] = {};
  GetClassNameA(frm.Handle(), cls, sizeof cls);
  GetWindowTextA(frm.Handle(), caption, sizeof caption);
  EXPECT_STREQ(cls, "TfrmMain");
  EXPECT_STREQ(caption, VD_PROGRAM_TITLE);
}

class Watcher : public forms::Component {
public:
  std::vector<forms::Component*> removed;

protected:
  void Notification(forms::Component* c, Operation op) override {
    if (op == Operation::Remove)
      removed.push_back(c);
  }
};

TEST_F(ApplicationTest, AStandInMessageBoxInsideAnotherHandsTheBoxesBackWhenItGoes) {
  {
    ScriptedMessageBoxes inner;
    inner.Answer({forms::kIdNo});
    EXPECT_EQ(forms::ShowMessageBox("inner", "Vellumdesk", forms::kMbYesNoCancel), forms::kIdNo);
    ASSERT_EQ(inner.Calls().size(), 1u);
  }
  boxes.Answer({forms::kIdCancel});
  EXPECT_EQ(forms::ShowMessageBox("outer", "Vellumdesk", forms::kMbYesNoCancel), forms::kIdCancel);
  ASSERT_EQ(boxes.Calls().size(), 1u)
      << "the box after the inner stand-in went must reach the outer one";
  EXPECT_EQ(boxes.Calls()[0].text, "outer");
}

TEST(Component, ObserversAndOwnersHearOfADestructionEitherWayRound) {
  Watcher owner;
  Watcher observer;
  auto* child = new forms::Component(&owner);
  ASSERT_EQ(owner.Components().size(), 1u);
  child->FreeNotification(&observer);
  delete child;
  EXPECT_EQ(owner.Components().size(), 0u);
  ASSERT_EQ(owner.removed.size(), 1u);
  ASSERT_EQ(observer.removed.size(), 1u);
  EXPECT_EQ(observer.removed[0], child);

  // The other way round: the observer goes first, and the watched one must not call it later.
  auto* watched = new Watcher;
  {
    Watcher shortLived;
    watched->FreeNotification(&shortLived);
  }
  ASSERT_EQ(watched->removed.size(), 1u);
  delete watched; // must not touch the dead observer
}

} // namespace
} // namespace vd::test
