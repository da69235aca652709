// BMP files read as GDI reads them: every bit depth, both row orders, the
// fourth byte ignored, and files that lie about their size refused.
#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gyra {
namespace {

std::string Le(uint32_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

// A file with a 40-byte header; `table` is the colour table or the masks.
std::string Bmp(int32_t width, int32_t height, int bits, uint32_t compression, const std::string& table,
                const std::string& rows) {
  const std::string info = Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(bits, 2) + Le(compression, 4) +
                           Le(rows.size(), 4) + Le(0, 4) + Le(0, 4) + Le(bits <= 8 ? table.size() / 4 : 0, 4) + Le(0, 4);
  const uint32_t offset = 14 + 40 + table.size();
  return "BM" + Le(offset + rows.size(), 4) + Le(0, 4) + Le(offset, 4) + info + table + rows;
}

// The pixels from the top-left, row by row.
std::vector<Pix_Quad> TopDown(const Surface& surface) {
  std::vector<Pix_Quad> pixels;
  for (int s = surface.height() - 1; s >= 0; --s)
    for (int x = 0; x < surface.width(); ++x) pixels.push_back(surface.View().At(x, s));
  return pixels;
}

const Pix_Quad kRed{0, 0, 255, 0}, kBlue{255, 0, 0, 0}, kWhite{255, 255, 255, 0}, kBlack{};
const std::string kPalette = Le(0x0000FF, 4) + Le(0xFF0000, 4);  // blue, red

TEST(ReadBmp, EveryDepthAndRowOrder) {
  const struct {
    const char* what;
    std::string file;
    std::vector<Pix_Quad> pixels;  // 2 x 2, top-left first
  } cases[] = {
      {"1 bit", Bmp(2, 2, 1, 0, kPalette, Le(0x40, 4) + Le(0x80, 4)), {kRed, kBlue, kBlue, kRed}},
      {"4 bits", Bmp(2, 2, 4, 0, kPalette, Le(0x01, 4) + Le(0x10, 4)), {kRed, kBlue, kBlue, kRed}},
      {"8 bits, index past the table", Bmp(2, 1, 8, 0, kPalette, Le(0x0901, 4)), {kRed, kBlack}},
      {"16 bits 5-5-5", Bmp(2, 1, 16, 0, "", Le(0x7FFF, 2) + Le(0x0001, 2)), {kWhite, {8, 0, 0, 0}}},
      {"16 bits 5-6-5", Bmp(2, 1, 16, 3, Le(0xF800, 4) + Le(0x07E0, 4) + Le(0x001F, 4), Le(0xF800, 2) + Le(0x0020, 2)),
       {kRed, {0, 4, 0, 0}}},
      {"24 bits top-down", Bmp(1, -2, 24, 0, "", Le(0xFF0000, 4) + Le(0x0000FF, 4)), {kRed, kBlue}},
      {"32 bits, fourth byte set", Bmp(2, 1, 32, 0, "", Le(0x80FF0000, 4) + Le(0x010000FF, 4)), {kRed, kBlue}},
      {"32 bits top-down", Bmp(1, -2, 32, 0, "", Le(0xFFFF0000, 4) + Le(0x7F0000FF, 4)), {kRed, kBlue}},
  };
  for (const auto& c : cases) {
    const std::optional<Surface> picture = ReadBmp(c.file);
    ASSERT_TRUE(picture) << c.what;
    EXPECT_EQ(TopDown(*picture), c.pixels) << c.what;
  }
}

TEST(ReadBmp, RefusesFilesThatLie) {
  const std::string good = Bmp(2, 2, 24, 0, "", std::string(16, '\x7F'));
  ASSERT_TRUE(ReadBmp(good));
  std::string huge = good;
  huge.replace(18, 8, Le(40000, 4) + Le(40000, 4));  // 6 GB of rows promised in a 70-byte file
  const std::string no_colours = Bmp(2, 2, 8, 0, "", std::string(8, '\0'));  // 256 colours promised
  for (const std::string& file : {good.substr(0, good.size() - 1), good.substr(0, 30), huge, no_colours,
                                  Bmp(2, 2, 8, 1, kPalette, std::string(8, '\0')),  // run-length compressed
                                  Bmp(0, 2, 24, 0, "", ""), std::string("BM")})
    EXPECT_FALSE(ReadBmp(file)) << file.size() << " bytes";
}

}  // namespace
}  // namespace gyra
