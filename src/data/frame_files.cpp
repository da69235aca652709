#include "data/frame_files.h"

#include <algorithm>

#include "core/ascii.h"

namespace gyra {

namespace {

// The first n characters of a UTF-8 string (not bytes: "ジ" is one character).
std::string FirstCharacters(const std::string& text, size_t n) {
  size_t end = 0;
  for (size_t count = 0; end < text.size() && count < n; ++count) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return text.substr(0, end);
}

// The root of the volume holding the folder, with its backslash: the first
// three characters ("C:\"), or "\\server\share\" for a network path. A long
// path's "\\?\" or "\\?\UNC\" prefix is dropped: the data folder's path is
// short, and the settings file keeps paths in it for the old program too.
std::string VolumeRoot(std::string folder) {
  folder = WithTrailingBackslash(folder);
  if (EqualIgnoringAsciiCase(folder.substr(0, 8), "\\\\?\\UNC\\")) folder.erase(1, 6);
  else if (folder.starts_with("\\\\?\\")) folder.erase(0, 4);
  if (!folder.starts_with("\\\\")) return FirstCharacters(folder, 3);
  const size_t server_end = folder.find('\\', 2);
  const size_t share_end = server_end == std::string::npos ? server_end : folder.find('\\', server_end + 1);
  return share_end == std::string::npos ? folder : folder.substr(0, share_end + 1);
}

}  // namespace

bool IsBitmapFileName(const std::string& name) { return HasExtension(name, ".bmp"); }

DataPaths DataPathsFor(const std::string& program_folder) {
  // With its backslash: ParentFolder leaves "C:" for a program in the root, and
  // "C:ジラフォト" would be a folder under the current one.
  const std::string data = VolumeRoot(program_folder) + "ジラフォト";
  return {data, data + "\\Image1", data + "\\Image2", data + "\\Data.ini"};
}

// Creating a folder that is there already fails, and makes nothing else.
bool MakeDataFolder(FileSystem& fs, const DataPaths& paths) {
  if (fs.CreateFolder(paths.data_folder)) {
    fs.CreateFolder(paths.committed_folder);
    fs.CreateFolder(paths.rendering_folder);
  }
  return IsFolder(fs, paths.data_folder);
}

std::string ParentFolder(const std::string& path) {
  const size_t last = path.find_last_of(":\\");
  if (last == std::string::npos) return {};
  std::string folder = path.substr(0, last + 1);
  if (folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string WithTrailingBackslash(const std::string& path) {
  std::string result = path.substr(0, path.find_last_not_of(' ') + 1);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

bool IsFolder(const FileSystem& fs, const std::string& path) {
  std::string folder = WithTrailingBackslash(path);
  folder.pop_back();
  return fs.FolderExists(folder);
}

bool CanReadFile(const FileSystem& fs, const std::string& path) {
  if (!path.empty() && path.back() == '\\') return fs.CanOpenForReading(path.substr(0, path.size() - 1));
  return fs.CanOpenForReading(path);
}

std::vector<std::string> ListFiles(const FileSystem& fs, const std::string& folder,
                                   bool (*wanted)(const std::string& name)) {
  std::vector<std::string> files;
  const auto entries = fs.ListFolder(folder);
  if (!entries) return files;
  for (const FolderEntry& e : *entries) {
    if (e.is_directory || e.hidden || e.system || !wanted(e.name)) continue;
    files.push_back(folder + "\\" + e.name);
  }
  std::sort(files.begin(), files.end());  // ordinal: byte by byte
  return files;
}

std::vector<std::string> ListFrameFiles(const FileSystem& fs, const std::string& folder) {
  return ListFiles(fs, folder, IsBitmapFileName);
}

}  // namespace gyra
