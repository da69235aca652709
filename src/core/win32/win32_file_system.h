// Windows layer: the FileSystem interface over the wide file API, so that
// Japanese paths work on any Windows locale.
#pragma once

#include "core/file_system.h"

namespace gyra {

class Win32FileSystem : public FileSystem {
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
