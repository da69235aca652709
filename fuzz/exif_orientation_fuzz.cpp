// Any bytes as a picture file's orientation tag, then the tag applied to a
// small picture: no crash; a value in range, the picture's pixels all kept.
#include <string_view>

#include "core/surface_orientation.h"
#include "fuzz_check.h"
#include "render/exif_orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto orientation = gyra::ReadOrientation(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!orientation) return 0;
  Check(*orientation >= 1 && *orientation <= 8);
  const gyra::Surface upright = gyra::Orient(*gyra::Surface::Create(3, 2), *orientation);
  Check(upright.width() * upright.height() == 6);
  return 0;
}
