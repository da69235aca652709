// Data.ini as arbitrary bytes. One entry: a read never returns more than a
// 256-byte buffer holds, and an entry WriteIni accepts reads back as written
// and, written again, changes no byte. The settings: the load always gives a
// record, a save of it succeeds (the dialog must be able to write a clean
// file over any damaged one), and the saved file loads back as the same
// record and saves again without a changed byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <string>

#include "fuzz_check.h"
#include "startup/private_profile.h"
#include "startup/settings_store.h"

namespace {

bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

// A value that a read gives back byte for byte: no blanks at its ends (reads
// trim them), not inside a pair of quotes (reads strip them), not too long.
bool ReadsBackAsIs(const std::string& value) {
  if (value.empty()) return true;
  const bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return value.size() <= gyra::kMaxIniValueBytes && !IsBlank(value[0]) && !IsBlank(value.back()) && !quoted;
}

// Whether the picture "opens": only full paths without blanks at their end,
// as the dialog picks them (others would be saved without the blanks or
// quotes a read takes off: the same file, or one nobody picks).
bool LooksLikeAFullPath(const std::string& path) {
  const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                     path[2] == '\\';
  return drive && !IsBlank(path.back());
}

bool Same(const gyra::Settings& a, const gyra::Settings& b) {
  for (const gyra::SettingKey& key : gyra::kSettingKeys)
    if (key.number && a.*key.number != b.*key.number) return false;
  return a.Orgn_Path == b.Orgn_Path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool pictures_open = input.ConsumeBool(), all_eleven = input.ConsumeBool();
  const std::string section = input.ConsumeRandomLengthString(16), key = input.ConsumeRandomLengthString(16);
  const std::string value = input.ConsumeRandomLengthString(300), file = input.ConsumeRemainingBytesAsString();

  Check(gyra::ReadIni(file, section, key).size() <= gyra::kMaxIniValueBytes);
  if (const auto written = gyra::WriteIni(file, section, key, value); written && ReadsBackAsIs(value)) {
    Check(gyra::ReadIni(*written, section, key) == value);
    Check(gyra::WriteIni(*written, section, key, value) == written);
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
