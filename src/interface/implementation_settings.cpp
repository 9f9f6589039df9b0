#include "interface/implementation_settings.h"

#include "interface/regmod.h"

namespace tesk {
namespace {

constexpr char kDefaultUpdateServer[] = "http://update.tesklumora.com";

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

}  // namespace tesk
