// HEIC and HEIF through libheif, which reports its errors by result and
// never exits. libheif turns the picture by the container's rotation and
// mirroring itself; its Exif orientation must not turn it again.
#include <libheif/heif.h>

#include <memory>

#include "library_decoders.h"

namespace gyra {

namespace {

struct ContextFree {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

// The file's primary image, read from the bytes in place (they outlive it).
struct HeifFile {
  std::unique_ptr<heif_context, ContextFree> context{heif_context_alloc()};
  std::unique_ptr<heif_image_handle, HandleRelease> primary;

  explicit HeifFile(std::string_view bytes) {
    heif_image_handle* handle = nullptr;
    if (!context ||
        heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr).code !=
            heif_error_Ok ||
        heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
      return;
    primary.reset(handle);
  }
};

}  // namespace

std::optional<DecodeSize> HeifSize(std::string_view bytes) {
  const HeifFile file(bytes);
  if (!file.primary) return std::nullopt;
  return DecodeSize{heif_image_handle_get_width(file.primary.get()), heif_image_handle_get_height(file.primary.get())};
}

std::optional<Surface> DecodeHeif(std::string_view bytes) {
  const HeifFile file(bytes);
  if (!file.primary) return std::nullopt;
  const bool alpha = heif_image_handle_has_alpha_channel(file.primary.get());
  const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
  if (!options) return std::nullopt;
  options->convert_hdr_to_8bit = 1;  // 10-bit photos (HDR) too, as 8 bits a colour
  heif_image* decoded = nullptr;
  if (heif_decode_image(file.primary.get(), &decoded, heif_colorspace_RGB,
                        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get())
          .code != heif_error_Ok)
    return std::nullopt;
  const std::unique_ptr<heif_image, ImageRelease> image(decoded);
  int stride = 0;
  const uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
  std::optional<Surface> picture = PictureSurface(heif_image_get_width(image.get(), heif_channel_interleaved),
                                                  heif_image_get_height(image.get(), heif_channel_interleaved));
  if (!rows || !picture) return std::nullopt;
  CopyRgbaRows(rows, stride, alpha ? 4 : 3, picture->View());
  return picture;
}

}  // namespace gyra
