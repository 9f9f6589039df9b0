#pragma once
// Picture files cut short: a copy interrupted, a download ended early. The system's picture
// loaders may wait for the missing bytes or show half a picture, so such a file is no picture.

#include <string_view>

namespace tesk::windows {

// True for a bitmap whose header promises more bytes than the file holds, and for a JPEG
// without its end-of-image marker (trailing zero padding allowed). Other formats are left to
// the loader.
bool IsCutPicture(std::string_view file);

}  // namespace tesk::windows
