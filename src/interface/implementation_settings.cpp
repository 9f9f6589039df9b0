#include "interface/implementation_settings.h"

#include "interface/regmod.h"

namespace tesk {
namespace {

constexpr char kDefaultUpdateServer[] = "http://update.tesklumora.com";
constexpr char kDefaultSupportPhone[] = "+1 (555) 010-0199";
constexpr unsigned kDefaultDownloadSeconds = 15;
constexpr unsigned kMostDownloadSeconds = 3600;

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

unsigned DownloadSeconds(platform::Registry& registry) {
  const std::string text = Setting(registry, "DownloadSeconds", "");
  unsigned seconds = 0;
  for (const char digit : text) {
    if (digit < '0' || digit > '9' || seconds > kMostDownloadSeconds) return kDefaultDownloadSeconds;
    seconds = seconds * 10 + static_cast<unsigned>(digit - '0');
  }
  return seconds >= 1 && seconds <= kMostDownloadSeconds ? seconds : kDefaultDownloadSeconds;
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
