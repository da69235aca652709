// An in-memory FileSystem for the unit tests: folders and files keyed by
// their full path, listing order as created, and switches to make single
// operations fail so failure paths can be tested.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/file_system.h"

namespace gyra {

struct FileAttributes {
  bool hidden = false;
  bool system = false;
  bool readable = true;
};

class MemoryFileSystem : public FileSystem {
 public:

  void AddFolder(const std::string& path) { folders_.insert(path); order_.push_back(path); }
  void AddFile(const std::string& path, std::string bytes = {}, FileAttributes attributes = {}) {
    files_[path] = {std::move(bytes), attributes};
    order_.push_back(path);
  }
  bool HasFile(const std::string& path) const { return files_.count(path) > 0; }
  const std::string& Bytes(const std::string& path) const { return files_.at(path).bytes; }

  std::set<std::string> read_only_folders;  // writes and removals inside fail
  std::set<std::string> failing_paths;      // any write or removal of these fails

  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override {
    if (!folders_.count(folder)) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const auto& path : order_) {
      if (ParentOf(path) != folder) continue;
      FolderEntry e{path.substr(folder.size() + 1)};
      if (auto f = files_.find(path); f != files_.end()) {
        e.hidden = f->second.attributes.hidden;
        e.system = f->second.attributes.system;
      } else if (folders_.count(path)) {
        e.is_directory = true;
      } else {
        continue;  // removed since
      }
      entries.push_back(e);
    }
    return entries;
  }
  bool FolderExists(const std::string& path) const override { return folders_.count(path) > 0; }
  bool CanOpenForReading(const std::string& path) const override {
    auto f = files_.find(path);
    return f != files_.end() && f->second.attributes.readable;
  }
  std::optional<std::string> ReadFile(const std::string& path) const override {
    if (!CanOpenForReading(path)) return std::nullopt;
    return files_.at(path).bytes;
  }
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    if (!Writable(path) || folders_.count(path)) return false;
    if (!files_.count(path)) order_.push_back(path);
    files_[path].bytes = bytes;
    return true;
  }
  bool CreateFolder(const std::string& path) override {
    if (!Writable(path) || files_.count(path) || folders_.count(path)) return false;
    AddFolder(path);
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    if (!files_.count(path)) return true;
    if (!Writable(path)) return false;
    files_.erase(path);
    order_.erase(std::find(order_.begin(), order_.end(), path));
    return true;
  }

 private:
  static std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }
  bool Writable(const std::string& path) const {
    const std::string parent = ParentOf(path);
    return folders_.count(parent) && !read_only_folders.count(parent) && !failing_paths.count(path);
  }

  struct File {
    std::string bytes;
    FileAttributes attributes;
  };

  std::set<std::string> folders_;
  std::map<std::string, File> files_;
  std::vector<std::string> order_;
};

}  // namespace gyra
