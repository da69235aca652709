#include "data/frame_commit.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "data/frame_files.h"
#include "data/retrying_file_system.h"

namespace gyra {

namespace {

bool IsFile(const FolderEntry& e) { return !e.is_directory; }
bool IsBitmapFile(const FolderEntry& e) { return !e.is_directory && IsBitmapFileName(e.name); }
bool IsReadOnlyFile(const FolderEntry& e) { return !e.is_directory && e.read_only; }

// Removes the folder's files that `pick` chooses, going on past a failure.
// False when any of them stayed or the folder cannot be listed.
template <typename Pick>
bool RemoveFiles(FileSystem& fs, const std::string& folder, Pick pick) {
  const auto entries = fs.ListFolder(folder);
  if (!entries) return false;
  bool all = true;
  for (const FolderEntry& e : *entries)
    if (pick(e)) all = fs.RemoveFile(folder + "\\" + e.name) && all;
  return all;
}

// A folder of files removed with its files; one holding a folder stays.
bool RemoveFolderOfFiles(FileSystem& fs, const std::string& folder) {
  if (!fs.FolderExists(folder)) return true;
  return RemoveFiles(fs, folder, IsFile) && fs.RemoveFolder(folder);
}

// The retired set's folders, the user's own, move into Image1; then the
// retired set goes. A move that fails now is done by the next commit.
bool RemoveRetiredSet(FileSystem& fs, const std::string& image1) {
  const std::string retired = RetiredFolder(image1);
  if (!fs.FolderExists(retired)) return true;
  for (const FolderEntry& e : fs.ListFolder(retired).value_or(std::vector<FolderEntry>{}))
    if (e.is_directory) fs.RenameFolder(retired + "\\" + e.name, image1 + "\\" + e.name);
  return RemoveFolderOfFiles(fs, retired);
}

// What an earlier commit left when it was interrupted or could not clean
// up: the old set goes back in place of a missing Image1, and the staging
// and retired folders are removed.
bool ClearEarlierCommit(FileSystem& fs, const std::string& image1) {
  if (!RestoreInterruptedCommit(fs, image1)) return false;
  return RemoveFolderOfFiles(fs, StagingFolder(image1)) && RemoveRetiredSet(fs, image1);
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The new frames, and the files of Image1 that stay, copied into the
// staging folder.
bool Stage(FileSystem& fs, const std::string& image1, const std::vector<FolderEntry>& old_entries,
           const std::vector<std::string>& frames) {
  const std::string staged = StagingFolder(image1);
  if (!fs.CreateFolder(staged)) return false;
  for (const std::string& frame : frames)
    if (!fs.CopyToNewFile(frame, staged + "\\" + NameOf(frame))) return false;
  for (const FolderEntry& e : old_entries)
    if (IsFile(e) && !IsBitmapFileName(e.name) && !fs.CopyToNewFile(image1 + "\\" + e.name, staged + "\\" + e.name))
      return false;
  return true;
}

// Image1 (when there is one) becomes the retired folder and the staging
// folder becomes Image1; a failure of the second rename undoes the first.
bool Switch(FileSystem& fs, const std::string& image1, bool had_image1) {
  const std::string retired = RetiredFolder(image1);
  if (had_image1 && !fs.RenameFolder(image1, retired)) return false;
  if (fs.RenameFolder(StagingFolder(image1), image1)) return true;
  if (had_image1) fs.RenameFolder(retired, image1);
  return false;
}

FrameCommit Commit(FileSystem& fs, const std::string& image1, const std::string& image2) {
  if (!ClearEarlierCommit(fs, image1)) return FrameCommit::kLeftovers;
  const std::vector<std::string> frames = ListFrameFiles(fs, image2);
  if (frames.empty()) return FrameCommit::kNoFrames;

  const bool had_image1 = fs.FolderExists(image1);
  const std::optional<std::vector<FolderEntry>> old_entries =
      had_image1 ? fs.ListFolder(image1) : std::vector<FolderEntry>{};
  if (!old_entries) return FrameCommit::kNotSwitched;
  if (std::any_of(old_entries->begin(), old_entries->end(), IsReadOnlyFile)) return FrameCommit::kProtected;

  if (!Stage(fs, image1, *old_entries, frames)) {
    RemoveFolderOfFiles(fs, StagingFolder(image1));
    return FrameCommit::kNotCopied;
  }
  if (!Switch(fs, image1, had_image1)) {
    RemoveFolderOfFiles(fs, StagingFolder(image1));
    return FrameCommit::kNotSwitched;
  }
  RemoveRetiredSet(fs, image1);
  RemoveFiles(fs, image2, IsBitmapFile);
  return FrameCommit::kCommitted;
}

}  // namespace

std::string StagingFolder(const std::string& image1) { return image1 + ".new"; }
std::string RetiredFolder(const std::string& image1) { return image1 + ".old"; }

bool RestoreInterruptedCommit(FileSystem& fs, const std::string& image1) {
  const std::string retired = RetiredFolder(image1);
  if (fs.FolderExists(image1) || !fs.FolderExists(retired)) return true;
  return fs.RenameFolder(retired, image1);
}

FrameCommit CommitFrames(FileSystem& fs, const std::string& image1, const std::string& image2, Pause pause) {
  RetryingFileSystem retrying(fs, std::move(pause));
  return Commit(retrying, image1, image2);
}

}  // namespace gyra
