// Checks the settings dialog's generated artwork in resources/: the pictures'
// exact formats and sizes, the paper that tiles the panels, the marks, the
// pointer, and the program icon that the dialog also shows as its window icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using Rgb = std::array<int, 3>;

Bytes ReadResource(const std::string& name) {
  std::ifstream file(std::string(GYRAFOTO_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(file), {}};
}

uint32_t Little(const Bytes& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + i);
  return value;
}

// A 24-bit BMP as the resource compiler takes it: read strictly, so a picture
// in any other layout fails here rather than showing wrong in the dialog.
struct Bitmap {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // top row first

  Rgb At(int x, int y) const { return pixels[y * width + x]; }
};

Bitmap ReadBitmap(const std::string& name) {
  const Bytes bytes = ReadResource(name);
  Bitmap bitmap;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    ADD_FAILURE() << name << " is not a BMP file";
    return bitmap;
  }
  EXPECT_EQ(Little(bytes, 14, 4), 40u) << name << ": BITMAPINFOHEADER";
  EXPECT_EQ(Little(bytes, 26, 2), 1u) << name << ": planes";
  EXPECT_EQ(Little(bytes, 28, 2), 24u) << name << ": bits per pixel";
  EXPECT_EQ(Little(bytes, 30, 4), 0u) << name << ": uncompressed";
  bitmap.width = static_cast<int32_t>(Little(bytes, 18, 4));
  bitmap.height = static_cast<int32_t>(Little(bytes, 22, 4));  // positive: bottom-up
  const size_t offset = Little(bytes, 10, 4), stride = (bitmap.width * 3 + 3) & ~3;
  if (bitmap.width <= 0 || bitmap.height <= 0 || offset + stride * bitmap.height != bytes.size()) {
    ADD_FAILURE() << name << ": size and pixel data disagree";
    return bitmap;
  }
  for (int y = 0; y < bitmap.height; ++y) {
    const size_t row = offset + stride * (bitmap.height - 1 - y);
    for (int x = 0; x < bitmap.width; ++x) {
      const unsigned char* p = &bytes[row + 3 * x];
      bitmap.pixels.push_back({p[2], p[1], p[0]});
    }
  }
  return bitmap;
}

int Difference(const Rgb& a, const Rgb& b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

TEST(DialogArtwork, EveryPictureIsA24BitBmpOfItsSize) {
  const struct { const char* name; int width, height; } cases[] = {
      {"tile_strip.bmp", 602, 24},  {"header_bar.bmp", 95, 22}, {"button_up.bmp", 95, 22},
      {"button_down.bmp", 95, 22},  {"option_off.bmp", 13, 13}, {"option_on.bmp", 13, 13},
      {"check_off.bmp", 11, 11},    {"check_on.bmp", 11, 11},   {"preview_globe.bmp", 110, 110},
  };
  for (const auto& c : cases) {
    const Bitmap bitmap = ReadBitmap(c.name);
    EXPECT_EQ(bitmap.width, c.width) << c.name;
    EXPECT_EQ(bitmap.height, c.height) << c.name;
  }
}

Rgb MeanColour(const Bitmap& bitmap) {
  Rgb sum{};
  for (const Rgb& p : bitmap.pixels)
    for (int c = 0; c < 3; ++c) sum[c] += p[c];
  for (int& c : sum) c /= static_cast<int>(bitmap.pixels.size());
  return sum;
}

TEST(TileStrip, IsLightAndQuietBehindBlackCaptions) {
  const Bitmap strip = ReadBitmap("tile_strip.bmp");
  ASSERT_FALSE(strip.pixels.empty());
  const Rgb mean = MeanColour(strip);
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < strip.width; ++x) {
      const Rgb p = strip.At(x, y);
      for (int c = 0; c < 3; ++c) {
        ASSERT_GE(p[c], 200) << x << "," << y;
        ASSERT_LE(std::abs(p[c] - mean[c]), 16) << x << "," << y;
      }
    }
}

// How much a line of pixels differs, on average, from the next one.
double RowStep(const Bitmap& b, int y1, int y2) {
  double sum = 0;
  for (int x = 0; x < b.width; ++x) sum += Difference(b.At(x, y1), b.At(x, y2));
  return sum / b.width;
}
double ColumnStep(const Bitmap& b, int x1, int x2) {
  double sum = 0;
  for (int y = 0; y < b.height; ++y) sum += Difference(b.At(x1, y), b.At(x2, y));
  return sum / b.height;
}

TEST(TileStrip, TilesWithoutAVisibleSeam) {
  const Bitmap strip = ReadBitmap("tile_strip.bmp");
  ASSERT_FALSE(strip.pixels.empty());
  // Where the last row meets the next tile's first row, the step must look
  // like any step between neighbouring rows inside the strip; so for columns.
  double row_steps = 0, column_steps = 0;
  for (int y = 0; y + 1 < strip.height; ++y) row_steps += RowStep(strip, y, y + 1);
  for (int x = 0; x + 1 < strip.width; ++x) column_steps += ColumnStep(strip, x, x + 1);
  EXPECT_LE(RowStep(strip, strip.height - 1, 0), 1.25 * row_steps / (strip.height - 1));
  EXPECT_LE(ColumnStep(strip, strip.width - 1, 0), 1.25 * column_steps / (strip.width - 1));
}

