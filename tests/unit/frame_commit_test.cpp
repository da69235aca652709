#include "settings/frame_commit.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "memory_file_system.h"

namespace gyra {
namespace {

const std::string kData = "C:\\ジラフォト";
const std::string kImage1 = kData + "\\Image1";
const std::string kImage2 = kData + "\\Image2";
const std::string kStaged = kData + "\\Image1.new";
const std::string kRetired = kData + "\\Image1.old";

using Files = std::map<std::string, std::string>;  // name -> bytes

// Three committed frames and a note that is no frame; five new frames, a
// hidden bitmap that is no frame, and a note.
const Files kOldSet = {{"PicD_001.bmp", "old 1"}, {"PicD_002.bmp", "old 2"}, {"PicD_003.bmp", "old 3"}};
const Files kNewSet = {{"PicD_001.bmp", "new 1"}, {"PicD_002.bmp", "new 2"}, {"PicD_003.bmp", "new 3"},
                       {"PicD_004.bmp", "new 4"}, {"PicD_005.bmp", "new 5"}};

void AddFiles(MemoryFileSystem& fs, const std::string& folder, const Files& files) {
  for (const auto& [name, bytes] : files) fs.AddFile(folder + "\\" + name, bytes);
}

MemoryFileSystem DataFolder() {
  MemoryFileSystem fs;
  fs.AddFolder("C:");
  fs.AddFolder(kData);
  fs.AddFolder(kImage1);
  fs.AddFolder(kImage2);
  AddFiles(fs, kImage1, kOldSet);
  fs.AddFile(kImage1 + "\\readme.txt", "kept");
  AddFiles(fs, kImage2, kNewSet);
  fs.AddFile(kImage2 + "\\Thumbs.bmp", "hidden", {.hidden = true});
  fs.AddFile(kImage2 + "\\notes.txt", "stays");
  return fs;
}

// The files of a folder: the frames (the visible *.bmp) alone or all of them.
Files Contents(const MemoryFileSystem& fs, const std::string& folder, bool frames_only = true) {
  Files files;
  if (const auto entries = fs.ListFolder(folder))
    for (const FolderEntry& e : *entries)
      if (!e.is_directory && (!frames_only || (!e.hidden && e.name.ends_with(".bmp"))))
        files[e.name] = fs.Bytes(folder + "\\" + e.name);
  return files;
}

// Image1 after a commit: the new frames and the note.
Files Committed() {
  Files files = kNewSet;
  files["readme.txt"] = "kept";
  return files;
}

// How many changes a commit that nothing disturbs makes.
int ChangesOfACommit() {
  MemoryFileSystem fs = DataFolder();
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
  return fs.changes;
}

TEST(CommitFrames, ReplacesTheCommittedSetAndEmptiesImage2) {
  MemoryFileSystem fs = DataFolder();
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
  EXPECT_EQ(Contents(fs, kImage1, false), Committed());
  EXPECT_EQ(Contents(fs, kImage2, false), (Files{{"notes.txt", "stays"}}));
  EXPECT_FALSE(fs.HasFolder(kStaged));
  EXPECT_FALSE(fs.HasFolder(kRetired));
}

TEST(CommitFrames, FewerNewFramesLeaveNoOldOnes) {
  MemoryFileSystem fs = DataFolder();
  for (const char* name : {"PicD_003.bmp", "PicD_004.bmp", "PicD_005.bmp"}) fs.RemoveFile(kImage2 + "\\" + name);
  AddFiles(fs, kImage1, {{"PicD_009.bmp", "old 9"}, {"picd_010.BMP", "old 10"}});
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
  EXPECT_EQ(Contents(fs, kImage1, false),
            (Files{{"PicD_001.bmp", "new 1"}, {"PicD_002.bmp", "new 2"}, {"readme.txt", "kept"}}));
}

TEST(CommitFrames, AFailedChangeAtAnyStepLosesNothing) {
  const int changes = ChangesOfACommit();
  ASSERT_GT(changes, 10);
  for (int failing = 1; failing <= changes; ++failing) {
    SCOPED_TRACE("change " + std::to_string(failing) + " fails");
    MemoryFileSystem fs = DataFolder();
    fs.fail_change = failing;
    const FrameCommit result = CommitFrames(fs, kImage1, kImage2);
    EXPECT_EQ(fs.Bytes(kImage1 + "\\readme.txt"), "kept");
    if (result == FrameCommit::kCommitted) {
      // Only a clean-up after the switch failed: the new set is in place.
      EXPECT_EQ(Contents(fs, kImage1), kNewSet);
      continue;
    }
    EXPECT_EQ(Contents(fs, kImage1), kOldSet);
    EXPECT_EQ(Contents(fs, kImage2), kNewSet);
    // Tried again, the commit clears what the failure left and succeeds.
    fs.fail_change = 0;
    EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
    EXPECT_EQ(Contents(fs, kImage1, false), Committed());
    EXPECT_EQ(Contents(fs, kImage2), Files{});
    EXPECT_FALSE(fs.HasFolder(kStaged) || fs.HasFolder(kRetired));
  }
}

TEST(CommitFrames, StoppedAtAnyStepTheNextCommitFinds) {
  // From some change on nothing works any more, as when the disk goes or the
  // program is stopped: the only state without a complete Image1 is the one
  // between the two renames, and the next commit puts the old set back.
  const int changes = ChangesOfACommit();
  for (int failing = 1; failing <= changes; ++failing) {
    SCOPED_TRACE("changes fail from " + std::to_string(failing));
    MemoryFileSystem fs = DataFolder();
    fs.fail_changes_from = failing;
    const FrameCommit result = CommitFrames(fs, kImage1, kImage2);
    if (result == FrameCommit::kCommitted) {
      EXPECT_EQ(Contents(fs, kImage1), kNewSet);
      continue;
    }
    EXPECT_EQ(Contents(fs, kImage2), kNewSet);
    if (fs.HasFolder(kImage1)) {
      EXPECT_EQ(Contents(fs, kImage1), kOldSet);
    } else {
      EXPECT_EQ(Contents(fs, kRetired), kOldSet);
      // The next start puts the old set back before anything reads Image1.
      MemoryFileSystem restarted = fs;
      restarted.fail_changes_from = 0;
      EXPECT_TRUE(RestoreInterruptedCommit(restarted, kImage1));
      EXPECT_EQ(Contents(restarted, kImage1), kOldSet);
    }
    fs.fail_changes_from = 0;
    EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
    EXPECT_EQ(Contents(fs, kImage1, false), Committed());
    EXPECT_FALSE(fs.HasFolder(kStaged) || fs.HasFolder(kRetired));
  }
}

TEST(CommitFrames, AReadOnlyFileInImage1StopsItBeforeAnythingChanges) {
  MemoryFileSystem fs = DataFolder();
  fs.AddFile(kImage1 + "\\PicD_002.bmp", "old 2", {.read_only = true});
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kProtected);
  EXPECT_EQ(Contents(fs, kImage1), kOldSet);
  EXPECT_EQ(Contents(fs, kImage2), kNewSet);
  EXPECT_FALSE(fs.HasFolder(kStaged));
}

TEST(CommitFrames, WithoutNewFramesNothingChanges) {
  MemoryFileSystem fs = DataFolder();
  for (const auto& [name, bytes] : kNewSet) fs.RemoveFile(kImage2 + "\\" + name);
  fs.changes = 0;
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kNoFrames);
  EXPECT_EQ(Contents(fs, kImage1), kOldSet);
  EXPECT_EQ(fs.changes, 0);
}

