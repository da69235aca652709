// The size a picture file is decoded at, and the size its header declares,
// read before any decoder sees the file. Photos of 50 to 200 megapixels are
// common, but a 32-bit process cannot hold one at its own size next to the
// decoder's copy, and the frames never use that many pixels (the strip is 2N
// high): such pictures are decoded scaled down. A header declaring far more
// pixels than that is refused before decoding, since the system's decoders
// do not all survive one (a 40000 x 40000 JPEG crashes Wine's). Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gyra {

// More pixels than this are decoded scaled down to at most this many.
constexpr int64_t kMaxDecodedPixels = int64_t{16} * 1024 * 1024;
// More pixels than this are refused from the file's header: the system's
// decoder alone would need more memory than a 32-bit process has to spare.
constexpr int64_t kMaxSourcePixels = int64_t{256} * 1024 * 1024;
// How much of the file's beginning PictureHeaderSize needs at most.
constexpr size_t kPictureHeadBytes = 1024 * 1024;

struct DecodeSize {
  int64_t width = 0;
  int64_t height = 0;

  friend bool operator==(const DecodeSize&, const DecodeSize&) = default;
};

// The picture's own size when it has at most kMaxDecodedPixels, else the
// largest of about its proportions within that (each side at least 1);
// nothing when a side is not positive or it has more than kMaxSourcePixels.
std::optional<DecodeSize> DecodedPictureSize(int64_t width, int64_t height);

// The size declared by the header of a BMP, GIF (the larger of the screen and
// the first image, side by side), PNG or JPEG file from its first bytes;
// nothing for other formats, or when the head ends before the size.
std::optional<DecodeSize> PictureHeaderSize(std::string_view head);

}  // namespace gyra
