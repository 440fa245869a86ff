#include "core/Hint.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(Hint, SplitsAtTheFirstBarAndAHintWithoutOneServesAsBoth) {
  struct Case {
    const char* hint;
    const char* shortPart;
    const char* longPart;
  };
  const Case cases[] = {
      {"Save|Saves the active document", "Save", "Saves the active document"},
      {"Print", "Print", "Print"},
      {"", "", ""},
      {"|Only a long part", "", "Only a long part"},
      {"Only a short part|", "Only a short part", ""},
      {"a|b|c", "a", "b|c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortHintPart(c.hint), c.shortPart) << c.hint;
    EXPECT_EQ(LongHintPart(c.hint), c.longPart) << c.hint;
  }
}

} // namespace
} // namespace vd
