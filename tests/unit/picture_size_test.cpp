#include "render/picture_size.h"

#include <gtest/gtest.h>

#include <string>

namespace gyra {
namespace {

std::string Le16(unsigned v) { return {static_cast<char>(v & 255), static_cast<char>(v >> 8 & 255)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(unsigned v) { return {static_cast<char>(v >> 8 & 255), static_cast<char>(v & 255)}; }
std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

std::string Bmp(int32_t width, int32_t height) {
  return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) + std::string(28, '\0');
}
std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16) + Be32(width) + Be32(height) + std::string(5, '\0');
}
std::string Gif(unsigned screen_w, unsigned screen_h, unsigned image_w, unsigned image_h) {
  const std::string palette(6, '\0');  // two colours
  const std::string extension = std::string("\x21\xF9\x04", 3) + std::string(4, '\0') + std::string(1, '\0');
  return "GIF89a" + Le16(screen_w) + Le16(screen_h) + std::string("\x80\0\0", 3) + palette + extension + "," +
         Le16(0) + Le16(0) + Le16(image_w) + Le16(image_h) + std::string(1, '\0');
}
std::string Jpeg(unsigned marker, unsigned width, unsigned height) {
  const std::string app1 = "\xFF\xE1" + Be16(2 + 6) + "Exif\0\0";
  return std::string("\xFF\xD8") + app1 + "\xFF\xFF" + static_cast<char>(0xFF) + static_cast<char>(marker) + Be16(17) +
         "\x08" + Be16(height) + Be16(width) + std::string(10, '\3');
}

TEST(DecodedPictureSize, SmallPicturesKeepTheirSize) {
  const DecodeSize cases[] = {{1, 1}, {640, 480}, {4096, 4096}, {16777216, 1}, {1, 16777216}, {8192, 2048}};
  for (const DecodeSize size : cases)
    EXPECT_EQ(DecodedPictureSize(size.width, size.height), size) << size.width << " x " << size.height;
}

TEST(DecodedPictureSize, LargePicturesAreScaledDownKeepingTheirProportions) {
  struct Case {
    DecodeSize in, out;
  };
  const Case cases[] = {
      {{4097, 4096}, {4096, 4095}},     // one column over: both sides shrink by a hair
      {{8192, 6144}, {4729, 3547}},     // 50 megapixels, 4 : 3
      {{16384, 12288}, {4729, 3547}},   // 200 megapixels, 4 : 3
      {{12000, 8000}, {5016, 3344}},    // 96 megapixels, 3 : 2
      {{16384, 16384}, {4096, 4096}},   // exactly the source limit
      {{100000, 500}, {57926, 289}},    // a panorama
      {{268435456, 1}, {16777216, 1}},  // one row: never 0 high
  };
  for (const Case& c : cases) {
    const auto out = DecodedPictureSize(c.in.width, c.in.height);
    ASSERT_TRUE(out) << c.in.width << " x " << c.in.height;
    EXPECT_EQ(*out, c.out) << c.in.width << " x " << c.in.height;
    EXPECT_LE(out->width * out->height, kMaxDecodedPixels);
  }
}

TEST(DecodedPictureSize, RefusesEmptyAndHugePictures) {
  const DecodeSize cases[] = {{0, 100},        {100, 0},          {-1, 5},
                              {40000, 40000},  {16385, 16384},    {4294967295, 4294967295},
                              {1, 268435457},  {65535, 65535}};
  for (const DecodeSize size : cases)
    EXPECT_FALSE(DecodedPictureSize(size.width, size.height)) << size.width << " x " << size.height;
}

TEST(PictureHeaderSize, ReadsTheSizeOfEachFormat) {
  struct Case {
    std::string head;
    DecodeSize size;
  };
  const Case cases[] = {
      {Bmp(640, 480), {640, 480}},
      {Bmp(640, -480), {640, 480}},  // top-down rows
      {Bmp(40000, 40000), {40000, 40000}},
      {Bmp(-5, 3), {-5, 3}},
      {"BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(300) + Le16(200) + Le32(0), {300, 200}},  // OS/2
      {Png(40000, 40000), {40000, 40000}},
      {Png(4294967295, 1), {4294967295, 1}},
      {Gif(100, 50, 100, 50), {100, 50}},
      {Gif(10, 10, 40000, 30), {40000, 30}},  // an image larger than the screen counts
      {Gif(40000, 20, 5, 5), {40000, 20}},
      {Jpeg(0xC0, 16384, 12288), {16384, 12288}},
      {Jpeg(0xC2, 40000, 40000), {40000, 40000}},  // progressive
      {Jpeg(0xC1, 0, 7), {0, 7}},
  };
  for (const Case& c : cases) {
    const auto size = PictureHeaderSize(c.head);
    ASSERT_TRUE(size) << c.size.width << " x " << c.size.height;
    EXPECT_EQ(*size, c.size);
  }
}

TEST(PictureHeaderSize, NothingForOtherFormatsOrAHeadCutShort) {
  const std::string jpeg = Jpeg(0xC0, 100, 100);
  const std::string cases[] = {
      "",
      "BM",
      Bmp(640, 480).substr(0, 25),
      Png(1, 1).substr(0, 23),
      Gif(1, 1, 1, 1).substr(0, 20),
      jpeg.substr(0, jpeg.size() - 12),
      std::string("\xFF\xD8\xFF\xDA\0\x02", 6),           // a scan before any frame header
      std::string("\xFF\xD8\xFF\xC4\0\x02\xFF\xD9", 8),   // the end before any frame header
      std::string("\xFF\xD8\x12\x34", 4),                 // not a marker
      std::string("\xD7\xCD\xC6\x9A\0\0", 6) + std::string(20, '\0'),  // a placeable metafile
  };
  for (const std::string& head : cases) EXPECT_FALSE(PictureHeaderSize(head)) << head.size() << " bytes";
}

}  // namespace
}  // namespace gyra
