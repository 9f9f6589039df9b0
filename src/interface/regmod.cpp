#include "interface/regmod.h"

#include <array>
#include <utility>

namespace tesk::regmod {
namespace {

using platform::OpenedKey;
using platform::RegistryKey;

constexpr std::array<std::pair<const char*, RegistryKey>, 7> kRootKeys{{
    {"HKEY_CLASSES_ROOT", 0x80000000},
    {"HKEY_CURRENT_USER", 0x80000001},
    {"HKEY_LOCAL_MACHINE", 0x80000002},
    {"HKEY_USERS", 0x80000003},
    {"HKEY_PERFORMANCE_DATA", 0x80000004},
    {"HKEY_CURRENT_CONFIG", 0x80000005},
    {"HKEY_DYN_DATA", 0x80000006},
}};

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

RegistryKey RootKeyFromName(const std::string& name) {
  for (const auto& [rootName, key] : kRootKeys) {
    if (name == rootName) return key;
  }
  return 0;
}

RegistryKey ParseKeyPath(std::string& path) {
  if (path.compare(0, 5, "HKEY_") != 0 || path.back() == '\\') return 0;
  const auto separator = path.find('\\');
  if (separator == std::string::npos) {
    const RegistryKey root = RootKeyFromName(path);
    path.clear();
    return root;
  }
  const RegistryKey root = RootKeyFromName(path.substr(0, separator));
  path.erase(0, separator + 1);
  return root;
}

std::optional<std::string> RegGetString(platform::Registry& registry, std::string& path,
                                        const std::string& valueName) {
  const RegistryKey root = ParseKeyPath(path);
  if (root == 0) return std::nullopt;
  const OpenedKey key(registry, root, path, platform::kRegistryReadAccess);
  if (!key.IsOpen()) return std::nullopt;
  // The buffer starts as spaces; whatever the query does not overwrite is trimmed away again.
  const auto query = registry.Query(key.Get(), valueName, kReadBufferSize);
  if (query.status != platform::kRegistrySuccess) return std::nullopt;
  return TrimSpaces(query.data);
}

void RegSetString(platform::Registry& registry, std::string& path, const std::string& valueName,
                  const std::string& value) {
  const RegistryKey root = ParseKeyPath(path);
  if (root == 0) return;
  const OpenedKey key(registry, root, path, platform::kRegistryWriteAccess);
  if (key.IsOpen()) registry.SetString(key.Get(), valueName, value);
}

}  // namespace tesk::regmod
