// A disc made of audio files: answers the "cdaudio" command strings of the
// CD music the way a drive with an audio CD would, with file i of a list as
// track i. Portable: it plays through a FilePlayer and is itself an
// MciSender, so the CD music controller drives it unchanged.
#pragma once

#include "display/mci_commands.h"
#include "display/mci_file_player.h"

#include <string>
#include <vector>

namespace gyra {

class MusicFolderDisc final : public MciSender {
 public:
  // tracks: the files' full paths, track 1 first. The player must outlive
  // the disc.
  MusicFolderDisc(FilePlayer& player, std::vector<std::string> tracks);

  // "open", "set ... time format tmsf", "status ... current track | number of
  // tracks | mode | position track N", "play", "play from T:M:S:F", "stop" and
  // "close", all for the device "cdaudio". A track whose file would not play
  // counts as missing from then on; once no track is left the status
  // queries fail like those of a drive without a disc.
  int32_t Send(const std::string& command, std::string* reply) override;
  std::optional<std::string> ErrorText(int32_t) override { return std::nullopt; }

 private:
  int32_t Status(const std::string& what, std::string* reply);
  int32_t PlayFrom(const std::string& position);
  // Plays the first track from `first` on whose file plays; past the last
  // track the disc stops and goes back to track 1.
  bool PlayOnFrom(int first);
  bool StartTrack(int track);
  // Moves on to the next track when the file playing has ended.
  void FollowPlayer();
  bool Playable(int track) const;
  bool AnyPlayable() const;
  void Stop();

  FilePlayer& player_;
  std::vector<std::string> tracks_;
  std::vector<bool> failed_;
  int current_ = 1;
  bool playing_ = false;
};

}  // namespace gyra
