// WebP through libwebp, which reports its errors by result and never exits.
// It reads no Exif: the orientation tag is applied after it, as for JPEG.
#include <webp/decode.h>

#include "library_decoders.h"
#include "render/decode_scale.h"

namespace gyra {

namespace {

const uint8_t* Data(std::string_view bytes) { return reinterpret_cast<const uint8_t*>(bytes.data()); }

}  // namespace

std::optional<DecodeSize> WebpSize(std::string_view bytes) {
  int width = 0, height = 0;
  if (!WebPGetInfo(Data(bytes), bytes.size(), &width, &height)) return std::nullopt;
  return DecodeSize{width, height};
}

std::optional<Surface> DecodeWebp(std::string_view bytes, int eighths) {
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config) || WebPGetFeatures(Data(bytes), bytes.size(), &config.input) != VP8_STATUS_OK)
    return std::nullopt;
  if (eighths < 8) {  // libwebp scales each row as it comes, never holding the picture whole
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(ScaledSide(config.input.width, eighths));
    config.options.scaled_height = static_cast<int>(ScaledSide(config.input.height, eighths));
  }
  config.output.colorspace = MODE_RGBA;
  std::optional<Surface> picture;
  if (WebPDecode(Data(bytes), bytes.size(), &config) == VP8_STATUS_OK)
    picture = PictureSurface(config.output.width, config.output.height);
  if (picture) CopyRgbaRows(config.output.u.RGBA.rgba, config.output.u.RGBA.stride, 4, picture->View());
  WebPFreeDecBuffer(&config.output);
  return picture;
}

}  // namespace gyra
