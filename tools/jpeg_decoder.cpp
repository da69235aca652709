// JPEG through libjpeg-turbo. Its errors leave by longjmp, so each step that
// may fail sets its own jump point and holds nothing that needs destroying.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE

#include <jpeglib.h>

#include "library_decoders.h"

namespace gyra {

namespace {

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void Refuse(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

// Corrupt data, a file cut short included, is only a warning to libjpeg,
// which then makes up the rest of the picture: refused here instead.
void RefuseWarnings(j_common_ptr info, int level) {
  if (level < 0) Refuse(info);
}

void Silent(j_common_ptr) {}

bool ReadHeader(jpeg_decompress_struct& info, JpegErrors& errors, std::string_view bytes, int eighths) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_EXT_BGRX;  // the surface's byte order
  info.scale_num = eighths;  // reduced from the coefficients, never held whole
  info.scale_denom = 8;
  jpeg_calc_output_dimensions(&info);
  return true;
}

bool ReadRows(jpeg_decompress_struct& info, JpegErrors& errors, SurfaceView picture) {
  if (setjmp(errors.jump)) return false;
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    // The decoder's rows run top-down, the surface's bottom-up.
    JSAMPROW row = reinterpret_cast<JSAMPROW>(&picture.At(0, picture.height - 1 - info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  return true;
}

}  // namespace

std::optional<Surface> DecodeJpeg(std::string_view bytes, int eighths) {
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = Refuse;
  errors.manager.emit_message = RefuseWarnings;
  errors.manager.output_message = Silent;
  std::optional<Surface> picture;
  if (ReadHeader(info, errors, bytes, eighths)) {
    picture = PictureSurface(info.output_width, info.output_height);
    if (picture && !ReadRows(info, errors, picture->View())) picture.reset();
  }
  jpeg_destroy_decompress(&info);
  return picture;
}

}  // namespace gyra
