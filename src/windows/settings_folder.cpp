#include "windows/settings_folder.h"

#include <algorithm>
#include <cctype>

#include "windows/product_table.h"

namespace tesk::windows {
namespace {

constexpr char kSettingsFile[] = "varn.dat";

std::string FolderName(const std::string& productSymbol) {
  const Product* product = FindProduct(productSymbol);
  const bool ownFolder = product != nullptr && !product->folderName.empty();
  return std::string(ownFolder ? product->folderName : kSharedSettingsFolderName);
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The form in which keys compare: without blanks at either end, in upper case.
std::string KeyForm(const std::string& key) {
  const auto first = key.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string trimmed = key.substr(first, key.find_last_not_of(' ') - first + 1);
  std::transform(trimmed.begin(), trimmed.end(), trimmed.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return trimmed;
}

}  // namespace

std::string SettingsFolder(platform::Environment& environment,
                           const std::string& productSymbol) {
  const std::string systemDirectory = environment.SystemDirectory();
  return LowerCase(systemDirectory.substr(0, systemDirectory.find('\0'))) + "\\" +
         FolderName(productSymbol);
}

bool IsArtworkProduct(const std::string& productSymbol) {
  const Product* product = FindProduct(productSymbol);
  return product != nullptr && product->hasArtwork;
}

std::optional<std::string> ArtworkFile(const WindowServices& services,
                                       const std::string& productSymbol,
                                       const std::string& fileName) {
  if (!IsArtworkProduct(productSymbol)) return std::nullopt;
  std::string path = SettingsFolder(services.environment, productSymbol) + "\\" + fileName;
  if (!services.files.FileExists(path)) return std::nullopt;
  return path;
}

std::string GetSettingValue(const WindowServices& services, const std::string& productSymbol,
                            const std::string& key) {
  const auto file = ArtworkFile(services, productSymbol, kSettingsFile);
  if (!file) return {};
  const std::string wanted = KeyForm(key);
  std::string value;
  services.files.ReadLines(*file, [&](const std::string& line) {
    const auto equals = line.find('=');
    if (equals != std::string::npos && KeyForm(line.substr(0, equals)) == wanted) {
      value = line.substr(equals + 1, line.find('=', equals + 1) - equals - 1);
    }
    return true;
  });
  return value;
}

}  // namespace tesk::windows
