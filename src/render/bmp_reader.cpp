#include "render/bmp_reader.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <vector>

namespace gyra {

namespace {

constexpr uint32_t kRgb = 0;        // BI_RGB
constexpr uint32_t kRle8 = 1;       // BI_RLE8
constexpr uint32_t kRle4 = 2;       // BI_RLE4
constexpr uint32_t kBitfields = 3;  // BI_BITFIELDS
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;  // the OS/2 header, 16-bit sizes, 3-byte colours
constexpr uint32_t kInfoHeaderSize = 40;

// `size` little-endian bytes at `at`; the caller has checked that they exist.
uint32_t Le(std::string_view bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

struct Layout {
  int64_t width = 0;
  int64_t height = 0;
  bool top_down = false;
  unsigned bits = 0;
  uint32_t compression = kRgb;
  uint32_t colours_used = 0;  // 0: all the bit depth allows
  size_t header_end = 0;
  size_t colour_bytes = 4;
};

std::optional<Layout> ReadLayout(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + 4 || bytes.substr(0, 2) != "BM") return std::nullopt;
  const uint32_t header = Le(bytes, kFileHeaderSize, 4);
  Layout layout;
  if (header == kCoreHeaderSize && bytes.size() >= kFileHeaderSize + kCoreHeaderSize) {
    layout.width = Le(bytes, 18, 2);
    layout.height = Le(bytes, 20, 2);
    layout.bits = Le(bytes, 24, 2);
    layout.colour_bytes = 3;
  } else if (header >= kInfoHeaderSize && header <= bytes.size() - kFileHeaderSize) {
    layout.width = static_cast<int32_t>(Le(bytes, 18, 4));
    const int64_t height = static_cast<int32_t>(Le(bytes, 22, 4));
    layout.top_down = height < 0;
    layout.height = layout.top_down ? -height : height;
    layout.bits = Le(bytes, 28, 2);
    layout.compression = Le(bytes, 30, 4);
    layout.colours_used = Le(bytes, 46, 4);
  } else {
    return std::nullopt;
  }
  layout.header_end = kFileHeaderSize + header;
  const bool paletted = layout.bits == 1 || layout.bits == 4 || layout.bits == 8;
  const bool direct = layout.bits == 16 || layout.bits == 24 || layout.bits == 32;
  const bool runs =
      (layout.compression == kRle8 && layout.bits == 8) || (layout.compression == kRle4 && layout.bits == 4);
  const bool known = layout.compression == kRgb ? paletted || direct
                     : runs                     ? !layout.top_down  // GDI has no top-down runs
                                                : layout.compression == kBitfields && layout.bits != 24 && direct;
  if (!known || layout.width < 1 || layout.height < 1 || layout.width > INT_MAX || layout.height > INT_MAX)
    return std::nullopt;
  return layout;
}

std::optional<std::vector<Pixel>> ReadColourTable(std::string_view bytes, const Layout& layout) {
  const uint32_t most = 1u << layout.bits;
  const uint32_t count = layout.colours_used == 0 || layout.colours_used > most ? most : layout.colours_used;
  if (layout.header_end + uint64_t{count} * layout.colour_bytes > bytes.size()) return std::nullopt;
  std::vector<Pixel> table(count);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = layout.header_end + i * layout.colour_bytes;
    table[i] = {static_cast<uint8_t>(bytes[at]), static_cast<uint8_t>(bytes[at + 1]),
                static_cast<uint8_t>(bytes[at + 2]), 0};
  }
  return table;
}

// A colour field of `width` bits widened to 8 by repeating its bits, so that
// the 5-bit 31 gives 255 and 1 gives 8, as GDI widens it.
uint8_t Widen(uint32_t value, int width) {
  if (width >= 8) return static_cast<uint8_t>(value >> (width - 8));
  uint32_t widened = 0;
  for (int shift = 8 - width; shift > -width; shift -= width) widened |= shift >= 0 ? value << shift : value >> -shift;
  return static_cast<uint8_t>(widened);
}

class Channel {
 public:
  explicit Channel(uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), width_(std::bit_width(mask >> shift_)) {}
  uint8_t Of(uint32_t pixel) const { return mask_ ? Widen((pixel & mask_) >> shift_, width_) : 0; }

