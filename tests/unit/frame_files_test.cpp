// The data folder's paths, the frame list and the frame commit.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "data/frame_commit.h"
#include "data/frame_files.h"
#include "memory_file_system.h"

namespace gyra {
namespace {

const std::string kData = "C:\\ジラフォト", kImage1 = kData + "\\Image1", kImage2 = kData + "\\Image2";
const std::string kStaged = kImage1 + ".new", kRetired = kImage1 + ".old";
const Pause kNoWait = [](std::chrono::milliseconds) {};

TEST(FrameFiles, PathsOnTheProgramsDrive) {
  const DataPaths p = DataPathsFor("C:\\Windows\\System32");
  EXPECT_EQ(std::tuple(p.data_folder, p.committed_folder, p.rendering_folder, p.settings_file),
            std::tuple(kData, kImage1, kImage2, kData + "\\Data.ini"));
  const std::string kShared = "\\\\server\\share\\ジラフォト";
  const struct { std::string program, data; } cases[] = {
      {"E:\\x.scr", "E:\\ジラフォト"}, {"C:\\Gyrafoto.scr", kData},  // not C:ジラフォト, under the current folder
      {"写真フォルダ\\x.scr", "写真フジラフォト"},                       // characters, not bytes
      {"\\\\server\\share\\dir\\Gyrafoto.scr", kShared}, {"\\\\server\\share\\x.scr", kShared},
      {"\\\\?\\C:\\Tools\\x.scr", kData}, {"\\\\?\\unc\\server\\share\\dir\\x.scr", kShared},
      {"\\\\server\\x.scr", "\\\\server\\ジラフォト"},  // no share: a folder that cannot be made
  };
  for (const auto& c : cases) EXPECT_EQ(DataPathsFor(ParentFolder(c.program)).data_folder, c.data) << c.program;
  EXPECT_EQ(ParentFolder("C:\\表\\x.bmp"), "C:\\表");                        // no stray 0x5C in 表
}

// Made on first run only; on a medium where it cannot be made, no data folder is told once.
TEST(FrameFiles, DataFolderMadeOnFirstRunOnly) {
  const struct { bool exists, writable, made; int folders; } cases[] = {
      {false, true, true, 3}, {true, true, true, 1}, {false, false, false, 0}};
  for (const auto& c : cases) {
    MemoryFileSystem fs;
    fs.AddFolder("C:");
    if (c.exists) fs.AddFolder(kData);
    if (!c.writable) fs.failing_paths = {kData};
    const bool made = MakeDataFolder(fs, DataPathsFor("C:\\"));
    EXPECT_EQ(std::tuple(made, fs.HasFolder(kData) + fs.HasFolder(kImage1) + fs.HasFolder(kImage2)),
              std::tuple(c.made, c.folders)) << "row " << &c - cases;
  }
}

TEST(FrameFiles, ListsEveryVisibleBitmapInPlaybackOrder) {
  MemoryFileSystem fs;
  EXPECT_TRUE(ListFrameFiles(fs, kImage1).empty());
  for (const std::string& folder : {kData, kImage1}) fs.AddFolder(folder);
  for (const char* name : {"PicD_010.bmp", "PicD_002.BMP", "notes.txt", "x.bmpx"}) fs.AddFile(kImage1 + "\\" + name);
  fs.AddFile(kImage1 + "\\PicD_001.bmp", "", {.readable = false});
  fs.AddFile(kImage1 + "\\hidden.bmp", "", {.hidden = true});
  fs.AddFile(kImage1 + "\\system.bmp", "", {.system = true});
  fs.AddFolder(kImage1 + "\\folder.bmp");
  fs.AddFile(kImage2);  // a plain file named like the folder
  EXPECT_EQ(ListFrameFiles(fs, kImage1), (std::vector<std::string>{kImage1 + "\\PicD_001.bmp", kImage1 + "\\PicD_002.BMP",
                                                                 kImage1 + "\\PicD_010.bmp"}));
  EXPECT_TRUE(IsFolder(fs, kImage1 + "\\") && !IsFolder(fs, kImage2) && !CanReadFile(fs, kImage1));
  EXPECT_TRUE(CanReadFile(fs, kImage1 + "\\PicD_010.bmp\\") && !CanReadFile(fs, kImage1 + "\\PicD_001.bmp"));
}

using Files = std::map<std::string, std::string>;  // name -> bytes
const Files kOldSet = {{"PicD_001.bmp", "old 1"}, {"PicD_002.bmp", "old 2"}, {"picd_009.BMP", "old 9"}};
const Files kNewSet = {{"PicD_001.bmp", "new 1"}, {"PicD_002.bmp", "new 2"}, {"PicD_004.bmp", "new 4"}};

// Three committed frames, a note and a folder of the user's (or no Image1 at all, as after the first
// start); three new frames (one name new), a hidden bitmap, a note.
MemoryFileSystem DataFolder(bool image1 = true) {
  MemoryFileSystem fs;
  for (const std::string& folder : {std::string("C:"), kData, kImage2}) fs.AddFolder(folder);
  if (image1) {
    fs.AddFolder(kImage1);
    for (const auto& [name, bytes] : kOldSet) fs.AddFile(kImage1 + "\\" + name, bytes);
    fs.AddFile(kImage1 + "\\readme.txt", "kept");
    fs.AddFolder(kImage1 + "\\mine");
    fs.AddFile(kImage1 + "\\mine\\a.bmp", "mine");
  }
  for (const auto& [name, bytes] : kNewSet) fs.AddFile(kImage2 + "\\" + name, bytes);
  fs.AddFile(kImage2 + "\\Thumbs.bmp", "hidden", {.hidden = true});
  fs.AddFile(kImage2 + "\\notes.txt", "stays");
  return fs;
}

Files Frames(const MemoryFileSystem& fs, const std::string& folder) {
  Files files;
  for (const std::string& path : ListFrameFiles(fs, folder)) files[path.substr(folder.size() + 1)] = fs.Bytes(path);
  return files;
}

void ExpectCommitted(const MemoryFileSystem& fs, bool image1 = true) {
  EXPECT_EQ(std::tuple(Frames(fs, kImage1), Frames(fs, kImage2)), std::tuple(kNewSet, Files{}));
  std::string kept;  // the user's own note and folder in Image1, the note in Image2
  for (const std::string& path : {kImage1 + "\\readme.txt", kImage1 + "\\mine\\a.bmp", kImage2 + "\\notes.txt"})
    if (fs.HasFile(path)) kept += fs.Bytes(path);
  EXPECT_EQ(kept, image1 ? "keptminestays" : "stays");
  EXPECT_FALSE(fs.HasFolder(kStaged) || fs.HasFolder(kRetired));
}

TEST(CommitFrames, ReplacesTheCommittedSetAndEmptiesImage2AfterUndoingAnInterruptedSwitch) {
  MemoryFileSystem stopped = DataFolder();  // between the renames: Image1 retired, a partial staging folder
  ASSERT_TRUE(stopped.RenameFolder(kImage1, kRetired));
  stopped.AddFolder(kStaged);
  stopped.AddFile(kStaged + "\\PicD_001.bmp", "partial");
  EXPECT_EQ(CommitFrames(stopped, kImage1, kImage2, kNoWait), FrameCommit::kCommitted);
  ExpectCommitted(stopped);
}

// One change failing, or all from one on (the disk gone, the program stopped), with Image1 and without:
// the old set and the user's folder stay or come back at the next start; the next commit works.
TEST(CommitFrames, AFailureAtAnyStepLosesNothing) {
  for (const bool image1 : {true, false}) {
    MemoryFileSystem undisturbed = DataFolder(image1);
    ASSERT_EQ(CommitFrames(undisturbed, kImage1, kImage2, kNoWait), FrameCommit::kCommitted);
    ExpectCommitted(undisturbed, image1);
    ASSERT_GT(undisturbed.changes, 4);
    for (const bool for_good : {false, true})
      for (int failing = 1; failing <= undisturbed.changes; ++failing) {
        SCOPED_TRACE((for_good ? "changes fail from " : "change fails: ") + std::to_string(failing) +
                     (image1 ? "" : ", no Image1"));
        MemoryFileSystem fs = DataFolder(image1);
        (for_good ? fs.fail_changes_from : fs.fail_change) = failing;
        const FrameCommit result = CommitFrames(fs, kImage1, kImage2, kNoWait);
        fs.fail_change = fs.fail_changes_from = 0;
        if (!fs.HasFolder(kImage1)) {  // the next start brings it back
          EXPECT_TRUE(for_good || !image1) << "only a stop between the renames leaves no Image1";
          EXPECT_TRUE(RestoreInterruptedCommit(fs, kImage1));
        }
        if (result == FrameCommit::kCommitted) {  // only a clean-up after the switch failed
          EXPECT_EQ(Frames(fs, kImage1), kNewSet);
          for (const auto& [name, bytes] : kNewSet) fs.AddFile(kImage2 + "\\" + name, bytes);
        } else {
          EXPECT_EQ(Frames(fs, kImage1), image1 ? kOldSet : Files{});
        }
        EXPECT_EQ(Frames(fs, kImage2), kNewSet);
        EXPECT_EQ(CommitFrames(fs, kImage1, kImage2, kNoWait), FrameCommit::kCommitted);
        ExpectCommitted(fs, image1);
      }
  }
}

TEST(CommitFrames, RefusesBeforeLosingAnything) {
  using Fs = MemoryFileSystem&;
  using enum FrameCommit;
  const struct { void (*set_up)(Fs); FrameCommit expected; } cases[] = {
      {[](Fs fs) { fs.AddFile(kImage1 + "\\PicD_002.bmp", "old 2", {.read_only = true}); }, kProtected},
      {[](Fs fs) { for (const auto& [name, _] : kNewSet) fs.RemoveFile(kImage2 + "\\" + name); }, kNoFrames},
      {[](Fs fs) { fs.AddFile(kImage2 + "\\PicD_002.bmp", "", {.readable = false}); }, kNotCopied},
      {[](Fs fs) { fs.failing_paths.insert(kImage1); }, kNotSwitched},  // Image1 not renamed
      {[](Fs fs) { fs.AddFolder(kRetired), fs.AddFile(kRetired + "\\x.bmp", "", {.read_only = true}); }, kLeftovers},
  };
  for (const auto& c : cases) {
    MemoryFileSystem fs = DataFolder();
    c.set_up(fs);
    EXPECT_EQ(std::tuple(CommitFrames(fs, kImage1, kImage2, kNoWait), Frames(fs, kImage1), fs.HasFolder(kStaged)),
              std::tuple(c.expected, kOldSet, false)) << "row " << &c - cases;
  }
}

// A scanner, the indexer or Explorer holding a file or folder for a while: the commit waits for it,
// at most about two seconds in all, then reports.
TEST(CommitFrames, WaitsForWhatAnotherProgramHoldsForAMoment) {
  const struct { std::string held; int held_ms; FrameCommit expected; } cases[] = {
      {kImage1, 300, FrameCommit::kCommitted},  // a file open in Image1: the folder cannot be renamed
      {kImage1, 60000, FrameCommit::kNotSwitched},
      {kRetired + "\\PicD_001.bmp", 1500, FrameCommit::kCommitted},  // a thumbnail of an old frame
      {kImage2 + "\\PicD_004.bmp", 300, FrameCommit::kCommitted},    // a fresh frame being scanned
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("row " + std::to_string(&c - cases));
    MemoryFileSystem fs = DataFolder();
    fs.failing_paths = {c.held};
    int waited = 0;
    const auto pause = [&](std::chrono::milliseconds gap) {
      if ((waited += static_cast<int>(gap.count())) >= c.held_ms) fs.failing_paths.clear();
    };
    EXPECT_EQ(CommitFrames(fs, kImage1, kImage2, pause), c.expected);
    EXPECT_LE(waited, 2000);
    if (c.expected == FrameCommit::kCommitted) ExpectCommitted(fs);
    else EXPECT_EQ(std::tuple(Frames(fs, kImage1), Frames(fs, kImage2)), std::tuple(kOldSet, kNewSet));
  }
}

}  // namespace
}  // namespace gyra
