#pragma once
// Settings of this implementation: built-in defaults that a user's or the machine's registry
// value under "Software\TeskLumoraLib" overrides (the user's first), so that installations
// and tests can point the library elsewhere.

#include <string>

#include "platform/registry.h"

namespace tesk {

// The built-in host names, which the windows' tables also show as their design texts.
constexpr char kDefaultWebHost[] = "www.tesklumora.com";
constexpr char kDefaultSupportHost[] = "support.tesklumora.com";

// The update server, as "https://host[:port][/folder]" (or "http://..."); "/downloads/..." is
// appended to it. Value "UpdateServer".
std::string UpdateServer(platform::Registry& registry);

// How long a download from the update server may take in all, connecting included: a whole
// number of seconds from 1 to 3600, else the default of 15. Value "DownloadSeconds".
unsigned DownloadSeconds(platform::Registry& registry);

// The maker's web site, a bare host name such as "www.example.com". Value "WebHost".
std::string WebHost(platform::Registry& registry);

// The support site, a bare host name. Value "SupportHost".
std::string SupportHost(platform::Registry& registry);

// The telephone number for support calls, as it is shown. Value "SupportPhone".
std::string SupportPhone(platform::Registry& registry);

}  // namespace tesk
