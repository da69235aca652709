#include "dialog/picture_path.h"

#include "core/ascii.h"
#include "core/cp932.h"
#include "data/settings_store.h"

namespace gyra {

namespace {

// The file name's extension with its dot ("" when it has none or code page
// 932 cannot hold it).
std::string StorableExtension(const std::string& path) {
  const std::string name = path.substr(path.rfind('\\') + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || !Utf8ToCp932(name.substr(dot))) return {};
  return name.substr(dot);
}

std::string SavedPicturePath(const FileSystem& fs, const DataPaths& paths) {
  return LoadSettings(fs.ReadFile(paths.settings_file), [](const std::string&) { return true; }).picture_path;
}

}  // namespace

std::optional<std::string> StorablePicturePath(const std::string& chosen,
                                               const std::optional<std::string>& short_form) {
  if (Utf8ToCp932(chosen)) return chosen;
  if (short_form && !short_form->empty() && Utf8ToCp932(*short_form)) return short_form;
  return std::nullopt;
}

std::optional<std::string> CopyIntoDataFolder(FileSystem& fs, const std::string& picture, const DataPaths& paths) {
  const std::string extension = StorableExtension(picture);
  std::string copy = paths.data_folder + "\\Picture" + extension;
  if (EqualIgnoringAsciiCase(copy, SavedPicturePath(fs, paths))) copy = paths.data_folder + "\\Picture2" + extension;
  if (!Utf8ToCp932(copy)) return std::nullopt;
  const std::optional<std::string> bytes = fs.ReadFile(picture);
  if (!bytes || !fs.WriteFileReplacing(copy, *bytes)) return std::nullopt;
  return copy;
}

}  // namespace gyra
