// The background music of the screensaver and where it comes from: the CD
// when the drive holds a disc to play, otherwise the audio files of the
// data folder's Music folder standing in for a disc, otherwise none.
// Portable: the CD and the files are reached through one MciSender, the
// folder through a FileSystem; the display window owns the timer.
#pragma once

#include "core/file_system.h"
#include "display/cd_music.h"
#include "display/mci_commands.h"
#include "display/mci_file_player.h"
#include "display/music_folder_disc.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gyra {

class BackgroundMusic {
 public:
  // bgm_sel, bgm_rep: as for CdMusic. The sender and the file system must
  // outlive this object.
  BackgroundMusic(MciSender& mci, const FileSystem& fs, std::string music_folder, int16_t bgm_sel,
                  int16_t bgm_rep);

  // At load: with music on, picks the CD or the folder and starts it. With
  // neither there is no music, as with music off.
  void Start();
  void Tick();
  // Left and Right arrow change the track while the music is looked after
  // (true: the screensaver goes on); otherwise every key ends it (false).
  bool KeyDown(int key_code);
  void Unload();
  bool TimerEnabled() const;

 private:
  MciSender& mci_;
  const FileSystem& fs_;
  std::string music_folder_;
  int16_t bgm_sel_;
  int16_t bgm_rep_;
  MciFilePlayer player_{mci_};
  std::optional<MusicFolderDisc> folder_disc_;
  std::optional<CdMusic> music_;
};

}  // namespace gyra
