// GIF through giflib, which reports its errors by result and never exits.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "library_decoders.h"

namespace gyra {

namespace {

struct GifInput {
  std::string_view bytes;
  size_t at = 0;
};

int ReadInput(GifFileType* gif, GifByteType* out, int count) {
  auto* input = static_cast<GifInput*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), input->bytes.size() - input->at);
  std::memcpy(out, input->bytes.data() + input->at, n);
  input->at += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

// Reads an extension; a graphic control extension sets the transparent
// colour (-1: none).
int ReadExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return GIF_ERROR;
  if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) transparent = (block[1] & 1) ? block[4] : -1;
  while (block)
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return GIF_ERROR;
  return GIF_OK;
}

// Row y of the image's k-th line: interlaced images send every 8th row from
// 0, then from 4, every 4th from 2, every 2nd from 1.
int RowOfLine(int k, int height, bool interlaced) {
  if (!interlaced) return k;
  for (const auto& [start, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}}) {
    const int lines = start < height ? (height - start + step - 1) / step : 0;
    if (k < lines) return start + k * step;
    k -= lines;
  }
  return -1;
}

// The image's lines onto the screen; a file cut short keeps what arrived.
void DrawImage(GifFileType* gif, int transparent, SurfaceView screen) {
  const GifImageDesc& image = gif->Image;
  const ColorMapObject* colours = image.ColorMap ? image.ColorMap : gif->SColorMap;
  std::vector<GifPixelType> line(std::max(image.Width, 1));
  for (int k = 0; k < image.Height; ++k) {
    if (DGifGetLine(gif, line.data(), image.Width) == GIF_ERROR) return;
    const int y = image.Top + RowOfLine(k, image.Height, image.Interlace);
    if (y >= screen.height) continue;
    for (int i = 0; i < image.Width && image.Left + i < screen.width; ++i) {
      const int index = line[i];
      if (index == transparent || !colours || index >= colours->ColorCount) continue;
      const GifColorType& c = colours->Colors[index];
      screen.At(image.Left + i, screen.height - 1 - y) = {c.Blue, c.Green, c.Red, 0};
    }
  }
}

}  // namespace

std::optional<Surface> DecodeGif(std::string_view bytes) {
  GifInput input{bytes};
  int error = 0;
  const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&input, ReadInput, &error));
  if (!gif) return std::nullopt;
  std::optional<Surface> screen = PictureSurface(gif->SWidth, gif->SHeight);
  if (!screen) return std::nullopt;
  int transparent = -1;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return std::nullopt;
    if (record == EXTENSION_RECORD_TYPE) {
      if (ReadExtension(gif.get(), transparent) == GIF_ERROR) return std::nullopt;
    } else if (record == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return std::nullopt;
      DrawImage(gif.get(), transparent, screen->View());
      return screen;
    } else {
      return std::nullopt;  // the end, or no image at all
    }
  }
}

}  // namespace gyra
