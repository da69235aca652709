// An in-memory FileSystem for the unit tests: folders and files keyed by
// their full path, listed in the order made, with switches that make single
// changes fail. Read-only files behave as on Windows: they cannot be deleted
// or written over.
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
  void AddFolder(const std::string& path) {
    Add(path);
    folders_.insert(path);
  }
  void AddFile(const std::string& path, std::string bytes = {}, FileAttributes attributes = {}) {
    Add(path);
    files_[path] = {std::move(bytes), attributes};
  }
  bool HasFile(const std::string& path) const { return files_.count(path) > 0; }
  bool HasFolder(const std::string& path) const { return folders_.count(path) > 0; }
  const std::string& Bytes(const std::string& path) const { return files_.at(path).bytes; }

  std::set<std::string> read_only_folders;  // writes and removals inside fail
  std::set<std::string> failing_paths;      // any write or removal of these fails
  // Every change tried (write, copy, rename, creation, removal) is counted;
  // the one numbered fail_change fails, and every one from fail_changes_from
  // on (as when the disk goes away). 0: none.
  int changes = 0;
  int fail_change = 0;
  int fail_changes_from = 0;

  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override {
    if (!HasFolder(folder)) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const std::string& path : order_) {
      if (ParentOf(path) != folder) continue;
      FolderEntry e{path.substr(folder.size() + 1)};
      e.is_directory = HasFolder(path);
      if (const auto f = files_.find(path); f != files_.end()) {
        e.hidden = f->second.attributes.hidden;
        e.system = f->second.attributes.system;
        e.read_only = f->second.attributes.read_only;
      }
      entries.push_back(e);
    }
    return entries;
  }
  bool FolderExists(const std::string& path) const override { return HasFolder(path); }
  bool CanOpenForReading(const std::string& path) const override {
    return HasFile(path) && files_.at(path).attributes.readable;
  }
  std::optional<std::string> ReadFile(const std::string& path) const override {
    if (!CanOpenForReading(path)) return std::nullopt;
    return Bytes(path);
  }
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    if (!Change() || !Writable(path) || HasFolder(path) || ReadOnly(path)) return false;
    if (!HasFile(path)) Add(path);
    files_[path].bytes = bytes;
    return true;
  }
  bool CreateFolder(const std::string& path) override {
    if (!Change() || !Writable(path) || Exists(path)) return false;
    AddFolder(path);
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    if (!Change() || !HasFile(path)) return !HasFile(path);
    if (!Writable(path) || ReadOnly(path)) return false;
    Forget(path);
    files_.erase(path);
    return true;
  }
  bool CopyToNewFile(const std::string& from, const std::string& to) override {
    if (!Change() || !CanOpenForReading(from) || !Writable(to) || Exists(to)) return false;
    Add(to);
    files_[to] = files_.at(from);
    return true;
  }
  bool RenameFolder(const std::string& from, const std::string& to) override {
    if (!Change() || !HasFolder(from) || !Writable(from) || !Writable(to) || Exists(to)) return false;
    const auto renamed = [&](const std::string& path) {
      return path == from || path.starts_with(from + "\\") ? to + path.substr(from.size()) : path;
    };
    std::set<std::string> folders;
    for (const std::string& folder : folders_) folders.insert(renamed(folder));
    std::map<std::string, File> files;
    for (auto& [path, file] : files_) files[renamed(path)] = std::move(file);
    folders_.swap(folders);
    files_.swap(files);
    for (std::string& path : order_) path = renamed(path);
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    if (!Change() || !HasFolder(path)) return !HasFolder(path);
    if (!Writable(path) || !ListFolder(path)->empty()) return false;
    Forget(path);
    folders_.erase(path);
    return true;
  }

 private:
  struct File {
    std::string bytes;
    FileAttributes attributes;
  };

  static std::string ParentOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return path.substr(0, slash == std::string::npos ? 0 : slash);
  }
  bool Change() { return ++changes != fail_change && (fail_changes_from == 0 || changes < fail_changes_from); }
  bool Exists(const std::string& path) const { return HasFile(path) || HasFolder(path); }
  bool ReadOnly(const std::string& path) const { return HasFile(path) && files_.at(path).attributes.read_only; }
  bool Writable(const std::string& path) const {
    const std::string parent = ParentOf(path);
    return HasFolder(parent) && !read_only_folders.count(parent) && !failing_paths.count(path);
  }
  void Add(const std::string& path) {
    if (!Exists(path)) order_.push_back(path);
  }
  void Forget(const std::string& path) { order_.erase(std::find(order_.begin(), order_.end(), path)); }

  std::set<std::string> folders_;
  std::map<std::string, File> files_;
  std::vector<std::string> order_;
};

}  // namespace gyra
