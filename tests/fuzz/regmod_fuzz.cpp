// Fuzz target for the key-path parser and the registry routines behind it: any text a host
// passes as a key path, value name or value. Checks that an accepted path is rewritten to what
// follows its first "\", a refused one is left alone, and no key is ever left open.

#include <cstddef>
#include <cstdint>
#include <string>

#include "doubles/memory_registry.h"
#include "fuzz/require.h"
#include "interface/regmod.h"

using tesk::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\n');
  const std::string path = input.substr(0, split);
  const std::string name = split == std::string::npos ? "" : input.substr(split + 1);

  std::string parsed = path;
  const auto root = tesk::regmod::ParseKeyPath(parsed);
  const bool accepted = path.rfind("HKEY_", 0) == 0 && path.back() != '\\';
  if (!accepted) Require(root == 0 && parsed == path);
  if (accepted) {
    const auto separator = path.find('\\');
    Require(parsed == (separator == std::string::npos ? "" : path.substr(separator + 1)));
  }

  tesk::test::MemoryRegistry registry;
  registry.AddKey(tesk::test::MemoryRegistry::kCurrentUser, parsed);
  std::string writePath = path;
  tesk::regmod::RegSetString(registry, writePath, name, name);
  std::string readPath = path;
  const auto value = tesk::regmod::RegGetString(registry, readPath, name);
  Require(writePath == parsed && readPath == parsed);
  Require(registry.OpenKeyCount() == 0);
  if (value && name.find_first_not_of(' ') != std::string::npos) {
    Require(value->front() != ' ' && value->back() != ' ');
  }
  return 0;
}
