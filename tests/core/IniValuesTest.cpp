#include "core/IniValues.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

struct IntegerCase {
  const char* text;
  int32_t expected; // with the default 77
};

TEST(IniValues, IntegersFollowTheHexPrefixRuleAndFallBackToTheDefault) {
  const IntegerCase cases[] = {
      {"16", 16},
      {"-2147483643", -2147483643},
      {"+5", 5},
      {"0x10", 16},
      {"0X1f", 31},
      {"0xFFFFFFFF", -1},
      {"0x80000005", static_cast<int32_t>(0x80000005u)},
      {"0x", 77},          // two characters only: read as decimal, which it is not
      {"0x1G", 77},        // bad hex digit
      {"0x100000000", 77}, // more than 32 bits
      {"abc", 77},
      {"", 77},
      {"12a", 77},
      {" 12", 77},
      {"2147483648", 77}, // out of range
      {"-2147483648", INT32_MIN},
      {"-", 77},
      {"+-1", 77},
      {"010", 10}, // leading zeros are decimal, not octal
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadIniInteger(c.text, 77), c.expected) << "text '" << c.text << "'";
  }
}

TEST(IniValues, BooleansAreAnyNonZeroInteger) {
  EXPECT_TRUE(ReadIniBool("2", false));
  EXPECT_TRUE(ReadIniBool("-1", false));
  EXPECT_FALSE(ReadIniBool("0", true));
  EXPECT_TRUE(ReadIniBool("yes", true));
  EXPECT_FALSE(ReadIniBool("yes", false));
  EXPECT_EQ(FormatIniBool(ReadIniBool("2", false)), "1");
}

TEST(IniValues, ColoursRoundTripAsSignedDecimal) {
  EXPECT_EQ(FormatIniColour(kColourWindowBackground), "-2147483643");
  EXPECT_EQ(ReadIniColour("-2147483643", 0), kColourWindowBackground);
  EXPECT_TRUE(IsSystemColour(ReadIniColour("-2147483643", 0)));
  EXPECT_EQ(SystemColourIndex(kColourWindowBackground), 5);
  EXPECT_EQ(ReadIniColour("255", 0), 0x0000FFu);
  EXPECT_FALSE(IsSystemColour(0x00FFFFFFu));
  for (Colour c : {0u, 0x00FFFFFFu, 0x00123456u, 0x80000000u, 0x8000000Fu})
    EXPECT_EQ(ReadIniColour(FormatIniColour(c), 1), c) << c;
}

} // namespace
} // namespace vd
