#include "display/background_music.h"

#include "core/numbers.h"
#include "startup/frame_files.h"

namespace gyra {
namespace {

// Whether the CD drive opens and answers the track queries of a disc; the
// drive is closed again either way.
bool CdHasDisc(MciSender& mci) {
  if (mci.Send("open cdaudio", nullptr) != 0) return false;
  std::string current, tracks;
  const bool answers = mci.Send("status cdaudio current track", &current) == 0 &&
                       mci.Send("status cdaudio number of tracks", &tracks) == 0 &&
                       TextToNumber(tracks).value_or(0) > 0;
  mci.Send("close cdaudio", nullptr);
  return answers;
}

// The files of the folder the system can play, in their order as tracks.
std::vector<std::string> MusicFiles(const FileSystem& fs, const std::string& folder) {
  return ListFiles(fs, folder, [](const std::string& name) { return MciDeviceTypeFor(name).has_value(); });
}

}  // namespace

BackgroundMusic::BackgroundMusic(MciSender& mci, const FileSystem& fs, std::string music_folder,
                                 int16_t bgm_sel, int16_t bgm_rep)
    : mci_(mci), fs_(fs), music_folder_(std::move(music_folder)), bgm_sel_(bgm_sel), bgm_rep_(bgm_rep) {}

void BackgroundMusic::Start() {
  if (bgm_sel_ != 0) return;
  if (CdHasDisc(mci_)) {
    music_.emplace(mci_, bgm_sel_, bgm_rep_);
  } else {
    std::vector<std::string> tracks = MusicFiles(fs_, music_folder_);
    if (tracks.empty()) return;
    folder_disc_.emplace(player_, std::move(tracks));
    music_.emplace(*folder_disc_, bgm_sel_, bgm_rep_);
  }
  music_->Start();
}

void BackgroundMusic::Tick() {
  if (music_) music_->Tick();
}

bool BackgroundMusic::KeyDown(int key_code) {
  return TimerEnabled() && music_->KeyDown(key_code);
}

void BackgroundMusic::Unload() {
  if (music_) music_->Unload();
}

bool BackgroundMusic::TimerEnabled() const {
  return music_ && music_->TimerEnabled();
}

}  // namespace gyra
