#include "windows/window_artwork.h"

#include "windows/pass_over_failure.h"
#include "windows/settings_folder.h"

namespace tesk::windows {

void LoadArtworkIcon(platform::Form& form, const WindowServices& services,
                     const std::string& productSymbol) {
  if (const auto icon = ArtworkFile(services, productSymbol, "icon.ico")) {
    PassOverFailure([&] { form.LoadIcon(*icon); });
  }
}

void LoadArtworkPicture(platform::Form& form, const WindowServices& services,
                        const std::string& productSymbol, const std::string& control,
                        const std::string& fileName) {
  if (const auto picture = ArtworkFile(services, productSymbol, fileName)) {
    PassOverFailure([&] { form.LoadPicture(control, *picture); });
  }
}

}  // namespace tesk::windows
