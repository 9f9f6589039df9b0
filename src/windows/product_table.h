#pragma once
// The maker's products as the standard windows know them: display names, which products carry
// their own artwork, and where each keeps its settings folder.

#include <array>
#include <string_view>

namespace tesk::windows {

struct Product {
  std::string_view symbol;       // upper case, without blanks or hyphens
  std::string_view displayName;
  bool hasArtwork;               // icons and pictures come from its settings folder
  std::string_view folderName;   // its settings folder's name; empty: the shared one
};

constexpr std::string_view kSharedSettingsFolderName = "Varnsetting";

const std::array<Product, 9>& ProductTable();

// The first row whose symbol equals `symbol` exactly (case-sensitively), or nullptr.
const Product* FindProduct(std::string_view symbol);

}  // namespace tesk::windows
