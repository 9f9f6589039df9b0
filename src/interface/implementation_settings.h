#pragma once
// Settings of this implementation: built-in defaults that a user's or the machine's registry
// value under "Software\TeskLumoraLib" overrides (the user's first), so that installations
// and tests can point the library elsewhere.

#include <string>

#include "platform/registry.h"

namespace tesk {

// The update server, as "http://host[:port][/folder]"; "/downloads/..." is appended to it.
// Value "UpdateServer".
std::string UpdateServer(platform::Registry& registry);

}  // namespace tesk
