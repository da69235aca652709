// A disc made of audio files: file i of a list is track i, played through a
// FilePlayer one after the other and from the first again after the last.
// Portable.
#pragma once

#include <string>
#include <vector>

#include "display/disc.h"
#include "display/mci_file_player.h"

namespace gyra {

class MusicFolderDisc final : public Disc {
 public:
  // tracks: the files' full paths, track 1 first. The player must outlive
  // the disc.
  MusicFolderDisc(FilePlayer& player, std::vector<std::string> tracks);

  // A track whose file would not play counts as missing from then on; once
  // no track is left the disc cannot be asked, like a drive without a disc.
  void Open() override {}
  std::optional<int> TrackCount() override;
  std::optional<int> CurrentTrack() override;
  bool Stopped() override;
  // From the current track, unless a track plays already.
  void Play() override;
  void PlayTrack(int track) override;
  void Close() override;

 private:
  // Plays the first track from `first` on whose file plays; past the last
  // track the disc stops and goes back to track 1.
  bool PlayOnFrom(int first);
  bool StartTrack(int track);
  // Moves on to the next track when the file playing has ended; false when
  // no track is left to play.
  bool FollowPlayer();
  bool Playable(int track) const;
  bool AnyPlayable() const;

  FilePlayer& player_;
  std::vector<std::string> tracks_;
  std::vector<bool> failed_;
  int current_ = 1;
  bool playing_ = false;
};

}  // namespace gyra
