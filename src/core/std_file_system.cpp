#include "core/std_file_system.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace gyra {

namespace fs = std::filesystem;

namespace {

fs::path ToPath(std::string utf8) {
  if (fs::path::preferred_separator == '/')
    for (char& c : utf8)
      if (c == '\\') c = '/';
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string ToUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

std::optional<std::vector<FolderEntry>> StdFileSystem::ListFolder(const std::string& folder) const {
  std::error_code error;
  fs::directory_iterator it(ToPath(folder), error);
  if (error) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    FolderEntry entry{ToUtf8(it->path().filename())};
    std::error_code kind_error;
    entry.is_directory = it->is_directory(kind_error);
    entry.hidden = entry.name.front() == '.';
    const fs::perms perms = it->status(kind_error).permissions();
    entry.read_only = !kind_error && (perms & fs::perms::owner_write) == fs::perms::none;
    entries.push_back(entry);
  }
  if (error) return std::nullopt;
  return entries;
}

bool StdFileSystem::FolderExists(const std::string& path) const {
  std::error_code error;
  return fs::is_directory(ToPath(path), error);
}

bool StdFileSystem::CanOpenForReading(const std::string& path) const {
  const fs::path p = ToPath(path);
  return IsRegularFile(p) && std::ifstream(p, std::ios::binary).is_open();
}

std::optional<std::string> StdFileSystem::ReadFile(const std::string& path) const {
  const fs::path p = ToPath(path);
  if (!IsRegularFile(p)) return std::nullopt;
  std::ifstream in(p, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

// Written beside the file first, then renamed over it, so a failure leaves
// the old contents.
bool StdFileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  const fs::path target = ToPath(path);
  fs::path partial = target;
  partial += kUnfinishedSuffix;
  bool written;
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    written = out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush();
  }
  std::error_code error;
  if (written) fs::rename(partial, target, error);
  if (written && !error) return true;
  fs::remove(partial, error);
  return false;
}

bool StdFileSystem::CreateFolder(const std::string& path) {
  std::error_code error;
  return fs::create_directory(ToPath(path), error);
}

bool StdFileSystem::RemoveFile(const std::string& path) {
  const fs::path p = ToPath(path);
  std::error_code error;
  const fs::file_status status = fs::symlink_status(p, error);
  if (!fs::exists(status)) return true;
  if (fs::is_directory(status)) return false;
  return fs::remove(p, error);
}

bool StdFileSystem::CopyToNewFile(const std::string& from, const std::string& to) {
  const fs::path source = ToPath(from);
  const fs::path target = ToPath(to);
  std::error_code error;
  if (!IsRegularFile(source) || fs::exists(fs::symlink_status(target, error))) return false;
  if (fs::copy_file(source, target, fs::copy_options::none, error)) return true;
  // A copy that broke off half-way is no copy.
  if (IsRegularFile(target)) fs::remove(target, error);
  return false;
}

// POSIX rename would replace an empty folder at `to`: refused first.
bool StdFileSystem::RenameFolder(const std::string& from, const std::string& to) {
  const fs::path source = ToPath(from);
  const fs::path target = ToPath(to);
  std::error_code error;
  if (!fs::is_directory(source, error) || fs::exists(fs::symlink_status(target, error))) return false;
  fs::rename(source, target, error);
  return !error;
}

bool StdFileSystem::RemoveFolder(const std::string& path) {
  const fs::path p = ToPath(path);
  std::error_code error;
  const fs::file_status status = fs::symlink_status(p, error);
  if (!fs::exists(status)) return true;
  if (!fs::is_directory(status)) return false;
  return fs::remove(p, error);
}

}  // namespace gyra
