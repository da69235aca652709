// Windows build of the headless renderer: pictures decoded by the rendering
// window's own decoder, so that both give the same frames for every format.
#include "picture_file.h"

#include "render/win32/picture_decoder.h"

namespace gyra {

std::variant<Surface, std::string> LoadPicture(const std::string& path, const RenderOptions&) {
  auto loaded = LoadPictureFile(path);
  if (auto* picture = std::get_if<Surface>(&loaded)) return std::move(*picture);
  if (std::get<PictureError>(loaded) == PictureError::kTooLarge) return std::string("too large a picture");
  return std::string("cannot be read, or not a picture that can be decoded (BMP, GIF, JPEG, PNG, WMF)");
}

}  // namespace gyra
