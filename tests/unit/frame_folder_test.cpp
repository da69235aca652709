#include "render/frame_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_file_system.h"
#include "render/bmp.h"

namespace gyra {
namespace {

const std::string kImage2 = "C:\\ジラフォト\\Image2";

std::string InImage2(const std::string& name) { return kImage2 + "\\" + name; }

Surface Gradient(int width, int height) {
  Surface surface = *Surface::Create(width, height);
  for (int s = 0; s < height; ++s)
    for (int x = 0; x < width; ++x)
      surface.View().At(x, s) = {static_cast<uint8_t>(x * 3), static_cast<uint8_t>(s * 5), 128, 0};
  return surface;
}

RenderOptions SmallRun() {
  RenderOptions o;
  o.Disp_Size = 10;
  o.Flame_Count = 8;
  o.Stretch_On = 1;
  return o;
}

// A frame folder holding leftovers of an earlier, longer run and other files.
MemoryFileSystem FolderWithOldFrames() {
  MemoryFileSystem fs;
  fs.AddFolder("C:\\ジラフォト");
  fs.AddFolder(kImage2);
  for (const char* name : {"PicD_001.bmp", "PicD_099.bmp", "OLD.BMP"}) fs.AddFile(InImage2(name), "old");
  fs.AddFile(InImage2("notes.txt"), "keep");
  fs.AddFolder(InImage2("album.bmp"));
  return fs;
}

std::vector<std::string> FileNames(const MemoryFileSystem& fs) {
  std::vector<std::string> names;
  const auto entries = fs.ListFolder(kImage2);
  for (const FolderEntry& e : *entries)
    if (!e.is_directory) names.push_back(e.name);
  return names;
}

TEST(FrameFileName, AtLeastThreeDigits) {
  EXPECT_EQ(FrameFileName(1), "PicD_001.bmp");
  EXPECT_EQ(FrameFileName(67), "PicD_067.bmp");
  EXPECT_EQ(FrameFileName(999), "PicD_999.bmp");
  EXPECT_EQ(FrameFileName(1000), "PicD_1000.bmp");
}

TEST(RenderToFolder, ReplacesTheOldFramesWithEveryFrameInOrder) {
  MemoryFileSystem fs = FolderWithOldFrames();
  const Surface picture = Gradient(50, 30);
  std::vector<std::string> delivered;
  const RenderStatus status = RenderToFolder(fs, kImage2, picture.View(), SmallRun(), [&](const RenderedFrame& f) {
    // Written before it is handed on, so a cancel here keeps it.
    EXPECT_TRUE(fs.HasFile(InImage2(FrameFileName(f.Flame_No))));
    delivered.push_back(EncodeBmp(f.pixels));
    return true;
  });
  EXPECT_EQ(status, RenderStatus::kDone);
  EXPECT_EQ(FileNames(fs), (std::vector<std::string>{"notes.txt", "PicD_001.bmp", "PicD_002.bmp", "PicD_003.bmp",
                                                     "PicD_004.bmp", "PicD_005.bmp", "PicD_006.bmp", "PicD_007.bmp",
                                                     "PicD_008.bmp"}));
  ASSERT_EQ(delivered.size(), 8u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(fs.Bytes(InImage2(FrameFileName(i + 1))), delivered[i]) << i;
  EXPECT_TRUE(fs.FolderExists(InImage2("album.bmp")));
}

TEST(RenderToFolder, CancelLeavesExactlyTheFramesDeliveredSoFar) {
  MemoryFileSystem fs = FolderWithOldFrames();
  const Surface picture = Gradient(50, 30);
  const RenderStatus status = RenderToFolder(fs, kImage2, picture.View(), SmallRun(),
                                             [](const RenderedFrame& f) { return f.Flame_No < 3; });
  EXPECT_EQ(status, RenderStatus::kCancelled);
  EXPECT_EQ(FileNames(fs), (std::vector<std::string>{"notes.txt", "PicD_001.bmp", "PicD_002.bmp", "PicD_003.bmp"}));
}

TEST(RenderToFolder, AFrameThatCannotBeWrittenStopsTheRunAsAFailure) {
  MemoryFileSystem fs = FolderWithOldFrames();
  fs.failing_paths.insert(InImage2("PicD_004.bmp"));
  const Surface picture = Gradient(50, 30);
  int handed_on = 0;
  const RenderStatus status = RenderToFolder(fs, kImage2, picture.View(), SmallRun(), [&](const RenderedFrame&) {
    ++handed_on;
    return true;
  });
  EXPECT_EQ(status, RenderStatus::kFrameNotSaved);
  EXPECT_EQ(handed_on, 3);
  EXPECT_FALSE(fs.HasFile(InImage2("PicD_005.bmp")));
}

TEST(RenderToFolder, RefusesBeforeDeletingAnything) {
  const Surface picture = Gradient(50, 30);
  RenderOptions no_advance = SmallRun();
  no_advance.Flame_Count = 100;  // a 40-pixel strip cannot move 0.4 pixels a frame
  RenderOptions bad_band = SmallRun();
  bad_band.Trim_On = 1;
  bad_band.Trim_Y = 100;
  const struct { RenderOptions options; RenderStatus status; } cases[] = {
      {no_advance, RenderStatus::kWindowDoesNotAdvance},
      {bad_band, RenderStatus::kBadTrimBand},
  };
  for (const auto& c : cases) {
    MemoryFileSystem fs = FolderWithOldFrames();
    int handed_on = 0;
    EXPECT_EQ(RenderToFolder(fs, kImage2, picture.View(), c.options, [&](const RenderedFrame&) { return ++handed_on; }),
              c.status);
    EXPECT_EQ(handed_on, 0);
    EXPECT_EQ(FileNames(fs), (std::vector<std::string>{"PicD_001.bmp", "PicD_099.bmp", "OLD.BMP", "notes.txt"}));
  }
}

TEST(RenderToFolder, AFolderThatCannotBeClearedIsNotRenderedInto) {
  const Surface picture = Gradient(50, 30);
  MemoryFileSystem locked = FolderWithOldFrames();
  locked.failing_paths.insert(InImage2("PicD_099.bmp"));
  EXPECT_EQ(RenderToFolder(locked, kImage2, picture.View(), SmallRun(), [](const RenderedFrame&) { return true; }),
            RenderStatus::kFolderNotCleared);
  EXPECT_EQ(locked.Bytes(InImage2("PicD_099.bmp")), "old");
  EXPECT_FALSE(locked.HasFile(InImage2("PicD_002.bmp")));

  MemoryFileSystem missing;
  EXPECT_EQ(RenderToFolder(missing, kImage2, picture.View(), SmallRun(), [](const RenderedFrame&) { return true; }),
            RenderStatus::kFolderNotCleared);
}

}  // namespace
}  // namespace gyra
