#include "core/TabCycle.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

// The Windows codes, as the program passes them.
constexpr TabKeys kKeys{0x09, 0x21, 0x22};

template <class Case> int TabKeyStep(const Case& c) {
  return TabStepForKey(kKeys, c.key, c.ctrl, c.shift, c.alt);
}

TEST(TabCycle, KeysGiveTheirDirectionOnlyWithCtrlAndWithoutAlt) {
  struct Case {
    unsigned key;
    bool ctrl, shift, alt;
    int step;
  };
  const Case cases[] = {
      {0x09, true, false, false, 1},  // Ctrl+Tab
      {0x09, true, true, false, -1},  // Ctrl+Shift+Tab
      {0x22, true, false, false, 1},  // Ctrl+Page Down
      {0x21, true, false, false, -1}, // Ctrl+Page Up
      {0x09, false, false, false, 0}, // Tab alone is the editor's
      {0x09, false, true, false, 0},  // Shift+Tab too
      {0x22, false, false, false, 0}, // Page Down alone
      {0x09, true, false, true, 0},   // Ctrl+Alt+Tab
      {0x21, true, false, true, 0},   // Ctrl+Alt+Page Up
      {0x22, true, true, false, 0},   // Ctrl+Shift+Page Down selects in the editor
      {0x21, true, true, false, 0},   {'N', true, false, false, 0}, // a menu shortcut is not ours
  };
  for (const auto& c : cases)
    EXPECT_EQ(TabKeyStep(c), c.step)
        << std::hex << c.key << " ctrl " << c.ctrl << " shift " << c.shift << " alt " << c.alt;
}

TEST(TabCycle, StepsWrapAtBothEnds) {
  struct Case {
    int current, count, step, expected;
  };
  const Case cases[] = {
      {0, 3, 1, 1},  {1, 3, 1, 2},    {2, 3, 1, 0},  // forward, wrapping from the last
      {2, 3, -1, 1}, {1, 3, -1, 0},   {0, 3, -1, 2}, // back, wrapping from the first
      {0, 1, 1, 0},  {0, 1, -1, 0},                  // one tab stays put
      {-1, 3, 1, 0}, {-1, 3, -1, 2},                 // no selection: from before the first
      {5, 3, 1, 0},                                  // a stale index is treated the same
      {0, 0, 1, -1}, {-1, 0, -1, -1},                // no tabs
  };
  for (const auto& c : cases)
    EXPECT_EQ(CycledTab(c.current, c.count, c.step), c.expected)
        << c.current << " of " << c.count << " by " << c.step;
}

TEST(TabCycle, GoingRoundComesBackWithEveryTabVisitedOnce) {
  for (int count = 1; count <= 5; ++count)
    for (int step : {1, -1}) {
      std::vector<int> seen(static_cast<size_t>(count), 0);
      int at = 0;
      for (int i = 0; i < count; ++i) {
        at = CycledTab(at, count, step);
        ++seen[static_cast<size_t>(at)];
      }
      EXPECT_EQ(at, 0) << count << " tabs, step " << step;
      EXPECT_EQ(seen, std::vector<int>(static_cast<size_t>(count), 1))
          << count << " tabs, step " << step;
    }
}

} // namespace
} // namespace vd
