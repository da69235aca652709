// AVIF through libavif, which reports its errors by result and never exits.
// libavif leaves the container's rotation and mirroring to its caller: they
// are applied here, as the one orientation of an AVIF picture.
#include <avif/avif.h>

#include <memory>

#include "core/surface_orientation.h"
#include "library_decoders.h"

namespace gyra {

namespace {

struct DecoderDestroy {
  void operator()(avifDecoder* decoder) const { avifDecoderDestroy(decoder); }
};
using DecoderPtr = std::unique_ptr<avifDecoder, DecoderDestroy>;

// A decoder that has read the file's boxes from the bytes in place.
DecoderPtr Parsed(std::string_view bytes) {
  DecoderPtr decoder(avifDecoderCreate());
  if (!decoder ||
      avifDecoderSetIOMemory(decoder.get(), reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()) !=
          AVIF_RESULT_OK ||
      avifDecoderParse(decoder.get()) != AVIF_RESULT_OK)
    return nullptr;
  return decoder;
}

// The orientation (as the Exif tag numbers them) of a rotation by `angle`
// quarter turns anticlockwise followed by a mirroring: none, top and bottom
// exchanged (mode 0), left and right exchanged (mode 1).
int Orientation(const avifImage& image) {
  static constexpr int kOrientations[3][4] = {{1, 8, 3, 6}, {4, 5, 2, 7}, {2, 7, 4, 5}};
  const int angle = image.transformFlags & AVIF_TRANSFORM_IROT ? image.irot.angle & 3 : 0;
  const int mirror = image.transformFlags & AVIF_TRANSFORM_IMIR ? 1 + (image.imir.mode & 1) : 0;
  return kOrientations[mirror][angle];
}

struct RgbFree {
  void operator()(avifRGBImage* rgb) const { avifRGBImageFreePixels(rgb); }
};

}  // namespace

std::optional<DecodeSize> AvifSize(std::string_view bytes) {
  const DecoderPtr decoder = Parsed(bytes);
  if (!decoder) return std::nullopt;
  return DecodeSize{decoder->image->width, decoder->image->height};
}

std::optional<Surface> DecodeAvif(std::string_view bytes) {
  const DecoderPtr decoder = Parsed(bytes);
  if (!decoder || avifDecoderNextImage(decoder.get()) != AVIF_RESULT_OK) return std::nullopt;
  const avifImage& image = *decoder->image;
  avifRGBImage rgb;
  avifRGBImageSetDefaults(&rgb, &image);
  rgb.format = AVIF_RGB_FORMAT_RGBA;
  rgb.depth = 8;
  std::optional<Surface> picture = PictureSurface(rgb.width, rgb.height);
  if (!picture) return std::nullopt;
  avifRGBImageAllocatePixels(&rgb);
  const std::unique_ptr<avifRGBImage, RgbFree> pixels(&rgb);
  if (avifImageYUVToRGB(&image, &rgb) != AVIF_RESULT_OK) return std::nullopt;
  CopyRgbaRows(rgb.pixels, rgb.rowBytes, 4, picture->View());
  return Orient(std::move(*picture), Orientation(image));
}

}  // namespace gyra
