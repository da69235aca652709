#include "render/decode_reduction.h"

namespace gyra {

DecodeSize ReducedDecodeSize(DecodeSize picture, DecodeSize needed) {
  DecodeSize reduced = picture;
  for (int64_t scale = 2; scale <= 8; scale *= 2) {
    const DecodeSize next{(picture.width + scale - 1) / scale, (picture.height + scale - 1) / scale};
    if (next.width < needed.width || next.height < needed.height) break;
    reduced = next;
  }
  return reduced;
}

}  // namespace gyra
