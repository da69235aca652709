// Frame writes cut short leave "PicD_nnn.bmp.new" files in the frame folder;
// the next rendering clears them with the old frames.
#include <gtest/gtest.h>

#include "memory_file_system.h"
#include "render/frame_folder.h"

namespace gyra {
namespace {

TEST(RenderToFolder, ClearsUnfinishedFrameWrites) {
  const std::string image2 = "C:\\ジラフォト\\Image2";
  MemoryFileSystem fs;
  fs.AddFolder(image2);
  fs.AddFile(image2 + "\\PicD_099.bmp.new", "cut short");
  fs.AddFile(image2 + "\\notes.new", "keep");
  Surface picture = *Surface::Create(40, 20);
  RenderOptions options;
  options.Disp_Size = 10;
  options.Flame_Count = 8;
  ASSERT_EQ(RenderToFolder(fs, image2, picture.View(), options, [](const RenderedFrame&) { return true; }),
            RenderStatus::kDone);
  EXPECT_FALSE(fs.HasFile(image2 + "\\PicD_099.bmp.new"));
  EXPECT_TRUE(fs.HasFile(image2 + "\\notes.new"));
}

}  // namespace
}  // namespace gyra
