// The .txt association against Wine's registry: each test gets a scratch key of its own as the
// root, so the prefix's own classes are never touched.
#include "MainWindowFixture.h"
#include "app/MainAssociation.h"
#include "forms/Errors.h"
#include "forms/Registry.h"

#include <aclapi.h>

#include <map>

namespace vd::test {
namespace {

using Values = std::map<std::string, std::string>;

constexpr char kScratch[] = "Software\\VellumdeskTests\\Association";

// Gives a locked key back to everyone, so that it can be deleted.
void Unlock(HKEY parent, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
    return;
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
  RegCloseKey(key);
}

class AssociationTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    DeleteScratch();
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &root_, nullptr),
              ERROR_SUCCESS);
    scratchRoot_.emplace(app::AssociationRoot(), root_);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    scratchRoot_.reset();
    RegCloseKey(root_);
    root_ = nullptr;
    DeleteScratch();
  }
  void DeleteScratch() {
    HKEY scratch = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_ALL_ACCESS, &scratch) == ERROR_SUCCESS) {
      // Also those a broken earlier run may have left locked.
      for (const char* locked : {"VellumdeskFile", ".txt", "VellumdeskFile\\shell"})
        Unlock(scratch, locked);
      RegCloseKey(scratch);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
  }

  // The default value of a key below the root, and its type; "<none>" when there is none.
  std::string Value(const std::string& path, DWORD* typeOut = nullptr) {
    char data[1024] = {};
    DWORD size = sizeof data, type = 0;
    if (RegGetValueA(root_, path.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
        ERROR_SUCCESS)
      return "<none>";
    if (typeOut)
      *typeOut = type;
    return data;
  }
  void Set(const std::string& path, const std::string& value) {
    ASSERT_EQ(RegSetKeyValueA(root_, path.c_str(), nullptr, REG_SZ, value.c_str(),
                              static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
  }
  // A key that exists and that this user may neither open nor change, as the classes of a
  // machine are for a user without administrator rights.
  void Lock(const char* path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root_, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ACL acl;
    InitializeAcl(&acl, sizeof acl, ACL_REVISION);
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  Values All() {
    Values v;
    for (const char* k :
         {"VellumdeskFile\\DefaultIcon", ".txt", "VellumdeskFile", "VellumdeskFile\\shell",
          "VellumdeskFile\\shell\\open", "VellumdeskFile\\shell\\open\\command"})
      v[k] = Value(k);
    return v;
  }
  static Values Written(const std::string& program) {
    return {{"VellumdeskFile\\DefaultIcon", program + ",0"},
            {".txt", "VellumdeskFile"},
            {"VellumdeskFile", "Text Document"},
            {"VellumdeskFile\\shell", "open"},
            {"VellumdeskFile\\shell\\open", "&Open"},
            {"VellumdeskFile\\shell\\open\\command", program + " \"%1\""}};
  }
  // Every value but the icon replaced by a mark of ours, to see what a start writes again.
  void Mark() {
    Set("VellumdeskFile", "mark");
    Set("VellumdeskFile\\shell", "mark");
    Set("VellumdeskFile\\shell\\open", "mark");
    Set("VellumdeskFile\\shell\\open\\command", "mark");
    Set("VellumdeskFile\\DefaultIcon", "mark");
  }

  HKEY root_ = nullptr;
  std::optional<ServiceOverride<const HKEY>> scratchRoot_;
};

TEST_F(AssociationTest, AFirstStartWhereTxtNamesAnotherTypeWritesAllSixValues) {
  Set(".txt", "txtfile");
  Start();
  EXPECT_EQ(All(), Written(app::ProgramFilePath()));
  for (const auto& [key, value] : All()) {
    DWORD type = 0;
    Value(key, &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << key;
  }
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(AssociationTest, ASecondStartFromTheSamePlaceWritesOnlyTheIcon) {
  Start();
  Stop();
  Mark();
  Start();
  Values expected{{"VellumdeskFile\\DefaultIcon", app::ProgramFilePath() + ",0"},
                  {".txt", "VellumdeskFile"},
                  {"VellumdeskFile", "mark"},
                  {"VellumdeskFile\\shell", "mark"},
                  {"VellumdeskFile\\shell\\open", "mark"},
                  {"VellumdeskFile\\shell\\open\\command", "mark"}};
  EXPECT_EQ(All(), expected);
}

TEST_F(AssociationTest, AMovedProgramMovesTheIconAndKeepsTheOldCommand) {
  app::WriteFileAssociation(root_, "C:\\Old\\Vellumdesk.exe");
  app::WriteFileAssociation(root_, "D:\\New\\Vellumdesk.exe");
  Values expected = Written("C:\\Old\\Vellumdesk.exe");
  expected["VellumdeskFile\\DefaultIcon"] = "D:\\New\\Vellumdesk.exe,0";
  EXPECT_EQ(All(), expected);
}

TEST_F(AssociationTest, TxtNamingTheTypeInOtherLettersRewritesEverything) {
  for (const char* other : {"vellumdeskfile", "VELLUMDESKFILE", "VellumdeskFile "}) {
    app::WriteFileAssociation(root_, "C:\\Old\\Vellumdesk.exe");
    Mark();
    Set(".txt", other);
    app::WriteFileAssociation(root_, "D:\\New\\Vellumdesk.exe");
    EXPECT_EQ(All(), Written("D:\\New\\Vellumdesk.exe")) << other;
  }
}

TEST_F(AssociationTest, AProgramPathWithBlanksIsWrittenUnquoted) {
  app::WriteFileAssociation(root_, "C:\\Program Files\\Vellumdesk\\Vellumdesk.exe");
  EXPECT_EQ(Value("VellumdeskFile\\shell\\open\\command"),
            "C:\\Program Files\\Vellumdesk\\Vellumdesk.exe \"%1\"");
  EXPECT_EQ(Value("VellumdeskFile\\DefaultIcon"),
            "C:\\Program Files\\Vellumdesk\\Vellumdesk.exe,0");
}

// A refused step ends the work there; what was written before it stays.
TEST_F(AssociationTest, ARefusedStepEndsTheWorkSilentlyAndKeepsWhatWasWritten) {
  const std::string program = "C:\\V\\Vellumdesk.exe";
  const std::string none = "<none>";
  const struct {
    const char* locked;
    Values expected;
  } cases[] = {
      {"VellumdeskFile",
       {{"VellumdeskFile\\DefaultIcon", none},
        {".txt", "txtfile"},
        {"VellumdeskFile", none},
        {"VellumdeskFile\\shell", none},
        {"VellumdeskFile\\shell\\open", none},
        {"VellumdeskFile\\shell\\open\\command", none}}},
      {".txt",
       {{"VellumdeskFile\\DefaultIcon", program + ",0"},
        {".txt", none},
        {"VellumdeskFile", none},
        {"VellumdeskFile\\shell", none},
        {"VellumdeskFile\\shell\\open", none},
        {"VellumdeskFile\\shell\\open\\command", none}}},
      {"VellumdeskFile\\shell",
       {{"VellumdeskFile\\DefaultIcon", program + ",0"},
        {".txt", "VellumdeskFile"},
        {"VellumdeskFile", "Text Document"},
        {"VellumdeskFile\\shell", none},
        {"VellumdeskFile\\shell\\open", none},
        {"VellumdeskFile\\shell\\open\\command", none}}},
  };
  for (const auto& c : cases) {
    TearDown();
    SetUp();
    if (std::string(c.locked) != ".txt")
      Set(".txt", "txtfile");
    Lock(c.locked);
    app::WriteFileAssociation(root_, program); // must not throw
    EXPECT_EQ(All(), c.expected) << "locked: " << c.locked;
  }
}

TEST_F(AssociationTest, ATxtValueThatIsNoStringEndsTheWorkAfterTheIcon) {
  const DWORD number = 7;
  ASSERT_EQ(RegSetKeyValueA(root_, ".txt", nullptr, REG_DWORD, &number, sizeof number),
            ERROR_SUCCESS);
  app::WriteFileAssociation(root_, "C:\\V\\Vellumdesk.exe");
  EXPECT_EQ(Value("VellumdeskFile\\DefaultIcon"), "C:\\V\\Vellumdesk.exe,0");
  EXPECT_EQ(Value("VellumdeskFile"), "<none>");
  EXPECT_EQ(Value("VellumdeskFile\\shell\\open\\command"), "<none>");
}

TEST_F(AssociationTest, AnUnwritableRootGivesNoMessageAndANormalStart) {
  Lock("VellumdeskFile");
  Lock(".txt");
  TfrmMain& frm = Start();
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(Captions(), Strings{"Untitled1"});
  EXPECT_EQ(frm.DocumentPaths(), Strings{""});
  EXPECT_EQ(frm.statusbar().PanelText(1), "1, 1");
}

TEST(Registry, OpensRelativeToTheCurrentKeyAndReadsDefaultStrings) {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VellumdeskTests\\Registry");
  HKEY root = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\VellumdeskTests\\Registry", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &root, nullptr),
            ERROR_SUCCESS);
  {
    forms::Registry reg(root);
    EXPECT_THROW(reg.OpenKey("a", false), forms::Error) << "a missing key without creating";
    reg.OpenKey("a", true);
    EXPECT_EQ(reg.ReadString(""), "") << "a missing value reads empty";
    reg.WriteString("", "in a");
    reg.OpenKey("b", true); // below a
    reg.WriteString("", "in a\\b");
    reg.CloseKey();
    reg.OpenKey("b", true); // below the root again
    reg.WriteString("", "in b");
    reg.CloseKey();
    reg.OpenKey("a\\b", false);
    EXPECT_EQ(reg.ReadString(""), "in a\\b");
    const DWORD number = 1;
    RegSetValueExA(reg.CurrentKey(), "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof number);
    EXPECT_THROW(reg.ReadString("n"), forms::Error);
    // A string stored without its closing zero comes back whole.
    RegSetValueExA(reg.CurrentKey(), "raw", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    EXPECT_EQ(reg.ReadString("raw"), "abc");
    reg.CloseKey();
    EXPECT_THROW(reg.WriteString("", "x"), forms::Error) << "no key open";
  }
  char data[64] = {};
  DWORD size = sizeof data;
  ASSERT_EQ(RegGetValueA(root, "a", nullptr, RRF_RT_REG_SZ, nullptr, data, &size), ERROR_SUCCESS);
  EXPECT_STREQ(data, "in a");
  size = sizeof data;
  ASSERT_EQ(RegGetValueA(root, "b", nullptr, RRF_RT_REG_SZ, nullptr, data, &size), ERROR_SUCCESS);
  EXPECT_STREQ(data, "in b");
  RegCloseKey(root);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VellumdeskTests\\Registry");
}

} // namespace
} // namespace vd::test
