#include "render/bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "render/bmp_reader.h"

namespace gyra {
namespace {

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(bytes[at + i]);
  return v;
}

TEST(EncodeBmp, HeaderOfA3x2Picture) {
  Surface surface = *Surface::Create(3, 2);
  const std::string bytes = EncodeBmp(surface.View());
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // 9 bytes a row, padded to 12
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  const struct { size_t at; int size; uint32_t value; } fields[] = {
      {2, 4, 78}, {6, 4, 0}, {10, 4, 54},                      // file size, reserved, pixel offset
      {14, 4, 40}, {18, 4, 3}, {22, 4, 2}, {26, 2, 1}, {28, 2, 24},  // header, width, height, planes, bits
      {30, 4, 0}, {34, 4, 24}, {38, 4, 0}, {42, 4, 0}, {46, 4, 0}, {50, 4, 0},
  };
  for (const auto& f : fields) EXPECT_EQ(Le(bytes, f.at, f.size), f.value) << "offset " << f.at;
}

TEST(EncodeBmp, RowsBottomUpInBlueGreenRedOrderWithZeroPadding) {
  Surface surface = *Surface::Create(1, 2);
  surface.View().At(0, 0) = {1, 2, 3, 99};  // bottom
  surface.View().At(0, 1) = {4, 5, 6, 99};  // top
  const std::string bytes = EncodeBmp(surface.View());
  EXPECT_EQ(bytes.substr(54), std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8));
}

TEST(EncodeBmp, TheReaderReadsThePixelsBack) {
  std::mt19937 random(7);
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{5, 7}, std::pair{200, 200}}) {
    Surface surface = *Surface::Create(width, height);
    for (int i = 0; i < width * height; ++i) {
      const uint32_t v = random();
      surface.View().pixels[i] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                                  0};
    }
    const std::string bytes = EncodeBmp(surface.View());
    const std::optional<Surface> read = ReadBmp(bytes);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->width(), width);
    ASSERT_EQ(read->height(), height);
    int differing = 0;
    for (int i = 0; i < width * height; ++i) differing += !(read->View().pixels[i] == surface.View().pixels[i]);
    EXPECT_EQ(differing, 0) << width << "x" << height;
  }
}

}  // namespace
}  // namespace gyra
