#include "display/disc_music.h"

namespace gyra {

DiscMusic::DiscMusic(Disc& disc, int16_t music_off, int16_t repeat_track)
    : disc_(disc), music_on_(music_off == 0), repeat_track_(repeat_track) {}

void DiscMusic::Start() {
  if (!music_on_) return;
  disc_.Open();
  // Playing starts with the first tick, which finds the disc stopped.
  timer_enabled_ = true;
}

void DiscMusic::Tick() {
  if (!timer_enabled_) return;
  const std::optional<int> current = disc_.CurrentTrack();
  if (!current || !disc_.TrackCount()) {
    timer_enabled_ = false;
    return;
  }
  const bool stopped = disc_.Stopped();
  if (repeat_track_ == 0) {
    if (stopped) disc_.Play();
    return;
  }
  // A current track that is no number is a failure like a failed query.
  if (*current == 0) {
    timer_enabled_ = false;
    return;
  }
  if (stopped || *current != repeat_track_) disc_.PlayTrack(repeat_track_);
}

// No range check: the disc refuses a track past either end.
bool DiscMusic::KeyDown(MusicKey key) {
  if (!music_on_ || key == MusicKey::kOther) return false;
  const int delta = key == MusicKey::kNextTrack ? +1 : -1;
  disc_.PlayTrack(disc_.CurrentTrack().value_or(0) + delta);
  return true;
}

void DiscMusic::Unload() {
  if (!timer_enabled_) return;
  timer_enabled_ = false;
  disc_.Close();
}

}  // namespace gyra
