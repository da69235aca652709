// Whether a frame file holds a whole bitmap. Portable: reads the headers only.
#pragma once

#include <string_view>

namespace gyra {

// True when the bytes are a Windows bitmap whose headers are complete and
// whose pixel rows (or compressed pixels) lie inside the file. The system's
// loader reads a cut-short bitmap past the end of the file; such a frame is
// skipped like one that does not decode.
bool IsWholeBitmap(std::string_view bytes);

}  // namespace gyra
