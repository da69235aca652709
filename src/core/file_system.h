// The file operations the program needs, as an interface, so that the logic
// built on them (frame catalogue, settings file, frame commit) is portable and
// tested natively against an in-memory fake. Paths are UTF-8 with Windows
// separators ("C:\ジラフォト\Image1"); the Windows implementation converts
// them to UTF-16 for the wide API.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gyra {

struct FolderEntry {
  std::string name;  // file name only, no folder
  bool is_directory = false;
  bool hidden = false;
  bool system = false;
  bool read_only = false;
};

// What a replacing write names the new contents until they are complete; a
// write cut short (power failure, killed process) leaves such a file behind.
constexpr std::string_view kUnfinishedSuffix = ".new";

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Entries directly inside the folder, without "." and "..", in the order the
  // system lists them; nothing when the folder cannot be listed.
  virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const = 0;

  virtual bool FolderExists(const std::string& path) const = 0;

  // Whether the file can be opened for reading (false for folders, locked or
  // unreadable files).
  virtual bool CanOpenForReading(const std::string& path) const = 0;

  // Whole contents of a file; nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;

  // Replaces the file's contents so that a failure leaves the old contents
  // (write beside it, to path + kUnfinishedSuffix, then rename over it).
  // False when anything failed.
  virtual bool WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;

  // Creates one folder (its parent must exist). False when it failed.
  virtual bool CreateFolder(const std::string& path) = 0;

  // Deletes one file. False when it is still there afterwards.
  virtual bool RemoveFile(const std::string& path) = 0;

  // Copies a file to a new file `to`; false, leaving no partial copy, when
  // `to` exists already or anything failed.
  virtual bool CopyToNewFile(const std::string& from, const std::string& to) = 0;

  // Renames a folder with everything in it (or moves it within its drive);
  // false when `to` exists already or anything failed.
  virtual bool RenameFolder(const std::string& from, const std::string& to) = 0;

  // Removes an empty folder. False when it is still there afterwards.
  virtual bool RemoveFolder(const std::string& path) = 0;
};

}  // namespace gyra
