#include "display/music_folder_disc.h"

#include <algorithm>

namespace gyra {

MusicFolderDisc::MusicFolderDisc(FilePlayer& player, std::vector<std::string> tracks)
    : player_(player), tracks_(std::move(tracks)), failed_(tracks_.size(), false) {}

std::optional<int> MusicFolderDisc::TrackCount() {
  if (!FollowPlayer()) return std::nullopt;
  return static_cast<int>(tracks_.size());
}

std::optional<int> MusicFolderDisc::CurrentTrack() {
  if (!FollowPlayer()) return std::nullopt;
  return current_;
}

bool MusicFolderDisc::Stopped() { return FollowPlayer() && !playing_; }

void MusicFolderDisc::Play() {
  if (!playing_) PlayOnFrom(current_);
}

void MusicFolderDisc::PlayTrack(int track) { StartTrack(track); }

bool MusicFolderDisc::PlayOnFrom(int first) {
  for (int track = first; track <= static_cast<int>(tracks_.size()); ++track)
    if (StartTrack(track)) return true;
  Close();
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

bool MusicFolderDisc::FollowPlayer() {
  if (playing_ && !player_.Playing()) PlayOnFrom(current_ + 1);
  return AnyPlayable();
}

bool MusicFolderDisc::Playable(int track) const {
  return track >= 1 && track <= static_cast<int>(tracks_.size()) && !failed_[track - 1];
}

bool MusicFolderDisc::AnyPlayable() const {
  return std::find(failed_.begin(), failed_.end(), false) != failed_.end();
}

void MusicFolderDisc::Close() {
  player_.Close();
  playing_ = false;
}

}  // namespace gyra
