// The background music of the screensaver and where it comes from: the CD
// when the drive holds a disc to play, otherwise the audio files of the
// data folder's Music folder standing in for a disc, otherwise none.
// Portable: the CD and the files are reached through one MciSender, the
// folder through a FileSystem; the display window owns the timer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/file_system.h"
#include "display/cd_drive.h"
#include "display/disc_music.h"
#include "display/mci_file_player.h"
#include "display/mci_sender.h"
#include "display/music_folder_disc.h"

namespace gyra {

class BackgroundMusic {
 public:
  // music_off, repeat_track: as for DiscMusic. The sender and the file
  // system must outlive this object.
  BackgroundMusic(MciSender& mci, const FileSystem& fs, std::string music_folder, int16_t music_off,
                  int16_t repeat_track);

  // At load: with music on, picks the CD or the folder and starts it. With
  // neither there is no music, as with music off.
  void Start();
  void Tick();
  // The track keys change the track while the music is looked after (true:
  // the screensaver goes on); otherwise every key ends it (false).
  bool KeyDown(MusicKey key);
  void Unload();
  bool TimerEnabled() const;
  // A sound stream keeps Windows from sleeping: the music stops when the
  // display turns off and starts again when it comes back. Music that gave
  // up stays silent.
  void DisplayTurned(bool on);

 private:
  MciSender& mci_;
  const FileSystem& fs_;
  std::string music_folder_;
  int16_t music_off_;
  int16_t repeat_track_;
  CdDrive drive_{mci_};
  MciFilePlayer player_{mci_};
  std::optional<MusicFolderDisc> folder_disc_;
  std::optional<DiscMusic> music_;
  bool stopped_with_display_ = false;
};

}  // namespace gyra
