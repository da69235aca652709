// Reading and writing private-profile entries over arbitrary file bytes:
// a read never returns more than a 256-byte buffer holds, and an entry that
// WriteIni accepts reads back as written and, written again, changes no byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "fuzz_check.h"
#include "startup/private_profile.h"

namespace {

bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

// A value that a read gives back byte for byte: no blanks at its ends (reads
// trim them), not inside a pair of quotes (reads strip them), not too long.
bool ReadsBackAsIs(const std::string& value) {
  if (value.size() > gyra::kMaxIniValueBytes) return false;
  if (value.empty()) return true;
  if (IsBlank(value.front()) || IsBlank(value.back())) return false;
  const bool quote = value.front() == '"' || value.front() == '\'';
  return !(quote && value.size() >= 2 && value.back() == value.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string section = input.ConsumeRandomLengthString(16);
  const std::string key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(300);
  const std::string file = input.ConsumeRemainingBytesAsString();

  Check(gyra::ReadIni(file, section, key).size() <= gyra::kMaxIniValueBytes);
  const auto written = gyra::WriteIni(file, section, key, value);
  if (!written || !ReadsBackAsIs(value)) return 0;
  Check(gyra::ReadIni(*written, section, key) == value);
  Check(gyra::WriteIni(*written, section, key, value) == written);
  return 0;
}
