// The parsing of key paths, the trimming of values and the closing of keys are held to their rule
// by tests/fuzz/regmod_fuzz.cpp; here what the fuzz target does not look at.
#include "interface/regmod.h"

#include <gtest/gtest.h>

#include "doubles/memory_registry.h"

namespace tesk {
namespace {

using test::MemoryRegistry;
constexpr auto kUser = MemoryRegistry::kCurrentUser;

TEST(RegistryValues, ReadAsksOnlyToReadAndGivesNothingForAMissingValue) {
  MemoryRegistry registry;
  registry.AddKey(kUser, "Software\\Maker");
  std::string path = "HKEY_CURRENT_USER\\Software\\Maker";
  EXPECT_EQ(regmod::RegGetString(registry, path, "Missing"), std::nullopt);
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryReadAccess);

  path = "HKEY_CURRENT_USER\\Software\\Maker";
  regmod::RegSetString(registry, path, "Name", "new");
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryWriteAccess);
}

}  // namespace
}  // namespace tesk
