#include "core/Association.h"

#include <gtest/gtest.h>

namespace vd::association {
namespace {

TEST(Association, TheTypeIsWrittenUnlessTxtNamesItExactly) {
  const struct {
    const char* txtValue;
    bool written;
  } cases[] = {
      {"", true},               // first start: no value yet
      {"txtfile", true},        // another type took it
      {"vellumdeskfile", true}, // letter case counts
      {"VELLUMDESKFILE", true},
      {"VellumdeskFile ", true}, // a trailing blank is another name
      {"VellumdeskFile", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NamesOurType(c.txtValue), !c.written) << c.txtValue;
    EXPECT_EQ(TypeSteps(c.txtValue, "C:\\V\\Vellumdesk.exe").empty(), !c.written) << c.txtValue;
  }
}

TEST(Association, TheFiveTypeValuesStandInOrderEachKeyBelowTheOneBefore) {
  const std::vector<KeyStep> expected{
      {true, ".txt", "VellumdeskFile"},
      {true, "VellumdeskFile", "Text Document"},
      {false, "shell", "open"},
      {false, "open", "&Open"},
      {false, "command", "C:\\V\\Vellumdesk.exe \"%1\""},
  };
  EXPECT_EQ(TypeSteps("txtfile", "C:\\V\\Vellumdesk.exe"), expected);
}

TEST(Association, TheIconNamesTheFirstIconOfTheProgramFile) {
  const std::vector<KeyStep> expected{{true, "VellumdeskFile", std::nullopt},
                                      {false, "DefaultIcon", "D:\\Moved\\Vellumdesk.exe,0"}};
  EXPECT_EQ(DefaultIconSteps("D:\\Moved\\Vellumdesk.exe"), expected);
}

TEST(Association, APathWithBlanksStaysUnquotedBeforeTheQuotedFileName) {
  EXPECT_EQ(OpenCommand("C:\\Program Files\\Vellumdesk\\Vellumdesk.exe"),
            "C:\\Program Files\\Vellumdesk\\Vellumdesk.exe \"%1\"");
  EXPECT_EQ(TypeSteps("", "C:\\A B\\v.exe").back().value, "C:\\A B\\v.exe \"%1\"");
}

} // namespace
} // namespace vd::association
