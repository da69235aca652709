// Data.ini as any bytes: a read fits a 256-byte buffer; an entry WriteProfileString accepts reads back and a second write
// changes nothing. The settings load, save over any damaged file, load back the same and save again unchanged.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <string>

#include "data/private_profile.h"
#include "data/settings_store.h"
#include "fuzz_check.h"

namespace {

bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

// A value a read gives back as it is: not too long, no blanks at its ends, not quoted.
bool ReadsBackAsIs(const std::string& value) {
  if (value.empty()) return true;
  const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return value.size() <= gyra::kMaxIniValueBytes && !IsBlank(value[0]) && !IsBlank(value.back()) && !quoted;
}

// The picture "opens" only for a full path without a blank at its end, as the dialog picks them.
bool LooksLikeAFullPath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path.substr(1, 2) == ":\\" &&
         !IsBlank(path.back());
}

bool Same(const gyra::Settings& a, const gyra::Settings& b) {
  for (const gyra::SettingKey& key : gyra::kSettingKeys)
    if (key.number && a.*key.number != b.*key.number) return false;
  return a.picture_path == b.picture_path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool pictures_open = input.ConsumeBool(), all_eleven = input.ConsumeBool();
  const std::string section = input.ConsumeRandomLengthString(16), key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(300), file = input.ConsumeRemainingBytesAsString();

  Check(gyra::ReadProfileString(file, section, key).size() <= gyra::kMaxIniValueBytes);
  if (const auto written = gyra::WriteProfileString(file, section, key, value); written && ReadsBackAsIs(value)) {
    Check(gyra::ReadProfileString(*written, section, key) == value);
    Check(gyra::WriteProfileString(*written, section, key, value) == written);
  }

  const auto can_open = [&](const std::string& path) { return pictures_open && LooksLikeAFullPath(path); };
  const gyra::Settings loaded = gyra::LoadSettings(file, can_open);
  const auto saved = gyra::WriteSettings(file, loaded, all_eleven);
  Check(saved.has_value());
  const gyra::Settings reloaded = gyra::LoadSettings(*saved, can_open);
  Check(Same(reloaded, loaded));
  Check(gyra::WriteSettings(*saved, reloaded, all_eleven) == saved);
  return 0;
}
