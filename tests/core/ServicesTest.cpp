// The replaceable-service slot every stand-in of the program goes through.
#include "core/Services.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

struct Greeter {
  virtual ~Greeter() = default;
  virtual std::string Greet() const = 0;
};

struct NamedGreeter final : Greeter {
  explicit NamedGreeter(std::string name) : name(std::move(name)) {}
  std::string Greet() const override { return name; }
  std::string name;
};

TEST(Service, GivesTheRealOneUntilAReplacementIsInstalledAndAfterItIsTakenOut) {
  NamedGreeter real("real"), stand("stand-in");
  Service<Greeter> slot(real);
  EXPECT_EQ(slot.Get().Greet(), "real");
  EXPECT_FALSE(slot.IsReplaced());

  EXPECT_EQ(slot.Install(&stand), nullptr) << "the real one was in force";
  EXPECT_EQ(slot.Get().Greet(), "stand-in");
  EXPECT_TRUE(slot.IsReplaced());

  EXPECT_EQ(slot.Install(nullptr), &stand);
  EXPECT_EQ(slot.Get().Greet(), "real");
  EXPECT_FALSE(slot.IsReplaced());
}

TEST(Service, OverridesNestAndEachPutsBackWhatWasInForceBeforeIt) {
  NamedGreeter real("real"), outer("outer"), inner("inner");
  Service<Greeter> slot(real);
  {
    ServiceOverride<Greeter> a(slot, outer);
    EXPECT_EQ(slot.Get().Greet(), "outer");
    {
      ServiceOverride<Greeter> b(slot, inner);
      EXPECT_EQ(slot.Get().Greet(), "inner");
    }
    EXPECT_EQ(slot.Get().Greet(), "outer") << "the inner override must not drop the outer one";
  }
  EXPECT_EQ(slot.Get().Greet(), "real");
  EXPECT_FALSE(slot.IsReplaced());
}

TEST(Service, AnOverrideOverAPermanentInstallPutsTheInstallBack) {
  NamedGreeter real("real"), installed("installed"), scoped("scoped");
  Service<Greeter> slot(real);
  slot.Install(&installed); // as a test program's main does for the whole run
  {
    ServiceOverride<Greeter> o(slot, scoped);
    EXPECT_EQ(slot.Get().Greet(), "scoped");
  }
  EXPECT_EQ(slot.Get().Greet(), "installed");
}

TEST(Service, HoldsPlainValuesAsWellAsInterfaces) {
  const std::string realName = "Program.ini";
  Service<const std::string> name(realName);
  const std::string testName = "Test.ini";
  {
    ServiceOverride<const std::string> o(name, testName);
    EXPECT_EQ(name.Get(), "Test.ini");
  }
  EXPECT_EQ(name.Get(), "Program.ini");
  EXPECT_EQ(&name.Get(), &realName) << "the slot hands out the real object, not a copy";
}

} // namespace
} // namespace vd
