// A program in the root of a drive keeps its data in that drive's root too,
// never in a folder under the current one.
#include <gtest/gtest.h>

#include "startup/frame_files.h"

namespace gyra {
namespace {

TEST(DataPathsFor, ProgramInTheRootOfADrive) {
  const DataPaths p = DataPathsFor(FolderOf("C:\\Gyrafoto.scr"));
  EXPECT_EQ(p.Data_Path, "C:\\ジラフォト");
  EXPECT_EQ(p.Image1_Path, "C:\\ジラフォト\\Image1");
  EXPECT_EQ(DataPathsFor(FolderOf("D:\\Tools\\Gyrafoto.scr")).Data_Path, "D:\\ジラフォト");
}

}  // namespace
}  // namespace gyra
