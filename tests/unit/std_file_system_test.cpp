#include "core/std_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

namespace gyra {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class StdFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("gyrafoto-fs-test-" + std::to_string(std::random_device()()));
    fs::create_directory(root_);
    base_ = root_.string();
  }
  void TearDown() override { fs::remove_all(root_); }

  // The program's path form: Windows separators.
  std::string Path(const std::string& relative) const { return base_ + "\\" + relative; }

  fs::path root_;
  std::string base_;
  StdFileSystem files_;
};

TEST_F(StdFileSystemTest, WritesReadsAndReplacesFilesWithoutLeftovers) {
  EXPECT_TRUE(files_.WriteFileReplacing(Path("a.bin"), std::string("x\0y", 3)));
  EXPECT_EQ(files_.ReadFile(Path("a.bin")), std::string("x\0y", 3));
  EXPECT_TRUE(files_.WriteFileReplacing(Path("a.bin"), "second"));
  EXPECT_EQ(files_.ReadFile(Path("a.bin")), "second");
  EXPECT_TRUE(files_.CanOpenForReading(Path("a.bin")));
  const auto entries = files_.ListFolder(base_);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ((*entries)[0].name, "a.bin");
}

TEST_F(StdFileSystemTest, WritingIntoAMissingFolderFailsCleanly) {
  EXPECT_FALSE(files_.WriteFileReplacing(Path("missing\\a.bin"), "x"));
  EXPECT_FALSE(files_.ReadFile(Path("missing\\a.bin")));
  ASSERT_TRUE(files_.CreateFolder(Path("sub")));
  EXPECT_FALSE(files_.WriteFileReplacing(Path("sub"), "a folder is not replaced"));
  EXPECT_EQ(files_.ListFolder(Path("sub"))->size(), 0u);
  EXPECT_EQ(files_.ListFolder(base_)->size(), 1u);
}

TEST_F(StdFileSystemTest, FoldersAndTheKindsOfEntries) {
  EXPECT_TRUE(files_.CreateFolder(Path("ジラフォト")));
  EXPECT_FALSE(files_.CreateFolder(Path("ジラフォト")));  // already there
  EXPECT_FALSE(files_.CreateFolder(Path("no\\parent")));
  EXPECT_TRUE(files_.FolderExists(Path("ジラフォト")));
  EXPECT_TRUE(fs::is_directory(root_ / fs::path(u8"ジラフォト")));
  ASSERT_TRUE(files_.WriteFileReplacing(Path("ジラフォト\\PicD_001.bmp"), "BM"));
  ASSERT_TRUE(files_.WriteFileReplacing(Path("ジラフォト\\.hidden"), ""));
  ASSERT_TRUE(files_.CreateFolder(Path("ジラフォト\\Image2")));

  auto entries = *files_.ListFolder(Path("ジラフォト"));
  std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, ".hidden");
  EXPECT_TRUE(entries[0].hidden);
  EXPECT_EQ(entries[1].name, "Image2");
  EXPECT_TRUE(entries[1].is_directory);
  EXPECT_EQ(entries[2].name, "PicD_001.bmp");
  EXPECT_FALSE(entries[2].is_directory || entries[2].hidden || entries[2].system);

  EXPECT_FALSE(files_.FolderExists(Path("ジラフォト\\PicD_001.bmp")));
  EXPECT_FALSE(files_.CanOpenForReading(Path("ジラフォト\\Image2")));
  EXPECT_FALSE(files_.ReadFile(Path("ジラフォト\\Image2")));
  EXPECT_FALSE(files_.ListFolder(Path("nothing here")));
}

TEST_F(StdFileSystemTest, RemovesFilesButNotFolders) {
  ASSERT_TRUE(files_.WriteFileReplacing(Path("f.bmp"), "x"));
  ASSERT_TRUE(files_.CreateFolder(Path("d.bmp")));
  EXPECT_TRUE(files_.RemoveFile(Path("f.bmp")));
  EXPECT_FALSE(files_.CanOpenForReading(Path("f.bmp")));
  EXPECT_TRUE(files_.RemoveFile(Path("f.bmp")));  // gone already: nothing left to remove
  EXPECT_FALSE(files_.RemoveFile(Path("d.bmp")));
  EXPECT_TRUE(files_.FolderExists(Path("d.bmp")));
}

TEST_F(StdFileSystemTest, CopiesOnlyToNewFiles) {
  ASSERT_TRUE(files_.WriteFileReplacing(Path("a.bmp"), "frame"));
  ASSERT_TRUE(files_.WriteFileReplacing(Path("b.bmp"), "other"));
  ASSERT_TRUE(files_.CreateFolder(Path("写真")));
  EXPECT_TRUE(files_.CopyToNewFile(Path("a.bmp"), Path("写真\\a.bmp")));
  EXPECT_EQ(files_.ReadFile(Path("写真\\a.bmp")), "frame");
  EXPECT_FALSE(files_.CopyToNewFile(Path("a.bmp"), Path("b.bmp")));
  EXPECT_EQ(files_.ReadFile(Path("b.bmp")), "other");
  EXPECT_FALSE(files_.CopyToNewFile(Path("missing.bmp"), Path("c.bmp")));
  EXPECT_FALSE(files_.CopyToNewFile(Path("写真"), Path("c.bmp")));
  EXPECT_FALSE(files_.CopyToNewFile(Path("a.bmp"), Path("no\\folder.bmp")));
  EXPECT_FALSE(files_.CanOpenForReading(Path("c.bmp")));
}

TEST_F(StdFileSystemTest, RenamesAndRemovesFolders) {
  ASSERT_TRUE(files_.CreateFolder(Path("Image1")));
  ASSERT_TRUE(files_.WriteFileReplacing(Path("Image1\\PicD_001.bmp"), "1"));
  ASSERT_TRUE(files_.CreateFolder(Path("empty")));
  EXPECT_FALSE(files_.RenameFolder(Path("Image1"), Path("empty"))) << "an existing folder is not replaced";
  EXPECT_TRUE(files_.RenameFolder(Path("Image1"), Path("Image1.old")));
  EXPECT_FALSE(files_.FolderExists(Path("Image1")));
  EXPECT_EQ(files_.ReadFile(Path("Image1.old\\PicD_001.bmp")), "1");
  EXPECT_FALSE(files_.RenameFolder(Path("Image1.old\\PicD_001.bmp"), Path("x"))) << "a file is no folder";

  EXPECT_FALSE(files_.RemoveFolder(Path("Image1.old"))) << "not empty";
  EXPECT_FALSE(files_.RemoveFolder(Path("Image1.old\\PicD_001.bmp")));
  EXPECT_TRUE(files_.RemoveFolder(Path("empty")));
  EXPECT_FALSE(files_.FolderExists(Path("empty")));
  EXPECT_TRUE(files_.RemoveFolder(Path("empty")));  // gone already
}

TEST_F(StdFileSystemTest, AFileItsOwnerMayNotWriteIsReadOnly) {
  ASSERT_TRUE(files_.WriteFileReplacing(Path("a.bmp"), "x"));
  fs::permissions(root_ / "a.bmp", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const auto entries = files_.ListFolder(base_);
  ASSERT_TRUE(entries && entries->size() == 1);
  EXPECT_TRUE((*entries)[0].read_only);
}

}  // namespace
}  // namespace gyra
