#pragma once
// Registry string values named by a textual key path such as
// "HKEY_CURRENT_USER\Software\Maker\Product". No routine here reports an error: an unusable
// path, a missing key or value, or a failed write gives an empty read or no change.

#include <optional>
#include <string>

#include "platform/registry.h"

namespace tesk::regmod {

// Characters the read buffer holds; longer values read back as nothing.
constexpr std::uint32_t kReadBufferSize = 25000;

// The predefined key for an exact, case-sensitive root-key name ("HKEY_LOCAL_MACHINE"), or 0.
platform::RegistryKey RootKeyFromName(const std::string& name);

// Splits `path` into its root key and subkey. An accepted path is rewritten to the subkey part
// (the text after the first "\", or empty for a bare root name); a path not beginning with
// "HKEY_" or ending with "\" gives root 0 and stays as it is.
platform::RegistryKey ParseKeyPath(std::string& path);

// The value's text with spaces trimmed from both ends (a stored terminating NUL is kept),
// or nothing when the path, key or value cannot be used.
std::optional<std::string> RegGetString(platform::Registry& registry, std::string& path,
                                        const std::string& valueName);

// Writes an existing key's string value; keys are never created.
void RegSetString(platform::Registry& registry, std::string& path, const std::string& valueName,
                  const std::string& value);

}  // namespace tesk::regmod
