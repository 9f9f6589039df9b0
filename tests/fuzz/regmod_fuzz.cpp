// Fuzz target for the key-path parser and the registry routines behind it: any text a host
// passes as a key path, value name or value. Checks that an accepted path is rewritten to what
// follows its first "\" and names the root of the table below, a refused one is left alone,
// a key is opened with no more than the routine needs (read or write), what is written under
// the current user reads back trimmed, a missing value reads as none, and no key is left open.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "doubles/memory_registry.h"
#include "fuzz/require.h"
#include "interface/regmod.h"

using tesk::fuzz::Require;

// The predefined keys by their exact names; any other name is no root (0).
tesk::platform::RegistryKey RootNamed(const std::string& name) {
  const std::pair<const char*, tesk::platform::RegistryKey> roots[] = {
      {"HKEY_CLASSES_ROOT", 0x80000000},  {"HKEY_CURRENT_USER", 0x80000001},
      {"HKEY_LOCAL_MACHINE", 0x80000002}, {"HKEY_USERS", 0x80000003},
      {"HKEY_PERFORMANCE_DATA", 0x80000004}, {"HKEY_CURRENT_CONFIG", 0x80000005},
      {"HKEY_DYN_DATA", 0x80000006}};
  for (const auto& [rootName, key] : roots) {
    if (name == rootName) return key;
  }
  return 0;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\n');
  const std::string path = input.substr(0, split);
  const std::string name = split == std::string::npos ? "" : input.substr(split + 1);

  std::string parsed = path;
  const auto root = tesk::regmod::ParseKeyPath(parsed);
  const bool accepted = path.rfind("HKEY_", 0) == 0 && path.back() != '\\';
  if (!accepted) Require(root == 0 && parsed == path);
  if (accepted) {
    const auto separator = path.find('\\');
    Require(parsed == (separator == std::string::npos ? "" : path.substr(separator + 1)));
    Require(root == RootNamed(path.substr(0, separator)));
  }

  tesk::test::MemoryRegistry registry;
  registry.AddKey(tesk::test::MemoryRegistry::kCurrentUser, parsed);
  std::string writePath = path;
  tesk::regmod::RegSetString(registry, writePath, name, name);
  Require(!root || registry.LastAccess() == tesk::platform::kRegistryWriteAccess);
  std::string readPath = path;
  const auto value = tesk::regmod::RegGetString(registry, readPath, name);
  Require(!root || registry.LastAccess() == tesk::platform::kRegistryReadAccess);
  Require(writePath == parsed && readPath == parsed);
  Require(registry.OpenKeyCount() == 0);
  if (root == tesk::test::MemoryRegistry::kCurrentUser) Require(value == Trimmed(name));
  std::string missingPath = path;
  Require(!tesk::regmod::RegGetString(registry, missingPath, name + '\0'));
  return 0;
}
