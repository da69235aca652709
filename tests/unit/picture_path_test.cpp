#include "settings/picture_path.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

const std::optional<std::string> kNone;

TEST(StorablePicturePath, KeepsAPathShiftJisCanHold) {
  EXPECT_EQ(StorablePicturePath("C:\\写真\\ﾌｼﾞ山.jpg", "C:\\8F1A~1\\FD3B~1.JPG"), "C:\\写真\\ﾌｼﾞ山.jpg");
  EXPECT_EQ(StorablePicturePath("C:\\a.bmp", kNone), "C:\\a.bmp");
}

TEST(StorablePicturePath, FallsBackToTheShortForm) {
  // Korean and an emoji have no code in code page 932.
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", "C:\\C0AC~1\\a.jpg"), "C:\\C0AC~1\\a.jpg");
  EXPECT_EQ(StorablePicturePath("C:\\pics\\\xF0\x9F\x8C\x8D.gif", "C:\\pics\\F0B1~1.GIF"), "C:\\pics\\F0B1~1.GIF");
}

TEST(StorablePicturePath, RefusesWhenNoFormCanBeStored) {
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", kNone), kNone);
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", ""), kNone);
  // Without 8.3 names the system hands back the long path unchanged.
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", "C:\\사진\\a.jpg"), kNone);
}

}  // namespace
}  // namespace gyra
