// Fuzz target for the reader of the settings file "varn.dat": the input is the key, a NUL, then
// the file. Rather than read the file a second way, it holds the reader to its contract
// (settings_folder.h) by comparing answers: a value never spans an "=" or a line break and stands
// after an "=" in the file; the key is found whatever its case and the blanks around it; a line
// added at the end decides, one added at the start changes no value found.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "doubles/window_doubles.h"
#include "fuzz/require.h"
#include "windows/settings_folder.h"

namespace {

using tesk::fuzz::Require;

constexpr char kProduct[] = "TESKLEDGER";  // carries its own artwork

// The product's settings file, with whatever content it is given.
class SettingsFile : tesk::test::WindowDoubles {
 public:
  std::string ValueOf(const std::string& key, const std::string& content) {
    files.files[path_] = content;
    files.touched.clear();
    return tesk::windows::GetSettingValue(services, kProduct, key);
  }

 private:
  const std::string path_ = tesk::windows::SettingsFolder(files, kProduct) + "\\varn.dat";
};

std::string Cased(std::string text, int (*change)(int)) {
  for (char& c : text) c = static_cast<char>(change(static_cast<unsigned char>(c)));
  return text;
}

// Whether `value` follows an "=" somewhere in `content` and ends where a value can end.
bool StandsAfterAnEquals(const std::string& content, const std::string& value) {
  const std::string wanted = "=" + value;
  for (auto at = content.find(wanted); at != std::string::npos; at = content.find(wanted, at + 1)) {
    const std::size_t end = at + wanted.size();
    if (end == content.size() ||
        std::string_view("=\r\n").find(content[end]) != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SettingsFile file;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  const std::string key = input.substr(0, split);
  const std::string content = split == std::string::npos ? "" : input.substr(split + 1);

  const std::string value = file.ValueOf(key, content);
  Require(value.find_first_of("=\r\n") == std::string::npos);
  Require(value.empty() || StandsAfterAnEquals(content, value));
  Require(file.ValueOf(Cased(key, std::toupper), content) == value);
  Require(file.ValueOf(Cased(key, std::tolower), content) == value);
  Require(file.ValueOf("  " + key + " ", content) == value);

  // A key that a line can carry: lines added around the file with it.
  if (key.find_first_of("=\r\n") != std::string::npos) return 0;
  Require(file.ValueOf(key, content + "\n " + Cased(key, std::tolower) + " = v =w") == " v ");
  if (!value.empty()) Require(file.ValueOf(key, key + "=first\n" + content) == value);
  return 0;
}
