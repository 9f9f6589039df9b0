#include "interface/implementation_settings.h"

#include "interface/regmod.h"

namespace tesk {
namespace {

constexpr char kDefaultUpdateServer[] = "http://update.tesklumora.com";
constexpr char kDefaultSupportPhone[] = "+1 (555) 010-0199";

std::string Setting(platform::Registry& registry, const char* name, const char* fallback) {
  for (const char* key : {"HKEY_CURRENT_USER\\Software\\TeskLumoraLib",
                          "HKEY_LOCAL_MACHINE\\Software\\TeskLumoraLib"}) {
    std::string path = key;
    // A value stored with its terminating NUL (as most programs store one) reads back with it.
    const std::string value = regmod::RegGetString(registry, path, name).value_or("");
    const std::string text = value.substr(0, value.find('\0'));
    if (!text.empty()) return text;
  }
  return fallback;
}

}  // namespace

std::string UpdateServer(platform::Registry& registry) {
  return Setting(registry, "UpdateServer", kDefaultUpdateServer);
}

std::string WebHost(platform::Registry& registry) {
  return Setting(registry, "WebHost", kDefaultWebHost);
}

std::string SupportHost(platform::Registry& registry) {
  return Setting(registry, "SupportHost", kDefaultSupportHost);
}

std::string SupportPhone(platform::Registry& registry) {
  return Setting(registry, "SupportPhone", kDefaultSupportPhone);
}

}  // namespace tesk
