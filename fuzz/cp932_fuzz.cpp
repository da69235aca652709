// Code page 932 and UTF-8 over arbitrary bytes: whatever decodes encodes
// again and decodes to the same text; whatever encodes decodes back to the
// very UTF-8 it came from.
#include <string>

#include "core/cp932.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  if (const auto text = gyra::Cp932ToUtf8(bytes)) {
    const auto encoded = gyra::Utf8ToCp932(*text);
    Check(encoded.has_value());
    Check(gyra::Cp932ToUtf8(*encoded) == text);
  }
  if (const auto encoded = gyra::Utf8ToCp932(bytes)) Check(gyra::Cp932ToUtf8(*encoded) == bytes);
  return 0;
}