TEST(CommitFrames, EachFailureIsToldApart) {
  struct Case {
    const char* what;
    void (*set_up)(MemoryFileSystem&);
    FrameCommit expected;
  };
  const Case cases[] = {
      {"a frame cannot be read",
       [](MemoryFileSystem& fs) { fs.AddFile(kImage2 + "\\PicD_003.bmp", "", {.readable = false}); },
       FrameCommit::kNotCopied},
      {"the data folder is read-only", [](MemoryFileSystem& fs) { fs.read_only_folders.insert(kData); },
       FrameCommit::kNotCopied},
      {"Image1 cannot be renamed", [](MemoryFileSystem& fs) { fs.failing_paths.insert(kImage1); },
       FrameCommit::kNotSwitched},
      {"a file left in Image1.old cannot go",
       [](MemoryFileSystem& fs) {
         fs.AddFolder(kRetired);
         fs.AddFile(kRetired + "\\PicD_001.bmp", "older", {.read_only = true});
       },
       FrameCommit::kLeftovers},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFileSystem fs = DataFolder();
    c.set_up(fs);
    EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), c.expected);
    EXPECT_EQ(Contents(fs, kImage1), kOldSet);
    EXPECT_FALSE(fs.HasFolder(kStaged));
  }
}

TEST(CommitFrames, AnInterruptedSwitchIsUndoneFirst) {
  // Stopped between the renames: Image1 is missing, the old set is retired
  // and a partial staging folder lies about.
  MemoryFileSystem fs = DataFolder();
  ASSERT_TRUE(fs.RenameFolder(kImage1, kRetired));
  fs.AddFolder(kStaged);
  fs.AddFile(kStaged + "\\PicD_001.bmp", "partial");
  EXPECT_EQ(CommitFrames(fs, kImage1, kImage2), FrameCommit::kCommitted);
  EXPECT_EQ(Contents(fs, kImage1, false), Committed());
  EXPECT_FALSE(fs.HasFolder(kStaged) || fs.HasFolder(kRetired));
}

TEST(CommitFrames, MakesAMissingImage1AndKeepsItsFolders) {
  MemoryFileSystem missing = DataFolder();
  for (const auto& [name, bytes] : Contents(missing, kImage1, false)) missing.RemoveFile(kImage1 + "\\" + name);
  ASSERT_TRUE(missing.RemoveFolder(kImage1));
  EXPECT_EQ(CommitFrames(missing, kImage1, kImage2), FrameCommit::kCommitted);
  EXPECT_EQ(Contents(missing, kImage1, false), kNewSet);

  MemoryFileSystem with_folder = DataFolder();
  with_folder.AddFolder(kImage1 + "\\mine");
  with_folder.AddFile(kImage1 + "\\mine\\a.bmp", "mine");
  EXPECT_EQ(CommitFrames(with_folder, kImage1, kImage2), FrameCommit::kCommitted);
  EXPECT_EQ(Contents(with_folder, kImage1), kNewSet);
  EXPECT_EQ(with_folder.Bytes(kImage1 + "\\mine\\a.bmp"), "mine");
  EXPECT_FALSE(with_folder.HasFolder(kRetired));
}

}  // namespace
}  // namespace gyra
