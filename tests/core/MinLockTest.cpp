#include "core/MinLock.h"

#include <gtest/gtest.h>

#include <string>

namespace vd::minlock {
namespace {

TEST(MinLock, ScrambleAddsTheKeyBytePositionByPositionModulo256) {
  const std::string password = std::string("ab") + '\xF0' + "Z";
  const std::string s = Scramble(password);
  ASSERT_EQ(s.size(), password.size());
  for (size_t i = 0; i < password.size(); ++i)
    EXPECT_EQ(static_cast<unsigned char>(s[i]), (static_cast<unsigned char>(password[i]) +
                                                 static_cast<unsigned char>(kMinLockKey[i])) %
                                                    256)
        << "byte " << i;
  // 'a' + 'S' = 97 + 83; 0xF0 + 'l' (108) wraps to 92.
  EXPECT_EQ(static_cast<unsigned char>(s[0]), 180);
  EXPECT_EQ(static_cast<unsigned char>(s[2]), 92);
  EXPECT_EQ(Unscramble(s), password);
}

TEST(MinLock, EveryByteAtEveryPositionComesBack) {
  for (size_t pos = 0; pos < kMinLockKey.size(); ++pos)
    for (int b = 0; b < 256; ++b) {
      std::string p(pos + 1, 'x');
      p[pos] = static_cast<char>(b);
      ASSERT_EQ(Unscramble(Scramble(p)), p) << "byte " << b << " at " << pos;
    }
}

TEST(MinLock, TheKeyIsNeverRepeated) {
  EXPECT_EQ(kMinLockKey.size(), 26u);
  EXPECT_NO_THROW(Scramble(std::string(26, 'q')));
  EXPECT_THROW(Scramble(std::string(27, 'q')), RangeCheckError);
  EXPECT_THROW(Unscramble(std::string(27, 'q')), RangeCheckError);
  EXPECT_STREQ(RangeCheckError().what(), "Range check error");
  EXPECT_EQ(Scramble(""), "");
}

TEST(MinLock, AStoredValueTooLongForTheKeyStandsForNoTypablePassword) {
  EXPECT_EQ(StoredPassword(""), "");
  EXPECT_EQ(StoredPassword(Scramble("Secret")), "Secret");
  EXPECT_EQ(StoredPassword(std::string(40, 'x')), std::nullopt);
}

TEST(MinLock, ValuesTheSettingsFileWouldChangeAreRecognised) {
  struct Case {
    std::string value;
    bool survives;
  };
  const Case cases[] = {
      {"", true},
      {"abc", true},
      {"a b", true},   // inner blanks are kept
      {"\"abc", true}, // one quote is kept
      {"a\"b\"", true},
      {std::string("a\0b", 3), false},
      {"a\rb", false},
      {"a\nb", false},
      {" abc", false},
      {"abc ", false},
      {"\tabc", false},
      {"abc\x1A", false},
      {"\xA0"
       "abc",
       false},
      {"\"abc\"", false}, // enclosing quotes are dropped on reading
      {"'abc'", false},
      {"'abc\"", true},
      {"\"", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SurvivesSettingsFile(c.value), c.survives) << c.value;
}

} // namespace
} // namespace vd::minlock
