#include "startup/frame_files.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace gyra {
namespace {

const std::string kImage1 = "C:\\ジラフォト\\Image1";

TEST(DataPathsFor, UsesTheRootOfTheProgramsDrive) {
  const DataPaths p = DataPathsFor("C:\\Windows\\System32");
  EXPECT_EQ(p.Data_Path, "C:\\ジラフォト");
  EXPECT_EQ(p.Image1_Path, "C:\\ジラフォト\\Image1");
  EXPECT_EQ(p.Image2_Path, "C:\\ジラフォト\\Image2");
  EXPECT_EQ(p.Ini_Path, "C:\\ジラフォト\\Data.ini");
  EXPECT_EQ(DataPathsFor("D:\\Tools").Data_Path, "D:\\ジラフォト");
  EXPECT_EQ(DataPathsFor("E:\\").Data_Path, "E:\\ジラフォト");
  // Characters, not bytes: a Japanese folder name is not cut inside a character.
  EXPECT_EQ(DataPathsFor("写真フォルダ").Data_Path, "写真フジラフォト");
}

TEST(FolderOf, CutsAtTheLastColonOrBackslash) {
  EXPECT_EQ(FolderOf("C:\\ジラフォト\\Image1\\*.bmp"), "C:\\ジラフォト\\Image1");
  EXPECT_EQ(FolderOf("C:*.bmp"), "C:");
  EXPECT_EQ(FolderOf("C:\\*.bmp"), "C:");
  EXPECT_EQ(FolderOf("name.bmp"), "");
  EXPECT_EQ(FolderOf("C:\\表\\x.bmp"), "C:\\表");  // 表 is one UTF-8 character, no stray 0x5C
}

TEST(AddBackslash, EndsInExactlyOneBackslash) {
  EXPECT_EQ(AddBackslash("C:\\a"), "C:\\a\\");
  EXPECT_EQ(AddBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(AddBackslash("C:\\a  "), "C:\\a\\");
  EXPECT_EQ(AddBackslash(""), "\\");
}

TEST(DirExistsAndFileExists, AnswerForTheRightKindOfEntry) {
  MemoryFileSystem fs;
  fs.AddFolder("C:\\ジラフォト");
  fs.AddFolder(kImage1);
  fs.AddFile(kImage1 + "\\PicD_001.bmp");
  fs.AddFile("C:\\ジラフォト\\Image2");  // a plain file named like the folder
  fs.AddFile(kImage1 + "\\locked.bmp", "", {.readable = false});

  EXPECT_TRUE(DirExists(fs, kImage1));
  EXPECT_TRUE(DirExists(fs, kImage1 + "\\"));
  EXPECT_FALSE(DirExists(fs, "C:\\ジラフォト\\Image2"));
  EXPECT_FALSE(DirExists(fs, "C:\\missing"));

  EXPECT_TRUE(FileExists(fs, kImage1 + "\\PicD_001.bmp"));
  EXPECT_TRUE(FileExists(fs, kImage1 + "\\PicD_001.bmp\\"));
  EXPECT_FALSE(FileExists(fs, kImage1 + "\\locked.bmp"));
  EXPECT_FALSE(FileExists(fs, kImage1));
  EXPECT_FALSE(FileExists(fs, kImage1 + "\\PicD_002.bmp"));
}

TEST(ListBitmaps, ListsFramesInPlaybackOrder) {
  MemoryFileSystem fs;
  fs.AddFolder(kImage1);
  for (const char* name : {"PicD_003.bmp", "PicD_001.bmp", "PicD_010.bmp", "PicD_002.bmp"})
    fs.AddFile(kImage1 + "\\" + name);
  EXPECT_EQ(ListBitmaps(fs, kImage1),
            (std::vector<std::string>{kImage1 + "\\PicD_001.bmp", kImage1 + "\\PicD_002.bmp",
                                      kImage1 + "\\PicD_003.bmp", kImage1 + "\\PicD_010.bmp"}));
}

TEST(ListBitmaps, TakesEveryVisibleBitmapFileOnce) {
  MemoryFileSystem fs;
  fs.AddFolder(kImage1);
  fs.AddFile(kImage1 + "\\b.BMP");
  fs.AddFile(kImage1 + "\\a.bmp", "", {.readable = false});  // attributes like read-only do not matter
  fs.AddFile(kImage1 + "\\hidden.bmp", "", {.hidden = true});
  fs.AddFile(kImage1 + "\\system.bmp", "", {.system = true});
  fs.AddFile(kImage1 + "\\notes.txt");
  fs.AddFile(kImage1 + "\\x.bmpx");
  fs.AddFolder(kImage1 + "\\folder.bmp");
  fs.AddFolder(kImage1 + "\\sub");
  fs.AddFile(kImage1 + "\\sub\\deep.bmp");
  EXPECT_EQ(ListBitmaps(fs, kImage1),
            (std::vector<std::string>{kImage1 + "\\a.bmp", kImage1 + "\\b.BMP"}));
}

TEST(ListBitmaps, MissingOrEmptyFolderGivesNoFrames) {
  MemoryFileSystem fs;
  EXPECT_TRUE(ListBitmaps(fs, kImage1).empty());
  fs.AddFolder(kImage1);
  EXPECT_TRUE(ListBitmaps(fs, kImage1).empty());
  fs.AddFile(kImage1 + "\\PicD_001.bmp");
  EXPECT_EQ(ListBitmaps(fs, kImage1).size(), 1u);
}

}  // namespace
}  // namespace gyra