TEST(DialogArtwork, RoundedPicturesSitOnThePaperColour) {
  const Rgb paper = MeanColour(ReadBitmap("tile_strip.bmp"));
  for (const char* name : {"header_bar.bmp", "button_up.bmp", "button_down.bmp", "option_off.bmp",
                           "option_on.bmp"}) {
    const Bitmap bitmap = ReadBitmap(name);
    ASSERT_FALSE(bitmap.pixels.empty()) << name;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{bitmap.width - 1, 0}})
      EXPECT_LE(Difference(bitmap.At(x, y), paper), 6) << name << " at " << x << "," << y;
  }
}

int DifferentPixels(const Bitmap& a, const Bitmap& b) {
  int count = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
    count += Difference(a.pixels[i], b.pixels[i]) > 30;
  return count;
}

TEST(DialogArtwork, OnAndOffPicturesDifferInsideTheSameOutline) {
  const struct { const char* off; const char* on; int at_least; } cases[] = {
      {"option_off.bmp", "option_on.bmp", 20},  // a dot of radius 3
      {"check_off.bmp", "check_on.bmp", 10},    // a tick two pixels thick
      {"button_up.bmp", "button_down.bmp", 95 * 22 / 2},
  };
  for (const auto& c : cases) {
    const Bitmap off = ReadBitmap(c.off), on = ReadBitmap(c.on);
    ASSERT_FALSE(off.pixels.empty() || on.pixels.empty()) << c.off;
    EXPECT_GE(DifferentPixels(off, on), c.at_least) << c.off << " vs " << c.on;
    if (c.at_least < 95) {  // the marks only fill in their middle
      for (int x = 0; x < off.width; ++x)
        EXPECT_EQ(off.At(x, 0), on.At(x, 0)) << c.on << " top edge at " << x;
    }
  }
}

TEST(DialogArtwork, MarksAreBlueInTheMiddleWhenOnAndWhiteWhenOff) {
  for (const char* name : {"option_on.bmp", "check_on.bmp"}) {
    const Bitmap on = ReadBitmap(name);
    ASSERT_FALSE(on.pixels.empty()) << name;
    const Rgb middle = on.At(on.width / 2, on.height / 2);
    EXPECT_LT(middle[0] + middle[1] + middle[2], 3 * 150) << name;
    EXPECT_GT(middle[2], middle[0]) << name << " is blue in the middle";
  }
  for (const char* name : {"option_off.bmp", "check_off.bmp"}) {
    const Bitmap off = ReadBitmap(name);
    ASSERT_FALSE(off.pixels.empty()) << name;
    const Rgb middle = off.At(off.width / 2, off.height / 2);
    EXPECT_GE(std::min({middle[0], middle[1], middle[2]}), 240) << name << " is white in the middle";
  }
}

// One image of an ICO or CUR file, as its directory entry describes it.
struct IconEntry {
  int width, height, first_word, second_word;  // planes and bits, or the hotspot
  size_t size, offset;
};

std::vector<IconEntry> IconDirectory(const Bytes& bytes, uint32_t kind) {
  std::vector<IconEntry> entries;
  if (bytes.size() < 6 || Little(bytes, 0, 2) != 0 || Little(bytes, 2, 2) != kind) {
    ADD_FAILURE() << "not an icon directory of kind " << kind;
    return entries;
  }
  for (uint32_t i = 0; i < Little(bytes, 4, 2); ++i) {
    const size_t at = 6 + 16 * i;
    entries.push_back({bytes.at(at), bytes.at(at + 1), static_cast<int>(Little(bytes, at + 4, 2)),
                       static_cast<int>(Little(bytes, at + 6, 2)), Little(bytes, at + 8, 4),
                       Little(bytes, at + 12, 4)});
    EXPECT_LE(entries.back().offset + entries.back().size, bytes.size()) << "image " << i;
  }
  return entries;
}

TEST(ProgramIcon, Holds16And32And48PixelImages) {
  std::set<int> sizes;
  for (const IconEntry& entry : IconDirectory(ReadResource("gyrafoto.ico"), 1)) {
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.second_word, 32) << "bits per pixel of the " << entry.width << " px image";
    sizes.insert(entry.width);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
}

TEST(Pointer, IsOne32PixelImageWithTheHotspotOnTheFingertip) {
  const Bytes bytes = ReadResource("pointer.cur");
  const std::vector<IconEntry> entries = IconDirectory(bytes, 2);
  ASSERT_EQ(entries.size(), 1u);
  const IconEntry& entry = entries[0];
  EXPECT_EQ(entry.width, 32);
  EXPECT_EQ(entry.height, 32);
  const int hot_x = entry.first_word, hot_y = entry.second_word;
  ASSERT_LT(hot_x, 32);
  ASSERT_LT(hot_y, 32);

  // The image: a 32-bit DIB of double height (colour, then the AND mask), bottom-up.
  ASSERT_GE(entry.size, 40u + 32 * 32 * 4 + 32 * 4);
  EXPECT_EQ(Little(bytes, entry.offset + 8, 4), 64u);
  EXPECT_EQ(Little(bytes, entry.offset + 14, 2), 32u);
  const auto alpha = [&](int x, int y) { return bytes[entry.offset + 40 + ((31 - y) * 32 + x) * 4 + 3]; };
  EXPECT_EQ(alpha(hot_x, hot_y), 255) << "the hotspot lies on the hand";
  int top = 32;
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; ++x)
      if (alpha(x, y) == 255) top = y;
  EXPECT_EQ(hot_y, top) << "the hotspot is at the hand's highest point";
}

}  // namespace
