// The bag's keys (lower case, in writing order after the extents, read in any case) are shown
// through the cmd button's own persistence test; its conversions and pictures here.

#include "button/property_bag.h"

#include <gtest/gtest.h>

#include "platform/raster/memory_picture.h"

namespace tesk::button {
namespace {

TEST(PropertyBag, KeepsNoEmptyPicture) {
  PropertyBag bag;
  const PicturePtr picture = std::make_shared<platform::MemoryPicture>(
      platform::PictureType::Bitmap, 1, 1, std::vector<std::int32_t>{0});
  bag.Write("PICN", picture);
  bag.Write("PICH", PicturePtr());
  EXPECT_EQ(ToPicture(*bag.Read("picn")), picture);
  EXPECT_FALSE(bag.Read("pich").has_value());
  bag.Write("PICN", PicturePtr());
  EXPECT_FALSE(bag.Read("picn").has_value()) << "clearing a picture removes its key";
}

TEST(PropertyValue, ConvertsAsTheFieldsTypeRequiresOrFails) {
  EXPECT_EQ(ToLong(std::string(" 12 ")), 12);
  EXPECT_EQ(ToLong(std::string("2.5")), 2) << "half to even";
  EXPECT_EQ(ToLong(std::string("3.5")), 4);
  EXPECT_EQ(ToLong(true), -1);
  EXPECT_EQ(ToLong(std::int16_t{-3}), -3);
  EXPECT_THROW(ToLong(std::string("twelve")), ConversionError);
  EXPECT_THROW(ToLong(FontDescription{}), ConversionError);
  EXPECT_THROW(ToLong(std::string("3e10")), ConversionError);
  EXPECT_THROW(ToLong(std::string("1e300")), ConversionError) << "past even a 64-bit integer";
  EXPECT_EQ(ToInteger(std::int32_t{32767}), 32767);
  EXPECT_THROW(ToInteger(std::int32_t{40000}), ConversionError);

  EXPECT_TRUE(ToBoolean(std::string("TRUE")));
  EXPECT_FALSE(ToBoolean(std::string("0")));
  EXPECT_TRUE(ToBoolean(std::int32_t{5}));
  EXPECT_THROW(ToBoolean(std::string("yes")), ConversionError);

  EXPECT_EQ(ToText(false), "False");
  EXPECT_EQ(ToText(std::int32_t{-7}), "-7");
  EXPECT_THROW(ToText(PicturePtr()), ConversionError);
  EXPECT_THROW(ToFont(std::string("Tahoma")), ConversionError);
  EXPECT_EQ(ToPicture(std::monostate{}), nullptr);
  EXPECT_THROW(ToPicture(std::int32_t{1}), ConversionError);
}

}  // namespace
}  // namespace tesk::button
