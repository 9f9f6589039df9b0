// Fuzz target for the cmd button's restore from a property bag (Cmd::ReadProperties): whatever
// the bag holds, reading it throws nothing but ConversionError, and the control then sizes and
// paints in every state as its window does after a bag it could not read in full. A bag it reads
// in full round-trips: every value that already has the type the control saves comes back the
// same (but the pointer and its icon, which follow HAND), and what it saves, another control reads
// and saves the same.
//
// The input: the control's width and height (a byte each), then entries to the end: a key byte
// (one of the control's keys, the host's extent or an unknown one), a type byte, then the value:
// empty, Integer, Long, Boolean, text (length byte, bytes), font or picture. Missing bytes read 0.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "button/cmd.h"
#include "doubles/raster_host.h"
#include "fuzz/require.h"
#include "platform/raster/memory_picture.h"

namespace {

using tesk::button::Cmd;
using tesk::button::PicturePtr;
using tesk::button::PropertyBag;
using tesk::button::PropertyValue;
using tesk::fuzz::Require;
using tesk::platform::MemoryPicture;
using tesk::platform::PictureType;

constexpr const char* kKeys[] = {
    "BTYPE", "TX",   "ENAB", "FONT",  "COLTYPE", "FOCUSR",   "BCOL",  "BCOLO", "FCOL",
    "FCOLO", "MCOL", "MPTR", "MICON", "PICN",    "PICH",     "UMCOL", "SOFT",  "PICPOS",
    "NGREY", "FX",   "HAND", "CHECK", "VALUE",   "_ExtentX", "Other"};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool AtEnd() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  template <typename Number>
  Number Read() {
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < sizeof(Number); ++i) bits |= std::uint64_t{Byte()} << (8 * i);
    return static_cast<Number>(bits);
  }
  std::string Text() {
    std::string text(Byte(), '\0');
    for (char& c : text) c = static_cast<char>(Byte());
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

tesk::button::FontDescription FontFrom(Input& in) {
  tesk::button::FontDescription font;
  font.name = in.Text();
  font.size = in.Read<std::int32_t>() / 10000.0;  // a font object's size is a currency value
  font.weight = in.Read<std::int16_t>();
  font.charset = in.Read<std::int16_t>();
  const std::uint8_t styles = in.Byte();
  font.italic = styles & 1;
  font.underline = styles & 2;
  font.strikethrough = styles & 4;
  return font;
}

// A bitmap, or an icon whose black pixels are its mask; none when both sides are 0.
PicturePtr PictureFrom(Input& in) {
  const std::int32_t width = in.Byte() % 48;
  const std::int32_t height = in.Byte() % 48;
  const std::int32_t colour = in.Read<std::int32_t>();
  if (width == 0 && height == 0) return nullptr;
  std::vector<std::int32_t> pixels(static_cast<std::size_t>(width * height));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = i % 3 ? colour & 0xFFFFFF : 0;
  const PictureType type = colour < 0 ? PictureType::Icon : PictureType::Bitmap;
  return std::make_shared<MemoryPicture>(type, width, height, pixels, 0);
}

PropertyValue ValueFrom(Input& in) {
  switch (in.Byte() % 7) {
    case 0: return std::monostate{};
    case 1: return in.Read<std::int16_t>();
    case 2: return in.Read<std::int32_t>();
    case 3: return (in.Byte() & 1) != 0;
    case 4: return in.Text();
    case 5: return FontFrom(in);
    default: return PictureFrom(in);
  }
}

// A host of the input's size that has a hand cursor, as the library's window has.
struct Hosted {
  Hosted(std::int32_t width, std::int32_t height) : host(width, height), cmd(host) {
    static const PicturePtr hand = std::make_shared<MemoryPicture>(
        PictureType::Icon, 2, 2, std::vector<std::int32_t>{0, 1, 1, 0}, 0);
    host.hand = hand;
    cmd.Initialize();
  }
  PropertyBag Saved() {
    PropertyBag bag;
    cmd.WriteProperties(bag);
    return bag;
  }
  tesk::test::RasterHost host;
  Cmd cmd;
};

void PaintEveryState(Cmd& cmd) {
  cmd.Resize();
  cmd.Show();
  cmd.SetFocus(true);
  cmd.Redraw(tesk::button::kDown, true);
  cmd.SetHovering(true);
  cmd.Redraw(tesk::button::kUp, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::int32_t width = in.Byte() % 128;
  const std::int32_t height = in.Byte() % 64;
  PropertyBag bag;
  while (!in.AtEnd()) {
    const char* key = kKeys[in.Byte() % std::size(kKeys)];
    bag.Write(key, ValueFrom(in));
  }

  Hosted read(width, height);
  bool readInFull = true;
  try {
    read.cmd.ReadProperties(bag);
  } catch (const tesk::button::ConversionError&) {
    readInFull = false;
  }
  PaintEveryState(read.cmd);
  if (!readInFull) return 0;

  const PropertyBag saved = read.Saved();
  for (const auto& [key, value] : bag.Entries()) {
    const auto written = saved.Read(key);
    if (written && written->index() == value.index() && key != "mptr" && key != "micon") {
      Require(*written == value);
    }
  }
  Hosted restored(width, height);
  restored.cmd.ReadProperties(saved);
  Require(restored.Saved().Entries() == saved.Entries());
  return 0;
}
