// PNG through libpng. Its errors leave by longjmp, so each step that may
// fail sets its own jump point and holds nothing that needs destroying.
#include <png.h>

#include <cstring>
#include <vector>

#include "library_decoders.h"
#include "render/decode_scale.h"

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

bool ReadRow(png_structp png, png_bytep row) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_row(png, row, nullptr);
  return true;
}

// The file's rows read one by one into the smaller picture: each of its
// pixels is the mean of the block of the file's pixels under it, each laid
// over black first (the opacity then full). The whole picture is never held.
bool ReadReducedRows(png_structp png, int width, int height, SurfaceView reduced) {
  std::vector<uint8_t> row(size_t{4} * width);
  std::vector<int> column_of(width), columns_in(reduced.width);
  for (int x = 0; x < width; ++x) ++columns_in[column_of[x] = static_cast<int>(int64_t{x} * reduced.width / width)];
  std::vector<uint32_t> sums(size_t{3} * reduced.width);
  int rows_in = 0;
  for (int y = 0; y < height; ++y) {
    if (!ReadRow(png, row.data())) return false;
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < 3; ++c) sums[3 * column_of[x] + c] += OverBlack(row[4 * x + c], row[4 * x + 3]);
    ++rows_in;
    const int band = static_cast<int>(int64_t{y} * reduced.height / height);
    if (y + 1 < height && int64_t{y + 1} * reduced.height / height == band) continue;
    Pixel* out = &reduced.At(0, reduced.height - 1 - band);  // the file's rows run top-down
    for (int i = 0; i < reduced.width; ++i) {
      const uint32_t count = static_cast<uint32_t>(columns_in[i]) * rows_in;
      uint8_t mean[3];
      for (int c = 0; c < 3; ++c) mean[c] = static_cast<uint8_t>((sums[3 * i + c] + count / 2) / count);
      out[i] = {mean[0], mean[1], mean[2], 255};
    }
    std::fill(sums.begin(), sums.end(), 0);
    rows_in = 0;
  }
  return true;
}

}  // namespace

std::optional<Surface> DecodePng(std::string_view bytes, int eighths) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Refuse, Ignore);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  PngInput input{bytes};
  std::optional<Surface> picture;
  int width = 0, height = 0;
  bool reduce = false;
  if (info) {
    png_set_read_fn(png, &input, ReadInput);
    if (ReadHeader(png, info)) {
      width = static_cast<int>(png_get_image_width(png, info));  // PictureHeaderSize's checks let it fit
      height = static_cast<int>(png_get_image_height(png, info));
      // An interlaced file's passes each run over the whole picture.
      reduce = eighths < 8 && png_get_interlace_type(png, info) == PNG_INTERLACE_NONE;
      picture = reduce ? PictureSurface(ScaledSide(width, eighths), ScaledSide(height, eighths))
                       : PictureSurface(width, height);
    }
  }
  if (picture && reduce) {
    if (!ReadReducedRows(png, width, height, picture->View())) picture.reset();
  } else if (picture) {
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
