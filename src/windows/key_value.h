#pragma once
// One registry value as text, read the way the About window looks for the system-information
// program: strings as they are stored, double words as "&h" and their hexadecimal digits.

#include <string>

#include "platform/registry.h"

namespace tesk::windows {

constexpr platform::RegistryKey kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE

// Reads `valueName` of the key `keyName` below `root` into `value`: a string value without its
// terminating NUL, a double word as "&h" and upper-case hex digits; a value of another type
// leaves `value` as it was. False, with `value` empty, when the key cannot be opened or the
// value cannot be read into 1024 bytes.
bool GetKeyValue(platform::Registry& registry, platform::RegistryKey root,
                 const std::string& keyName, const std::string& valueName, std::string& value);

}  // namespace tesk::windows
