#include "display/background_music.h"

#include "data/frame_files.h"

namespace gyra {
namespace {

// The files of the folder the system can play, in their order as tracks.
std::vector<std::string> MusicFiles(const FileSystem& fs, const std::string& folder) {
  return ListFiles(fs, folder, [](const std::string& name) { return MciDeviceTypeFor(name).has_value(); });
}

}  // namespace

BackgroundMusic::BackgroundMusic(MciSender& mci, const FileSystem& fs, std::string music_folder,
                                 int16_t music_off, int16_t repeat_track)
    : mci_(mci), fs_(fs), music_folder_(std::move(music_folder)), music_off_(music_off),
      repeat_track_(repeat_track) {}

void BackgroundMusic::Start() {
  if (music_off_ != 0) return;
  if (DriveHoldsAudioDisc(mci_)) {
    music_.emplace(drive_, music_off_, repeat_track_);
  } else {
    std::vector<std::string> tracks = MusicFiles(fs_, music_folder_);
    if (tracks.empty()) return;
    folder_disc_.emplace(player_, std::move(tracks));
    music_.emplace(*folder_disc_, music_off_, repeat_track_);
  }
  music_->Start();
}

void BackgroundMusic::Tick() {
  if (music_) music_->Tick();
}

bool BackgroundMusic::KeyDown(MusicKey key) {
  return TimerEnabled() && music_->KeyDown(key);
}

void BackgroundMusic::Unload() {
  if (music_) music_->Unload();
}

void BackgroundMusic::DisplayTurned(bool on) {
  if (!music_) return;
  if (!on && music_->TimerEnabled()) {
    music_->Unload();
    stopped_with_display_ = true;
  } else if (on && stopped_with_display_) {
    stopped_with_display_ = false;
    music_->Start();
  }
}

bool BackgroundMusic::TimerEnabled() const {
  return music_ && music_->TimerEnabled();
}

}  // namespace gyra
