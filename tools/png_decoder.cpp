// PNG through libpng. Its errors leave by longjmp, so each step that may
// fail sets its own jump point and holds nothing that needs destroying.
#include <png.h>

#include <cstring>
#include <vector>

#include "library_decoders.h"

namespace gyra {

namespace {

struct PngInput {
  std::string_view bytes;
  size_t at = 0;
};

void ReadInput(png_structp png, png_bytep out, size_t count) {
  auto* input = static_cast<PngInput*>(png_get_io_ptr(png));
  if (count > input->bytes.size() - input->at) png_error(png, "the file ends early");
  std::memcpy(out, input->bytes.data() + input->at, count);
  input->at += count;
}

[[noreturn]] void Refuse(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

// Every kind of PNG becomes 8-bit blue, green, red, opacity: the surface's
// byte order, opacity where the reserved byte goes.
bool ReadHeader(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // opaque where the file has no opacity
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return png_get_rowbytes(png, info) == size_t{png_get_image_width(png, info)} * 4;
}

bool ReadRows(png_structp png, const std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, const_cast<png_bytepp>(rows.data()));
  return true;
}

}  // namespace

std::optional<Surface> DecodePng(std::string_view bytes) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Refuse, Ignore);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  PngInput input{bytes};
  std::optional<Surface> picture;
  if (info) {
    png_set_read_fn(png, &input, ReadInput);
    if (ReadHeader(png, info)) picture = PictureSurface(png_get_image_width(png, info), png_get_image_height(png, info));
  }
  if (picture) {
    const SurfaceView view = picture->View();
    std::vector<png_bytep> rows(view.height);
    for (int y = 0; y < view.height; ++y)  // the file's rows run top-down, the surface's bottom-up
      rows[y] = reinterpret_cast<png_bytep>(&view.At(0, view.height - 1 - y));
    if (!ReadRows(png, rows)) picture.reset();
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (picture)
    for (Pixel* p = picture->View().pixels, *end = p + picture->width() * picture->height(); p != end; ++p)
      *p = {OverBlack(p->blue, p->reserved), OverBlack(p->green, p->reserved), OverBlack(p->red, p->reserved), 0};
  return picture;
}

}  // namespace gyra
