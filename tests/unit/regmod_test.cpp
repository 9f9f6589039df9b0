// The parsing of key paths, the trimming of values and the closing of keys are held to their rule
// by tests/fuzz/regmod_fuzz.cpp; here what the fuzz target does not look at.
#include "interface/regmod.h"

#include <gtest/gtest.h>

#include "doubles/memory_registry.h"

namespace tesk {
namespace {

using test::MemoryRegistry;
constexpr auto kUser = MemoryRegistry::kCurrentUser;

TEST(RegistryValues, ReadAsksOnlyToReadAndGivesNothingForAMissingKeyOrValue) {
  MemoryRegistry registry;
  registry.SetRaw(kUser, "Software\\Maker", "Name", "value");
  const auto read = [&registry](std::string path, const std::string& name) {
    return regmod::RegGetString(registry, path, name);
  };
  EXPECT_EQ(read("HKEY_CURRENT_USER\\Software\\Maker", "Missing"), std::nullopt);
  EXPECT_EQ(read("HKEY_CURRENT_USER\\Software\\Maker", "Name"), "value");
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryReadAccess);

  std::string path = "HKEY_CURRENT_USER\\Software\\Maker";
  regmod::RegSetString(registry, path, "Name", "new");
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryWriteAccess);
  EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

}  // namespace
}  // namespace tesk
