// The FileSystem interface over the C++ standard library, for the
// command-line tools and the tests that need real folders. Portable: paths
// are UTF-8; "\" separates folders as in the program's paths and is read as
// "/" where the system uses that. The standard library knows no hidden or
// system attribute: names starting with "." count as hidden, nothing as
// system; an entry its owner may not write counts as read-only.
#pragma once

#include "core/file_system.h"

namespace gyra {

class StdFileSystem : public FileSystem {
 public:
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override;
  bool FolderExists(const std::string& path) const override;
  bool CanOpenForReading(const std::string& path) const override;
  std::optional<std::string> ReadFile(const std::string& path) const override;
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool CopyToNewFile(const std::string& from, const std::string& to) override;
  bool RenameFolder(const std::string& from, const std::string& to) override;
  bool RemoveFolder(const std::string& path) override;
};

}  // namespace gyra
