// Committing a rendering: the frames in Image2 become the set the
// screensaver plays in Image1, and Image2 is emptied. Portable: all file
// access goes through the FileSystem interface.
//
// Image1 never holds a mix of old and new frames: the new set is copied into
// a staging folder beside it (Image1.new), the two folders are switched by
// renaming (the old one to Image1.old), and only then are the old set and
// Image2's frames deleted. A failure before or during the switch leaves
// Image1 and Image2 as they were.
#pragma once

#include <string>

#include "core/file_system.h"
#include "data/retrying_file_system.h"

namespace gyra {

enum class FrameCommit {
  kCommitted,
  kNoFrames,     // Image2 holds no frame to commit
  kLeftovers,    // an earlier commit's Image1.new or Image1.old cannot be removed
  kProtected,    // a file in Image1 is read-only, so the old set could not go
  kNotCopied,    // a new frame could not be copied (disk full, unreadable)
  kNotSwitched,  // Image1 could not be read or renamed (in use by a program)
};

// The folders beside Image1 a commit works in.
std::string StagingFolder(const std::string& image1);
std::string RetiredFolder(const std::string& image1);

// A commit cut off between its two renames (power failure) leaves no
// Image1 but the old set in the retired folder: puts it back. False when
// that rename fails.
bool RestoreInterruptedCommit(FileSystem& fs, const std::string& image1);

// Afterwards Image1 holds copies of Image2's frames (the *.bmp files the
// catalogue lists) under their own names, together with every entry of
// Image1 that is not a *.bmp file; Image2's *.bmp files are gone. A
// committed set stays committed when deleting the old set or Image2's frames
// fails; a folder that an interrupted commit left instead of Image1 is put
// back first. A rename or removal that fails is tried again for about two
// seconds (RetryingFileSystem) before the commit reports.
FrameCommit CommitFrames(FileSystem& fs, const std::string& image1, const std::string& image2,
                         Pause pause = SleepFor);

}  // namespace gyra
