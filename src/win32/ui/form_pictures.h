#pragma once
// Pictures and icons of the forms: the design-time ones from the DLL's resources, the others
// from files through the system's picture and icon loading.

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

#include "platform/form.h"
#include "win32/ui/user_objects.h"

namespace tesk::win32 {

using PicturePointer = Microsoft::WRL::ComPtr<IPicture>;

// Null for DesignPicture::None and when the resource cannot be had.
PicturePointer DesignPictureObject(platform::DesignPicture picture);

// Null when the file is missing, empty or not a picture the system can read.
PicturePointer PictureFromFile(const std::string& path);

// A window icon at the big and small icon sizes of a DPI.
struct IconPair {
  UniqueIcon large;
  UniqueIcon little;  // "small" is a macro of the RPC headers
};
IconPair DesignWindowIcons(int dpi);
// Either icon is null when the file cannot be read as an icon.
IconPair IconsFromFile(const std::string& path, int dpi);

// The size a picture that is not stretched takes on a form at `dpi`, in pixels. A bitmap's
// pixels are its size at 96 pixels per inch, which the windows' artwork is made for: it grows
// with the layout, as its place in the table does. Other pictures keep their own size.
SIZE PictureExtent(IPicture* picture, int dpi);

// The icon or cursor handle a picture holds, for use as a mouse pointer; null for other
// pictures. The picture keeps ownership.
HCURSOR CursorOfPicture(IPicture* picture);

}  // namespace tesk::win32
