// An in-memory FileSystem for the unit tests: folders and files keyed by
// their full path, listing order as created, and switches to make single
// operations fail so failure paths can be tested. Read-only files behave as
// on Windows: they cannot be deleted or written over.
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
  bool read_only = false;
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
  // Every change (write, copy, rename, creation, removal) tried is counted;
  // the one numbered fail_change fails, and so does every one from
  // fail_changes_from on (as when the disk goes away). 0: none.
  int changes = 0;
  int fail_change = 0;
  int fail_changes_from = 0;

  bool HasFolder(const std::string& path) const { return folders_.count(path) > 0; }

  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override {
    if (!folders_.count(folder)) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const auto& path : order_) {
      if (ParentOf(path) != folder) continue;
      FolderEntry e{path.substr(folder.size() + 1)};
      if (auto f = files_.find(path); f != files_.end()) {
        e.hidden = f->second.attributes.hidden;
        e.system = f->second.attributes.system;
        e.read_only = f->second.attributes.read_only;
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
    if (!Change() || !Writable(path) || folders_.count(path) || ReadOnly(path)) return false;
    if (!files_.count(path)) order_.push_back(path);
    files_[path].bytes = bytes;
    return true;
  }
  bool CreateFolder(const std::string& path) override {
    if (!Change() || !Writable(path) || files_.count(path) || folders_.count(path)) return false;
    AddFolder(path);
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    if (!Change()) return !files_.count(path);
    if (!files_.count(path)) return true;
    if (!Writable(path) || ReadOnly(path)) return false;
    Forget(path);
    return true;
  }
  bool CopyToNewFile(const std::string& from, const std::string& to) override {
    if (!Change() || !CanOpenForReading(from) || !Writable(to) || Exists(to)) return false;
    files_[to] = files_.at(from);
    order_.push_back(to);
    return true;
  }
  bool RenameFolder(const std::string& from, const std::string& to) override {
    if (!Change() || !folders_.count(from) || !Writable(from) || !Writable(to) || Exists(to)) return false;
    const auto renamed = [&](const std::string& path) {
      return path == from || path.starts_with(from + "\\") ? to + path.substr(from.size()) : path;
    };
    std::set<std::string> folders;
    for (const auto& folder : folders_) folders.insert(renamed(folder));
    folders_ = std::move(folders);
    std::map<std::string, File> files;
    for (auto& [path, file] : files_) files[renamed(path)] = std::move(file);
    files_ = std::move(files);
    for (auto& path : order_) path = renamed(path);
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    if (!Change()) return !folders_.count(path);
    if (!folders_.count(path)) return true;
    if (!Writable(path) || ListFolder(path)->size() > 0) return false;
    folders_.erase(path);
    Forget(path);
    return true;
  }

 private:
  static std::string ParentOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }
  bool Change() {
    ++changes;
    return changes != fail_change && (fail_changes_from == 0 || changes < fail_changes_from);
  }
  bool Exists(const std::string& path) const { return files_.count(path) || folders_.count(path); }
  bool ReadOnly(const std::string& path) const {
    auto f = files_.find(path);
    return f != files_.end() && f->second.attributes.read_only;
  }
  void Forget(const std::string& path) {
    files_.erase(path);
    order_.erase(std::find(order_.begin(), order_.end(), path));
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
