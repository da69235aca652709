// A FileSystem whose renames and removals try again for a moment before they
// report a failure. On a Windows desktop a virus scanner, the search indexer
// or Explorer's thumbnails open a fresh file for a moment, a file deleted
// while another program holds it stays until that program lets go, and a
// folder with an open file in it cannot be renamed. Portable: the waiting
// goes through `pause`, so the tests wait no real time.
#pragma once

#include <chrono>
#include <functional>

#include "core/file_system.h"

namespace gyra {

using Pause = std::function<void(std::chrono::milliseconds)>;

// Waits for real (the calling thread sleeps).
void SleepFor(std::chrono::milliseconds duration);

// The interface does not say why a change failed, so every failure is tried
// again (a rename onto an existing name too): 10, 20, 40 ... ms apart, at
// most 250 ms, until the waiting of this object's whole life reaches
// kRetryBudget. After that each change is tried once, so a medium that
// refuses everything costs one wait, not one per file.
class RetryingFileSystem : public FileSystem {
 public:
  static constexpr std::chrono::milliseconds kRetryBudget{2000};

  RetryingFileSystem(FileSystem& inner, Pause pause) : inner_(inner), pause_(std::move(pause)) {}

  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override {
    return inner_.ListFolder(folder);
  }
  bool FolderExists(const std::string& path) const override { return inner_.FolderExists(path); }
  bool CanOpenForReading(const std::string& path) const override { return inner_.CanOpenForReading(path); }
  std::optional<std::string> ReadFile(const std::string& path) const override { return inner_.ReadFile(path); }
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    return inner_.WriteFileReplacing(path, bytes);
  }
  bool CreateFolder(const std::string& path) override { return inner_.CreateFolder(path); }
  bool CopyToNewFile(const std::string& from, const std::string& to) override { return inner_.CopyToNewFile(from, to); }

  bool RemoveFile(const std::string& path) override;
  bool RenameFolder(const std::string& from, const std::string& to) override;
  bool RemoveFolder(const std::string& path) override;

 private:
  bool Retried(const std::function<bool()>& change);

  FileSystem& inner_;
  Pause pause_;
  std::chrono::milliseconds waited_{0};
};

}  // namespace gyra