 private:
  uint32_t mask_;
  int shift_;
  int width_;
};

struct Masks {
  Channel red, green, blue;
};

// BI_BITFIELDS masks follow a 40-byte header and sit at the same place inside
// a longer one.
std::optional<Masks> ReadMasks(std::string_view bytes, const Layout& layout) {
  if (layout.compression == kRgb)
    return layout.bits == 16 ? Masks{Channel(0x7C00), Channel(0x03E0), Channel(0x001F)}
                             : Masks{Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
  constexpr size_t at = kFileHeaderSize + kInfoHeaderSize;
  if (at + 12 > bytes.size()) return std::nullopt;
  return Masks{Channel(Le(bytes, at, 4)), Channel(Le(bytes, at + 4, 4)), Channel(Le(bytes, at + 8, 4))};
}

void ReadRow(const uint8_t* in, unsigned bits, const std::vector<Pixel>& table, const Masks& masks,
             Pixel* out, int width) {
  for (int x = 0; x < width; ++x) {
    uint32_t index = 0;
    switch (bits) {
      case 1: index = in[x >> 3] >> (7 - (x & 7)) & 1; break;
      case 4: index = in[x >> 1] >> ((x & 1) ? 0 : 4) & 15; break;
      case 8: index = in[x]; break;
      case 24: out[x] = {in[3 * x], in[3 * x + 1], in[3 * x + 2], 0}; continue;
      default: {
        const uint32_t pixel = bits == 16 ? in[2 * x] | in[2 * x + 1] << 8
                                          : in[4 * x] | in[4 * x + 1] << 8 | in[4 * x + 2] << 16 | uint32_t{in[4 * x + 3]} << 24;
        out[x] = {masks.blue.Of(pixel), masks.green.Of(pixel), masks.red.Of(pixel), 0};
        continue;
      }
    }
    out[x] = index < table.size() ? table[index] : Pixel{};
  }
}

// Run-length rows as GDI reads them: runs are clipped at the row's end and a
// pixel no run reaches stays black. The runs end at the end-of-bitmap mark or
// on leaving the top row; false when the data ends before that.
bool ReadRuns(std::string_view data, unsigned bits, const std::vector<Pixel>& table, SurfaceView view) {
  const auto byte = [&](size_t at) { return static_cast<uint8_t>(data[at]); };
  int64_t x = 0, y = 0;  // a delta may move x far past the row's end
  const auto put = [&](unsigned i, uint8_t indices) {  // the i-th pixel of a run, at x
    const unsigned index = bits == 8 ? indices : i % 2 ? indices & 15 : indices >> 4;
    if (x < view.width)
      view.At(static_cast<int>(x), static_cast<int>(y)) = index < table.size() ? table[index] : Pixel{};
    ++x;
  };
  for (size_t at = 0; y < view.height;) {
    if (at + 2 > data.size()) return false;
    const unsigned count = byte(at), code = byte(at + 1);
    at += 2;
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(i, static_cast<uint8_t>(code));
    } else if (code == 0) {  // end of line
      x = 0;
      ++y;
    } else if (code == 1) {  // end of bitmap
      return true;
    } else if (code == 2) {  // delta
      if (at + 2 > data.size()) return false;
      x += byte(at);
      y += byte(at + 1);
      at += 2;
    } else {  // `code` pixels as they are, padded to 16 bits
      const size_t length = bits == 8 ? code : (code + 1) / 2;
      if (at + length > data.size()) return false;
      for (unsigned i = 0; i < code; ++i) put(i, byte(at + (bits == 8 ? i : i / 2)));
      at += (length + 1) / 2 * 2;
    }
  }
  return true;
}

}  // namespace

std::optional<Surface> ReadBmp(std::string_view bytes) {
  const std::optional<Layout> layout = ReadLayout(bytes);
  if (!layout) return std::nullopt;
  std::vector<Pixel> table;
  if (layout->bits <= 8) {
    auto read = ReadColourTable(bytes, *layout);
    if (!read) return std::nullopt;
    table = std::move(*read);
  }
  const uint64_t offset = Le(bytes, 10, 4);
  if (offset > bytes.size()) return std::nullopt;
  const int width = static_cast<int>(layout->width);
  const int height = static_cast<int>(layout->height);
  if (layout->compression == kRle8 || layout->compression == kRle4) {
    std::optional<Surface> picture = Surface::Create(width, height);
    if (!picture || !ReadRuns(bytes.substr(offset), layout->bits, table, picture->View())) return std::nullopt;
    return picture;
  }
  const std::optional<Masks> masks = ReadMasks(bytes, *layout);
  if (!masks) return std::nullopt;
  // Every row must be there before anything is allocated.
  const uint64_t stride = (static_cast<uint64_t>(layout->width) * layout->bits + 31) / 32 * 4;
  if (static_cast<uint64_t>(layout->height) > (bytes.size() - offset) / stride) return std::nullopt;
  std::optional<Surface> picture = Surface::Create(width, height);
  if (!picture) return std::nullopt;
  const SurfaceView view = picture->View();
  for (int row = 0; row < height; ++row) {
    const auto* in = reinterpret_cast<const uint8_t*>(bytes.data() + offset + row * stride);
    ReadRow(in, layout->bits, table, *masks, &view.At(0, layout->top_down ? height - 1 - row : row), width);
  }
  return picture;
}

}  // namespace gyra
