// An in-memory FileSystem for the unit tests: paths listed in the order made,
// changes made to fail at will, read-only files kept as Windows keeps them.
#pragma once

#include <map>
#include <set>
#include <string>

#include "core/file_system.h"

namespace gyra {

struct FileAttributes { bool hidden = false, system = false, readable = true, read_only = false; };

class MemoryFileSystem : public FileSystem {
 public:
  bool AddFolder(const std::string& path) { return (entries_[path] = {true, {}, {}, Serial(path)}).folder; }
  bool AddFile(const std::string& path, std::string bytes = {}, FileAttributes attributes = {}) {
    return !(entries_[path] = {false, std::move(bytes), attributes, Serial(path)}).folder;
  }
  bool HasFile(const std::string& path) const { return entries_.count(path) && !entries_.at(path).folder; }
  bool HasFolder(const std::string& path) const { return entries_.count(path) && entries_.at(path).folder; }
  const std::string& Bytes(const std::string& path) const { return entries_.at(path).bytes; }

  std::set<std::string> failing_paths;  // any write or removal of these fails
  // Changes tried are counted: number fail_change fails, and all from fail_changes_from on (0: none).
  int changes = 0, fail_change = 0, fail_changes_from = 0;

  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) const override {
    if (!HasFolder(folder)) return std::nullopt;
    std::map<int, FolderEntry> by_serial;
    for (const auto& [path, e] : entries_)
      if (path != folder && ParentOf(path) == folder)
        by_serial[e.serial] = {path.substr(folder.size() + 1), e.folder, e.attributes.hidden, e.attributes.system,
                               e.attributes.read_only};
    std::vector<FolderEntry> list;
    for (auto& [serial, entry] : by_serial) list.push_back(entry);
    return list;
  }
  bool FolderExists(const std::string& path) const override { return HasFolder(path); }
  bool CanOpenForReading(const std::string& path) const override { return HasFile(path) && At(path).readable; }
  std::optional<std::string> ReadFile(const std::string& path) const override {
    return CanOpenForReading(path) ? std::optional(Bytes(path)) : std::nullopt;
  }
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    return Change() && Writable(path) && !HasFolder(path) && !ReadOnly(path) &&
           AddFile(path, bytes, HasFile(path) ? At(path) : FileAttributes{});
  }
  bool CreateFolder(const std::string& path) override {
    return Change() && Writable(path) && !entries_.count(path) && AddFolder(path);
  }
  bool RemoveFile(const std::string& path) override {
    if (!Change() || !HasFile(path)) return !HasFile(path);
    return Writable(path) && !ReadOnly(path) && entries_.erase(path);
  }
  bool CopyToNewFile(const std::string& from, const std::string& to) override {
    return Change() && CanOpenForReading(from) && Writable(to) && !entries_.count(to) &&
           AddFile(to, Bytes(from), At(from));
  }
  bool RenameFolder(const std::string& from, const std::string& to) override {
    if (!Change() || !HasFolder(from) || !Writable(from) || !Writable(to) || entries_.count(to)) return false;
    std::map<std::string, Entry> renamed;
    for (auto& [path, e] : entries_)
      renamed[path == from || path.starts_with(from + "\\") ? to + path.substr(from.size()) : path] = std::move(e);
    entries_.swap(renamed);
    return true;
  }
  bool RemoveFolder(const std::string& path) override {
    if (!Change() || !HasFolder(path)) return !HasFolder(path);
    return Writable(path) && ListFolder(path)->empty() && entries_.erase(path);
  }

 private:
  struct Entry { bool folder = false; std::string bytes; FileAttributes attributes; int serial = 0; };

  static std::string ParentOf(const std::string& path) { return path.substr(0, path.rfind('\\')); }
  int Serial(const std::string& path) { return entries_.count(path) ? entries_[path].serial : next_serial_++; }
  bool Change() { return ++changes != fail_change && (fail_changes_from == 0 || changes < fail_changes_from); }
  const FileAttributes& At(const std::string& path) const { return entries_.at(path).attributes; }
  bool ReadOnly(const std::string& path) const { return HasFile(path) && At(path).read_only; }
  bool Writable(const std::string& path) const { return HasFolder(ParentOf(path)) && !failing_paths.count(path); }

  std::map<std::string, Entry> entries_;
  int next_serial_ = 0;
};

}  // namespace gyra
