#include "interface/regmod.h"

#include <gtest/gtest.h>

#include "doubles/memory_registry.h"

namespace tesk {
namespace {

using test::MemoryRegistry;
constexpr auto kUser = MemoryRegistry::kCurrentUser;

TEST(ParseKeyPath, KnowsTheSevenRootsExactlyAndSplitsAtTheFirstBackslash) {
  const char* roots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                         "HKEY_USERS", "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                         "HKEY_DYN_DATA"};
  for (platform::RegistryKey key = 0; key < 7; ++key) {
    EXPECT_EQ(regmod::RootKeyFromName(roots[key]), 0x80000000u + key) << roots[key];
  }
  EXPECT_EQ(regmod::RootKeyFromName("HKCU"), 0u);
  EXPECT_EQ(regmod::RootKeyFromName("HKEY_CURRENT_USER "), 0u);

  const struct {
    std::string path;
    platform::RegistryKey root;
    std::string rewritten;
  } cases[] = {
      {"HKEY_CURRENT_USER\\Software\\Maker", kUser, "Software\\Maker"},
      {"HKEY_LOCAL_MACHINE", 0x80000002, ""},
      {"HKEY_NOWHERE\\Software", 0, "Software"},  // accepted shape, unknown root
      {"HKEY_NOWHERE", 0, ""},
      {"hkey_current_user\\Software", 0, "hkey_current_user\\Software"},
      {"HKEY_CURRENT_USER\\Software\\", 0, "HKEY_CURRENT_USER\\Software\\"},
      {"HKEY_CURRENT_USER\\", 0, "HKEY_CURRENT_USER\\"},
      {"HKEY", 0, "HKEY"},
      {"", 0, ""},
      {"Software\\HKEY_CURRENT_USER", 0, "Software\\HKEY_CURRENT_USER"},
  };
  for (const auto& c : cases) {
    std::string path = c.path;
    EXPECT_EQ(regmod::ParseKeyPath(path), c.root) << c.path;
    EXPECT_EQ(path, c.rewritten) << c.path;
  }
}

class RegistryValues : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry.OpenKeyCount(), 0u) << "a key was left open"; }

  std::optional<std::string> Read(std::string path, const std::string& name,
                                  std::string* left = nullptr) {
    auto value = regmod::RegGetString(registry, path, name);
    if (left) *left = path;
    return value;
  }
  // Returns what the call left in the caller's path.
  std::string Write(std::string path, const std::string& name, const std::string& value) {
    regmod::RegSetString(registry, path, name, value);
    return path;
  }

  MemoryRegistry registry;
};

TEST_F(RegistryValues, ReadTrimsSpacesButKeepsAStoredNul) {
  registry.SetRaw(kUser, "Software\\Maker", "Plain", "  two words  ");
  registry.SetRaw(kUser, "Software\\Maker", "WithNul", std::string("text\0", 5));
  registry.SetRaw(kUser, "Software\\Maker", "Blank", "     ");
  registry.SetRaw(kUser, "Software\\Maker", "", "default");

  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker", "Plain"), "two words");
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker", "WithNul"), std::string("text\0", 5));
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker", "Blank"), "");
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker", ""), "default");
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryReadAccess);
}

TEST_F(RegistryValues, ReadGivesNothingForUnusablePathsKeysAndValues) {
  registry.SetRaw(kUser, "Software\\Maker", "Name", "value");
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker", "Missing"), std::nullopt);
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Other", "Name"), std::nullopt);
  EXPECT_EQ(Read("hkey_current_user\\Software\\Maker", "Name"), std::nullopt);
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Software\\Maker\\", "Name"), std::nullopt);
  std::string left;
  EXPECT_EQ(Read("HKEY_NOWHERE\\Software\\Maker", "Name", &left), std::nullopt);
  EXPECT_EQ(left, "Software\\Maker") << "an accepted shape is rewritten even for an unknown root";
  EXPECT_FALSE(registry.HasKey(kUser, "Software\\Other"));
}

TEST_F(RegistryValues, ReadBufferHoldsExactly25000Bytes) {
  registry.SetRaw(kUser, "Big", "Fits", std::string(regmod::kReadBufferSize, 'x'));
  registry.SetRaw(kUser, "Big", "TooLong", std::string(regmod::kReadBufferSize + 1, 'x'));
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Big", "Fits")->size(), regmod::kReadBufferSize);
  EXPECT_EQ(Read("HKEY_CURRENT_USER\\Big", "TooLong"), std::nullopt);
}

TEST_F(RegistryValues, RootOnlyPathUsesTheRootKeyItself) {
  registry.AddKey(kUser, "");
  Write("HKEY_CURRENT_USER", "AtRoot", "here");
  EXPECT_EQ(registry.Raw(kUser, "", "AtRoot"), "here");
  EXPECT_EQ(Read("HKEY_CURRENT_USER", "AtRoot"), "here");
}

TEST_F(RegistryValues, WriteStoresTheTextWithoutNulAndNeverCreatesKeys) {
  registry.AddKey(kUser, "Software\\Maker");
  EXPECT_EQ(Write("HKEY_CURRENT_USER\\Software\\Maker", "Name", "value"), "Software\\Maker");
  Write("HKEY_CURRENT_USER\\Software\\Maker", "", "default");
  EXPECT_EQ(registry.LastAccess(), platform::kRegistryWriteAccess);
  EXPECT_EQ(registry.Raw(kUser, "Software\\Maker", "Name"), "value");
  EXPECT_EQ(registry.Raw(kUser, "Software\\Maker", ""), "default");

  Write("HKEY_CURRENT_USER\\Software\\Missing", "Name", "value");
  EXPECT_EQ(Write("HKEY_CURRENT_USER\\Software\\Maker\\", "Trailing", "value"),
            "HKEY_CURRENT_USER\\Software\\Maker\\") << "a refused path is left alone";
  Write("hkey_current_user\\Software\\Maker", "Lower", "value");
  EXPECT_FALSE(registry.HasKey(kUser, "Software\\Missing"));
  EXPECT_FALSE(registry.HasValue(kUser, "Software\\Maker", "Trailing"));
  EXPECT_FALSE(registry.HasValue(kUser, "Software\\Maker", "Lower"));
}

}  // namespace
}  // namespace tesk
