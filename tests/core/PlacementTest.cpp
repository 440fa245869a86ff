#include "core/Placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

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

const Bounds kDesign{268, 124, 710, 506};
const std::vector<Bounds> kOneScreen{{0, 0, 1280, 994}};
// Two side by side, the second taller and starting higher: a gap above the first.
const std::vector<Bounds> kTwoScreens{{0, 0, 1280, 994}, {1280, -200, 1024, 1200}};

TEST(Placement, UsesAUsableRectangleExactlyAndReplacesOthers) {
  const struct {
    const char* what;
    Bounds stored;
    const std::vector<Bounds>& screens;
    bool usable;
  } cases[] = {
      {"the design bounds", kDesign, kOneScreen, true},
      {"odd but usable", {3, 7, 201, 151}, kOneScreen, true},
      {"the smallest size", {0, 0, kMinUsableWidth, kMinUsableHeight}, kOneScreen, true},
      {"one pixel too narrow", {0, 0, kMinUsableWidth - 1, 400}, kOneScreen, false},
      {"one pixel too low", {0, 0, 400, kMinUsableHeight - 1}, kOneScreen, false},
      {"zero size", {100, 100, 0, 0}, kOneScreen, false},
      {"negative size", {100, 100, -500, -300}, kOneScreen, false},
      {"far left", {-32000, 100, 710, 506}, kOneScreen, false},
      {"far right", {32000, 100, 710, 506}, kOneScreen, false},
      {"far up", {100, -32000, 710, 506}, kOneScreen, false},
      {"far down", {100, 32000, 710, 506}, kOneScreen, false},
      {"caption just above the screen", {100, -1, 710, 506}, kOneScreen, false},
      {"caption just fits at the bottom",
       {100, 994 - kMinCaptionVisible, 710, 506},
       kOneScreen,
       true},
      {"caption one pixel lower", {100, 994 - kMinCaptionVisible + 1, 710, 506}, kOneScreen, false},
      {"mostly off the left, enough caption left",
       {-710 + kMinCaptionVisible, 10, 710, 506},
       kOneScreen,
       true},
      {"one pixel less of it", {-710 + kMinCaptionVisible - 1, 10, 710, 506}, kOneScreen, false},
      {"on the second screen only", {1500, -150, 700, 500}, kTwoScreens, true},
      {"in the gap above the first screen", {100, -150, 700, 500}, kTwoScreens, false},
      {"no screens at all", kDesign, {}, false},
      {"extreme values do not wrap", {INT_MAX, INT_MAX, INT_MAX, INT_MAX}, kOneScreen, false},
      {"extreme negative values", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kOneScreen, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlacementIsUsable(c.stored, c.screens), c.usable) << c.what;
    EXPECT_EQ(CheckedPlacement(c.stored, kDesign, c.screens), c.usable ? c.stored : kDesign)
        << c.what;
  }
}

// Random rectangles against random screens, judged by counting pixels of the caption strip
// instead of by arithmetic on the edges.
TEST(Placement, AgreesWithAPixelCountForRandomRectangles) {
  std::mt19937 rng(2026);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int usableSeen = 0, replacedSeen = 0;
  for (int round = 0; round < 2000; ++round) {
    std::vector<Bounds> screens;
    for (int n = pick(1, 3); n > 0; --n)
      screens.push_back({pick(-300, 300), pick(-300, 300), pick(100, 900), pick(100, 900)});
    const Bounds b{pick(-700, 700), pick(-700, 700), pick(-50, 700), pick(-50, 500)};
    bool expected = false;
    if (b.width >= kMinUsableWidth && b.height >= kMinUsableHeight) {
      for (const Bounds& m : screens) {
        int columns = 0;
        for (int x = b.left; x < b.left + b.width; ++x) {
          bool wholeColumn = true;
          for (int y = b.top; y < b.top + kMinCaptionVisible; ++y)
            wholeColumn = wholeColumn && x >= m.left && x < m.left + m.width && y >= m.top &&
                          y < m.top + m.height;
          columns += wholeColumn;
        }
        expected = expected || columns >= kMinCaptionVisible;
      }
    }
    ASSERT_EQ(PlacementIsUsable(b, screens), expected)
        << "round " << round << ": " << b.left << "," << b.top << " " << b.width << "x" << b.height;
    (expected ? usableSeen : replacedSeen)++;
    // Random 32-bit values must get an answer too (no overflow trap).
    const Bounds wild{static_cast<int>(rng()), static_cast<int>(rng()), static_cast<int>(rng()),
                      static_cast<int>(rng())};
    (void)CheckedPlacement(wild, kDesign, screens);
  }
  EXPECT_GT(usableSeen, 200);
  EXPECT_GT(replacedSeen, 200);
}

} // namespace
} // namespace vd
