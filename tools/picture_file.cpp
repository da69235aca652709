#include "picture_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string_view>

// Zeroed memory for the decoder: a JPEG scan may name a Huffman table the
// file never defines, which the stb_image of Debian 12 (2.27) then reads as
// whatever the memory held, indexing far outside its arrays. Zeroed, such a
// table reads as empty.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(pointer, size) std::realloc(pointer, size)
#define STBI_FREE(pointer) std::free(pointer)
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace gyra {

namespace {

const char kUndecodable[] = "not a picture that can be decoded (BMP, GIF, JPEG, PNG)";

uint8_t OverBlack(stbi_uc colour, stbi_uc alpha) { return static_cast<uint8_t>((colour * alpha + 127) / 255); }

// Past the end the decoder reads zeros; so do these.
unsigned ByteAt(std::string_view bytes, size_t i) { return i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0; }
unsigned Be16At(std::string_view bytes, size_t i) { return ByteAt(bytes, i) << 8 | ByteAt(bytes, i + 1); }
uint32_t Be32At(std::string_view bytes, size_t i) { return Be16At(bytes, i) << 16 | Be16At(bytes, i + 2); }
unsigned Le16At(std::string_view bytes, size_t i) { return ByteAt(bytes, i) | ByteAt(bytes, i + 1) << 8; }
uint32_t Le32At(std::string_view bytes, size_t i) { return Le16At(bytes, i) | Le16At(bytes, i + 2) << 16; }

bool IsPng(std::string_view bytes) { return bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1A\n", 8); }

// The size in a PNG file's header. The decoder refuses to tell the size of a
// PNG of more than 2^30 bytes of pixels, so it is read here.
std::optional<PictureSize> PngHeaderSize(std::string_view bytes) {
  if (!IsPng(bytes) || bytes.substr(8, 8) != std::string_view("\0\0\0\x0DIHDR", 8)) return std::nullopt;
  return PictureSize{static_cast<int>(Be32At(bytes, 16)), static_cast<int>(Be32At(bytes, 20))};
}

// The PNG file without its empty image-data chunks, which hold nothing: for
// an empty first one, the stb_image of Debian 12 (2.27) passes memcpy a null
// pointer, which is undefined.
std::string WithoutEmptyPngData(std::string_view png) {
  constexpr uint32_t kImageData = 0x49444154;  // "IDAT"
  std::string kept(png.substr(0, 8));
  for (uint64_t i = 8; i < png.size();) {  // 64 bits: a chunk may claim up to 4 GB
    const uint64_t length = Be32At(png, i);
    const uint64_t chunk = std::min<uint64_t>(12 + length, png.size() - i);
    if (length != 0 || Be32At(png, i + 4) != kImageData) kept.append(png.substr(i, chunk));
    i += chunk;
  }
  return kept;
}

// The tables of the DHT segment whose length field is at i, read as the
// decoder reads them: false when one declares more than the 256 codes a
// table holds.
bool HuffmanTablesFit(std::string_view bytes, size_t i) {
  int left = static_cast<int>(Be16At(bytes, i)) - 2;
  for (i += 2; left > 0;) {
    const unsigned kind = ByteAt(bytes, i);
    if (kind >> 4 > 1 || (kind & 15) > 3) return true;  // the decoder gives up here
    int codes = 0;
    for (int length = 1; length <= 16; ++length) codes += ByteAt(bytes, i + length);
    if (codes > 256) return false;
    i += 17 + codes;
    left -= 17 + codes;
  }
  return true;
}

// Whether a BMP file ends before its last row of pixels, which the decoder
// would take as black. Only for sizes that fit a surface, where nothing below
// can overflow.
bool BmpCutShort(std::string_view bytes, PictureSize size) {
  if (bytes.substr(0, 2) != "BM") return false;
  const bool core_header = Le32At(bytes, 14) == 12;  // the OS/2 header with 16-bit fields
  const unsigned bits = core_header ? Le16At(bytes, 24) : Le16At(bytes, 28);
  if (bits > 32) return false;  // no such bitmap: the decoder refuses it
  const int64_t row_bytes = (static_cast<int64_t>(size.width) * bits + 31) / 32 * 4;
  return Le32At(bytes, 10) + row_bytes * size.height > static_cast<int64_t>(bytes.size());
}

bool IsFrameHeader(unsigned marker) { return marker >= 0xC0 && marker <= 0xC2; }

// The stb_image of Debian 12 (2.27) believes a JPEG Huffman table's code
// counts and writes past the table when they add up to more than 256, so such
// files are refused before it sees them. Up to the frame header the segments
// are walked as the decoder walks them; after it, scans and tables
// interleave, so every 0xFF 0xC4 (a DHT marker) is checked.
bool JpegTablesFit(std::string_view bytes) {
  size_t i = 0;
  while (ByteAt(bytes, i) == 0xFF) ++i;  // the start-of-image marker may have fill bytes too
  if (i == 0 || ByteAt(bytes, i++) != 0xD8) return true;
  while (i < bytes.size()) {
    if (ByteAt(bytes, i) != 0xFF) {
      ++i;  // the decoder skips stray bytes between segments
      continue;
    }
    while (i < bytes.size() && ByteAt(bytes, i) == 0xFF) ++i;
    const unsigned marker = ByteAt(bytes, i++);
    if (marker == 0xC4 && !HuffmanTablesFit(bytes, i)) return false;
    i += Be16At(bytes, i);
    if (IsFrameHeader(marker)) break;
  }
  for (; i + 1 < bytes.size(); ++i)
    if (ByteAt(bytes, i) == 0xFF && ByteAt(bytes, i + 1) == 0xC4 && !HuffmanTablesFit(bytes, i + 2)) return false;
  return true;
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(const std::string& bytes) {
  if (bytes.size() > INT_MAX || !JpegTablesFit(bytes)) return std::nullopt;
  PictureSize size;
  int channels = 0;
  if (const auto png = PngHeaderSize(bytes)) {
    size = *png;
  } else if (!stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()), static_cast<int>(bytes.size()),
                                    &size.width, &size.height, &channels)) {
    return std::nullopt;
  }
  if (size.width < 1 || size.height < 1) return std::nullopt;
  return size;
}

std::variant<Surface, std::string> DecodePicture(const std::string& bytes) {
  const std::optional<PictureSize> size = ReadPictureSize(bytes);
  if (!size) return kUndecodable;
  if (!SurfacePixelCount(size->width, size->height)) {
    return std::to_string(size->width) + " x " + std::to_string(size->height) +
           " pixels: too large a picture (at most " + std::to_string(INT32_MAX / sizeof(Pix_Quad)) + " pixels)";
  }
  if (BmpCutShort(bytes, *size)) return kUndecodable;
  std::string png;
  std::string_view input = bytes;
  if (IsPng(bytes)) input = png = WithoutEmptyPngData(bytes);
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> rgba(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(input.data()), static_cast<int>(input.size()), &width,
                            &height, &channels, 4),
      stbi_image_free);
  if (!rgba) return kUndecodable;
  auto picture = Surface::Create(width, height);
  if (!picture) return kUndecodable;
  SurfaceView view = picture->View();
  for (int y = 0; y < height; ++y) {
    const stbi_uc* p = rgba.get() + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, p += 4)  // the decoder's rows run top-down
      view.At(x, height - 1 - y) = {OverBlack(p[2], p[3]), OverBlack(p[1], p[3]), OverBlack(p[0], p[3]), 0};
  }
  return std::move(*picture);
}

}  // namespace gyra
