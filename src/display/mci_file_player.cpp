#include "display/mci_file_player.h"

#include <array>
#include <utility>

#include "core/ascii.h"

namespace gyra {

std::optional<std::string> MciDeviceTypeFor(const std::string& file_name) {
  static const std::array<std::pair<const char*, const char*>, 10> kTypes = {{
      {".wav", "waveaudio"},
      {".mid", "sequencer"}, {".midi", "sequencer"}, {".rmi", "sequencer"},
      {".mp3", "mpegvideo"}, {".wma", "mpegvideo"}, {".aif", "mpegvideo"},
      {".aiff", "mpegvideo"}, {".au", "mpegvideo"}, {".snd", "mpegvideo"},
  }};
  const size_t dot = file_name.find_last_of('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string extension = AsciiLowered(file_name.substr(dot));
  for (const auto& [ending, type] : kTypes)
    if (extension == ending) return type;
  return std::nullopt;
}

std::string MciFilePlayer::Alias(int slot) const {
  return "gyrafoto_track" + std::to_string(slot);
}

bool MciFilePlayer::Start(const std::string& path) {
  const auto type = MciDeviceTypeFor(path);
  if (!type) return false;
  const int slot = open_ ? 1 - slot_ : slot_;
  const std::string alias = Alias(slot);
  // A path cannot hold a double quote, so quoting keeps its blanks intact.
  if (mci_.Send("open \"" + path + "\" type " + *type + " alias " + alias, nullptr) != 0) return false;
  if (mci_.Send("play " + alias, nullptr) != 0) {
    mci_.Send("close " + alias, nullptr);
    return false;
  }
  Close();
  slot_ = slot;
  open_ = true;
  return true;
}

bool MciFilePlayer::Playing() {
  if (!open_) return false;
  // Only "stopped" is the end: a file still "seeking" or "not ready" at its
  // start has not ended.
  std::string mode;
  return mci_.Send("status " + Alias(slot_) + " mode", &mode) == 0 && mode != "stopped";
}

void MciFilePlayer::Close() {
  if (!open_) return;
  open_ = false;
  mci_.Send("close " + Alias(slot_), nullptr);
}

}  // namespace gyra
