// The settings dialog's geometry and the picture path it stores.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "data/settings_store.h"
#include "dialog/dialog_layout.h"
#include "dialog/picture_path.h"
#include "dialog/preview_geometry.h"
#include "dialog/tile_panel.h"
#include "memory_file_system.h"

namespace gyra {
namespace {

bool Inside(const Box& in, int container) {
  const Box out = kPanels[container];
  const int edge = container == 0 ? 0 : 2 * kPanelEdge;  // a panel's client area is inside its edge
  return in.left >= 0 && in.top >= 0 && in.left + in.width <= out.width - edge &&
         in.top + in.height <= out.height - edge;
}

TEST(DialogLayout, PanelsApartAndEveryControlAndCaptionInsideItsContainer) {
  std::vector<Box> panels(kPanels.begin() + 1, kPanels.end());
  panels.push_back(kResultBox);
  for (size_t i = 0; i < panels.size(); ++i) {
    const Box& a = panels[i];
    EXPECT_TRUE(Inside({a.left - kPanels[0].left, a.top - kPanels[0].top, a.width, a.height}, 0)) << "panel " << i;
    for (const Box& b : std::span(panels).first(i))  // apart on one axis at least
      EXPECT_TRUE(a.left >= b.left + b.width || b.left >= a.left + a.width || a.top >= b.top + b.height ||
                  b.top >= a.top + a.height) << b.left << "," << b.top << " and panel " << i;
  }
  const std::vector<Place> marks = {kStretchMark, kTrimMark,    kMusicMarks[0],   kMusicMarks[1],   kMotionMarks[0],
                                    kMotionMarks[1], kMotionMarks[2], kTurnMarks[0], kTurnMarks[1]};
  for (const Place& m : marks)
    EXPECT_EQ(std::count_if(kCaptions.begin(), kCaptions.end(), [&](const Caption& c) {
                return c.container == m.container && c.top == m.box.top && c.left == m.box.left + kMarkCaptionGap;
              }), 1) << "a caption beside the mark at " << m.box.left << "," << m.box.top;
  const std::vector<Place> controls = {kTrimSlider, kPictureBox, kPathLabel, kFrameCountLabel, kFrameCountSpinner, kRadiusLabel,
                                       kRadiusSpinner, kRepeatCombo, kSpeedSlider, kSpeedLabel, kHomePageLink};
  for (const auto& places : {marks, controls})
    for (const Place& p : places) EXPECT_TRUE(Inside(p.box, p.container)) << p.box.left << "," << p.box.top;
  for (const ButtonPlace& b : std::span(kButtons).subspan(1))
    EXPECT_TRUE(Inside({b.left, b.top, kButtonWidth, kButtonHeight}, b.container)) << b.left << "," << b.top;
  for (const Caption& c : kCaptions) EXPECT_TRUE(Inside({c.left, c.top, 1, 1}, c.container)) << c.text;
}

TEST(Preview, TheLongerSideIsOneHundredAndTheTrimBandHalfAsHighAsWide) {
  const struct { int width, height; bool stretched; PreviewSize preview; TrimFrame frame; } cases[] = {
      {640, 480, false, {100, 75}, {100, 50, 25}}, {300, 400, false, {75, 100}, {75, 38, 62}},  // ties to even
      {101, 200, false, {50, 100}, {50, 25, 75}},  {200, 103, false, {100, 52}, {100, 50, 2}},
      {3000, 1, false, {100, 1}, {100, 50, -49}},  {0, 480, false, {100, 100}, {100, 50, 50}},  // no picture
      {50, 5000, true, {100, 50}, {100, 50, 0}},   {154, 200, false, {77, 100}, {77, 38, 62}},
  };
  for (const auto& c : cases) {
    const PreviewSize preview = PreviewFor(c.width, c.height, c.stretched);
    EXPECT_EQ(std::tuple(preview, TrimFrameFor(preview)), std::tuple(c.preview, c.frame)) << c.width << "x" << c.height;
  }
  EXPECT_TRUE(ProportionRefused({75, 100}, false, false) && !ProportionRefused({75, 100}, true, false) &&
              !ProportionRefused({75, 100}, false, true) && !ProportionRefused({100, 100}, false, false));
  // Column by column, one tile past each edge (a tile at the edge is not past it).
  EXPECT_EQ(TileOrigins(602, 48, 602, 24), (std::vector<TileOrigin>{{0, 0}, {0, 24}, {0, 48}, {0, 72}, {602, 0},
            {602, 24}, {602, 48}, {602, 72}, {1204, 0}, {1204, 24}, {1204, 48}, {1204, 72}}));
}

TEST(StorablePicturePath, TheLongPathOrElseTheShortForm) {
  EXPECT_EQ(StorablePicturePath("C:\\写真\\ﾌｼﾞ山.jpg", "C:\\8F1A~1\\FD3B~1.JPG"), "C:\\写真\\ﾌｼﾞ山.jpg");
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", "C:\\C0AC~1\\a.jpg"), "C:\\C0AC~1\\a.jpg");
  EXPECT_EQ(StorablePicturePath("C:\\pics\\\xF0\x9F\x8C\x8D.gif", "C:\\pics\\F0B1~1.GIF"), "C:\\pics\\F0B1~1.GIF");
  for (const char* short_form : {"", "C:\\사진\\a.jpg"})  // none, or the long path: no 8.3 names
    EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", short_form), std::nullopt) << short_form;
  EXPECT_EQ(StorablePicturePath("C:\\사진\\a.jpg", std::nullopt), std::nullopt);
}

// Earlier copies in both names; the settings file names `saved`. The picture itself is only read.
TEST(CopyIntoDataFolder, UnderANameCodePage932HoldsNeverOverTheSavedPicture) {
  const std::string kData = "C:\\ジラフォト", kCopy = kData + "\\Picture.jpg", kCopy2 = kData + "\\Picture2.jpg";
  const std::string kBare = kData + "\\Picture";
  const struct { std::string picture, saved; std::optional<std::string> copy; std::string program = "C:\\"; } cases[] = {
      {"D:\\사진\\a.jpg", "", kCopy},  {"D:\\사진\\a.jpg", "c:\\ジラフォト\\PICTURE.JPG", kCopy2},
      {"D:\\사진\\a.jpg", kCopy2, kCopy},  {"D:\\사진\\a.사진", "", kBare},  {"D:\\사진\\gone.jpg", "", std::nullopt},
      {"D:\\사진\\a.jpg", "", std::nullopt, "\\\\서버\\s"},  // the share's name does not fit either
  };
  for (const auto& c : cases) {
    MemoryFileSystem fs;
    const DataPaths paths = DataPathsFor(c.program);
    for (const std::string& folder : std::vector<std::string>{"D:", "D:\\사진", paths.data_folder}) fs.AddFolder(folder);
    for (const char* picture : {"D:\\사진\\a.jpg", "D:\\사진\\a.사진"}) fs.AddFile(picture, "new");
    for (const std::string& earlier : {kCopy, kCopy2}) fs.AddFile(earlier, "old");
    fs.AddFile(paths.settings_file, WriteSettings({}, {.picture_path = c.saved}, true).value());
    EXPECT_EQ(CopyIntoDataFolder(fs, c.picture, paths), c.copy) << "row " << &c - cases;
    for (const std::string& copy : {kCopy, kCopy2, kBare})
      EXPECT_EQ(fs.HasFile(copy) ? fs.Bytes(copy) : "", copy == c.copy ? "new" : copy == kBare ? "" : "old")
          << "row " << &c - cases;
  }
}

}  // namespace
}  // namespace gyra
