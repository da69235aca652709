#include "display/music_folder_disc.h"

#include <algorithm>
#include <charconv>

namespace gyra {
namespace {

// The system's codes for these failures.
constexpr int32_t kUnrecognizedCommand = 261;  // MCIERR_UNRECOGNIZED_COMMAND
constexpr int32_t kNotReady = 276;             // MCIERR_DEVICE_NOT_READY: no disc
constexpr int32_t kOutOfRange = 282;           // MCIERR_OUTOFRANGE

const std::string kStatus = "status cdaudio ";
const std::string kPlayFrom = "play cdaudio from ";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// The decimal number that makes up the whole text, or 0 (no track) for anything else.
int TrackNumber(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size() ? number : 0;
}

}  // namespace

MusicFolderDisc::MusicFolderDisc(FilePlayer& player, std::vector<std::string> tracks)
    : player_(player), tracks_(std::move(tracks)), failed_(tracks_.size(), false) {}

int32_t MusicFolderDisc::Send(const std::string& command, std::string* reply) {
  if (command == "open cdaudio" || command == "set cdaudio time format tmsf") return 0;
  if (StartsWith(command, kStatus)) return Status(command.substr(kStatus.size()), reply);
  if (command == "play cdaudio") {
    if (playing_) return 0;
    return PlayOnFrom(current_) ? 0 : kNotReady;
  }
  if (StartsWith(command, kPlayFrom)) return PlayFrom(command.substr(kPlayFrom.size()));
  if (command == "stop cdaudio" || command == "close cdaudio") {
    Stop();
    return 0;
  }
  return kUnrecognizedCommand;
}

int32_t MusicFolderDisc::Status(const std::string& what, std::string* reply) {
  std::string answer;
  const std::string kPosition = "position track ";
  if (StartsWith(what, kPosition)) {
    const int track = TrackNumber(what.substr(kPosition.size()));
    if (!Playable(track)) return kOutOfRange;
    answer = std::to_string(track) + ":00:00:00";
  } else {
    FollowPlayer();
    if (!AnyPlayable()) return kNotReady;
    if (what == "current track") answer = std::to_string(current_);
    else if (what == "number of tracks") answer = std::to_string(tracks_.size());
    else if (what == "mode") answer = playing_ ? "playing" : "stopped";
    else return kUnrecognizedCommand;
  }
  if (reply) *reply = answer;
  return 0;
}

// Only the track of a track:minute:second:frame position counts: the
// controller only ever asks for the starts of tracks.
int32_t MusicFolderDisc::PlayFrom(const std::string& position) {
  const int track = TrackNumber(std::string_view(position).substr(0, position.find(':')));
  if (!Playable(track) || !StartTrack(track)) return kOutOfRange;
  return 0;
}

bool MusicFolderDisc::PlayOnFrom(int first) {
  for (int track = first; track <= static_cast<int>(tracks_.size()); ++track)
    if (StartTrack(track)) return true;
  Stop();
  current_ = 1;
  return false;
}

bool MusicFolderDisc::StartTrack(int track) {
  if (!Playable(track)) return false;
  if (!player_.Start(tracks_[track - 1])) {
    failed_[track - 1] = true;
    return false;
  }
  current_ = track;
  playing_ = true;
  return true;
}

void MusicFolderDisc::FollowPlayer() {
  if (playing_ && !player_.Playing()) PlayOnFrom(current_ + 1);
}

bool MusicFolderDisc::Playable(int track) const {
  return track >= 1 && track <= static_cast<int>(tracks_.size()) && !failed_[track - 1];
}

bool MusicFolderDisc::AnyPlayable() const {
  return std::find(failed_.begin(), failed_.end(), false) != failed_.end();
}

void MusicFolderDisc::Stop() {
  player_.Close();
  playing_ = false;
}

}  // namespace gyra
