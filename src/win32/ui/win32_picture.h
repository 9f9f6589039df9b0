#pragma once
// A picture object (IPicture) as the cmd button sees pictures.

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "platform/picture.h"

namespace tesk::win32 {

class Win32Picture final : public platform::Picture {
 public:
  explicit Win32Picture(IPicture* picture) : picture_(picture) {}

  platform::PictureType Type() const override;
  std::int32_t WidthHimetric() const override;
  std::int32_t HeightHimetric() const override;
  std::vector<std::int32_t> Pixels(std::int32_t width, std::int32_t height,
                                   std::int32_t background) const override;

  IPicture* Get() const { return picture_.Get(); }

 private:
  std::vector<std::int32_t> Render(std::int32_t width, std::int32_t height,
                                   std::int32_t background) const;

  Microsoft::WRL::ComPtr<IPicture> picture_;
  // A picture object does not change: the last image asked for is kept, as a button asks for
  // the same one at every repaint.
  struct Rendered {
    std::int32_t width = -1;
    std::int32_t height = -1;
    std::int32_t background = 0;
    std::vector<std::int32_t> pixels;
  };
  mutable Rendered last_;
};

}  // namespace tesk::win32
