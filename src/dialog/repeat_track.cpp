#include "dialog/repeat_track.h"

namespace gyra {

std::string FormatHashHash(int number) { return number == 0 ? std::string() : std::to_string(number); }

std::vector<std::string> RepeatTrackEntries() {
  std::vector<std::string> entries;
  for (int track = 0; track < 100; ++track) entries.push_back(FormatHashHash(track));
  return entries;
}

}  // namespace gyra
