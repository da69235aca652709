// Checks the generated preview globe in resources/, the picture the host shows
// in its little preview area.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "render/bmp_reader.h"

namespace {

const std::string kResources = std::string(GYRAFOTO_SOURCE_DIR) + "/resources/";

struct Picture {
  int width = 0, height = 0;
  std::unique_ptr<unsigned char[]> rgb;  // red, green, blue from the top-left

  const unsigned char* At(int x, int y) const { return rgb.get() + (y * width + x) * 3; }
  bool Black(int x, int y) const {
    const unsigned char* p = At(x, y);
    return p[0] == 0 && p[1] == 0 && p[2] == 0;
  }
};

Picture LoadGlobe() {
  Picture picture;
  std::ifstream file(kResources + "preview_globe.bmp", std::ios::binary);
  const auto bmp = gyra::ReadBmp(std::string(std::istreambuf_iterator<char>(file), {}));
  if (!bmp) return picture;
  picture.width = bmp->width();
  picture.height = bmp->height();
  picture.rgb = std::make_unique<unsigned char[]>(3 * picture.width * picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const gyra::Pix_Quad p = bmp->View().At(x, picture.height - 1 - y);
      unsigned char* q = picture.rgb.get() + (y * picture.width + x) * 3;
      q[0] = p.red, q[1] = p.green, q[2] = p.blue;
    }
  return picture;
}

// The smallest box around every non-black pixel.
struct Box { int left, top, right, bottom; };
Box LitBox(const Picture& picture) {
  Box box{picture.width, picture.height, -1, -1};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (!picture.Black(x, y)) {
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y)};
      }
  return box;
}

TEST(PreviewGlobe, IsA110PixelSquare) {
  const Picture picture = LoadGlobe();
  ASSERT_NE(picture.rgb, nullptr);
  EXPECT_EQ(picture.width, 110);
  EXPECT_EQ(picture.height, 110);
}

TEST(PreviewGlobe, CornersAndTheRingAroundTheBallArePureBlack) {
  const Picture picture = LoadGlobe();
  ASSERT_NE(picture.rgb, nullptr);
  for (int x : {0, 109})
    for (int y : {0, 109}) EXPECT_TRUE(picture.Black(x, y)) << x << "," << y;

  // The ball is drawn with radius 50 around the middle of the picture.
  for (int degree = 0; degree < 360; ++degree) {
    const double angle = degree * M_PI / 180;
    const int x = static_cast<int>(std::lround(55 + 52 * std::cos(angle)));
    const int y = static_cast<int>(std::lround(55 + 52 * std::sin(angle)));
    EXPECT_TRUE(picture.Black(x, y)) << "at " << degree << " degrees: " << x << "," << y;
  }
}

TEST(PreviewGlobe, CentreIsLitAndColoured) {
  const Picture picture = LoadGlobe();
  ASSERT_NE(picture.rgb, nullptr);
  for (int y = 45; y < 65; ++y)
    for (int x = 45; x < 65; ++x) {
      const unsigned char* p = picture.At(x, y);
      EXPECT_GT(p[0] + p[1] + p[2], 150) << x << "," << y;  // the unlit side stays below 100
      EXPECT_GT(std::max(p[1], p[2]), p[0]) << "blue or green, not red, at " << x << "," << y;
    }
}

TEST(PreviewGlobe, BallIsRoundAndCentred) {
  const Picture picture = LoadGlobe();
  ASSERT_NE(picture.rgb, nullptr);
  const Box box = LitBox(picture);
  EXPECT_EQ(box.right - box.left, box.bottom - box.top);
  EXPECT_NEAR((box.left + box.right) / 2.0, 54.5, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2.0, 54.5, 1);

  const int mid_x = (box.left + box.right) / 2, mid_y = (box.top + box.bottom) / 2;
  // A circle touches its bounding square only near the middle of each edge...
  EXPECT_FALSE(picture.Black(mid_x, box.top));
  EXPECT_FALSE(picture.Black(mid_x, box.bottom));
  EXPECT_FALSE(picture.Black(box.left, mid_y));
  EXPECT_FALSE(picture.Black(box.right, mid_y));
  // ...and leaves the square's corners empty.
  const int inset = (box.right - box.left) / 8;
  EXPECT_TRUE(picture.Black(box.left + inset, box.top + inset));
  EXPECT_TRUE(picture.Black(box.right - inset, box.top + inset));
  EXPECT_TRUE(picture.Black(box.left + inset, box.bottom - inset));
  EXPECT_TRUE(picture.Black(box.right - inset, box.bottom - inset));
}

int Brightness(const Picture& picture, int left, int top, int size) {
  int sum = 0;
  for (int y = top; y < top + size; ++y)
    for (int x = left; x < left + size; ++x) {
      const unsigned char* p = picture.At(x, y);
      sum += p[0] + p[1] + p[2];
    }
  return sum / (size * size);
}

TEST(PreviewGlobe, LightComesFromTheTopLeft) {
  const Picture picture = LoadGlobe();
  ASSERT_NE(picture.rgb, nullptr);
  const int top_left = Brightness(picture, 30, 30, 10), bottom_right = Brightness(picture, 70, 70, 10);
  EXPECT_GT(top_left, bottom_right * 2) << top_left << " vs " << bottom_right;
}

}  // namespace
