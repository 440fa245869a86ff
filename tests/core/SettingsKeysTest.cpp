#include "core/SettingsKeys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vd::settings {
namespace {

TEST(SettingsKeys, EveryKeyIsUniqueAndHistoryKeysAreNotInTheSingleKeyTable) {
  std::set<std::pair<std::string, std::string>> seen;
  for (const Key& k : AllKeys()) {
    EXPECT_TRUE(seen.insert({std::string(k.section), std::string(k.name)}).second)
        << k.section << "/" << k.name << " appears twice";
    EXPECT_NE(k.section, kHistorySection);
  }
  EXPECT_EQ(seen.size(), 19u);
}

} // namespace
} // namespace vd::settings
