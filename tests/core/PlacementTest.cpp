#include "core/Placement.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(Placement, CentreOverTruncatesTowardsZero) {
  const struct {
    Bounds main;
    int w, h;
    Bounds expected;
  } cases[] = {
      {{268, 124, 710, 506}, 300, 100, {268 + 355 - 150, 124 + 253 - 50, 300, 100}},
      {{0, 0, 101, 51}, 31, 11, {50 - 15, 25 - 5, 31, 11}},
      // A main window far off to the left: -7 div 2 is -3 (towards zero), not -4.
      {{-40, -20, 10, 10}, 7, 7, {-40 + 5 - 3, -20 + 5 - 3, 7, 7}},
      {{-1001, 0, 1, 1}, 201, 3, {-1001 + 0 - 100, 0 - 1, 201, 3}},
  };
  for (const auto& c : cases) {
    const Bounds got = CentreOver(c.main, c.w, c.h);
    EXPECT_EQ(got, c.expected) << "got " << got.left << "," << got.top << " expected "
                               << c.expected.left << "," << c.expected.top;
  }
}

} // namespace
} // namespace vd
