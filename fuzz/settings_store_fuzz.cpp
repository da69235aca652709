// Loading the settings from arbitrary Data.ini bytes and saving them back:
// the load always gives a record, a save of it succeeds (the dialog must be
// able to write a clean file over any damaged one), and the saved file loads
// back as the same record and saves again without a changed byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "startup/settings_store.h"

namespace {

// Whether the picture "opens": only full paths without blanks at their end
// name files here, as the pictures the dialog picks have. Others could open
// on Windows too, relative to the working folder or with the trailing blanks
// the system drops, and would then be saved without the blanks or quotes
// around them that a read takes off: the same file, or one nobody picks.
bool LooksLikeAFullPath(const std::string& path) {
  const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                     path[2] == '\\';
  return drive && std::string_view(" \t\v\f\x1A").find(path.back()) == std::string_view::npos;
}

bool Same(const gyra::Settings& a, const gyra::Settings& b) {
  if (a.Orgn_Path != b.Orgn_Path) return false;
  for (const gyra::SettingKey& key : gyra::kSettingKeys)
    if (key.number && a.*key.number != b.*key.number) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool pictures_open = input.ConsumeBool();
  const bool all_eleven = input.ConsumeBool();
  const std::string file = input.ConsumeRemainingBytesAsString();
  const auto can_open = [pictures_open](const std::string& path) { return pictures_open && LooksLikeAFullPath(path); };

  const gyra::Settings loaded = gyra::LoadSettings(file, can_open);
  const auto saved = gyra::WriteSettings(file, loaded, all_eleven);
  Check(saved.has_value());
  const gyra::Settings reloaded = gyra::LoadSettings(*saved, can_open);
  Check(Same(reloaded, loaded));
  Check(gyra::WriteSettings(*saved, reloaded, all_eleven) == saved);
  return 0;
}
