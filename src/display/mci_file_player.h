// One audio file at a time played through the media control interface: the
// device type a file's name calls for, and the open / play / status / close
// command strings. Portable: it only composes command strings for an
// MciSender, which converts the UTF-8 paths for the platform.
#pragma once

#include "display/mci_sender.h"

#include <optional>
#include <string>

namespace gyra {

// What plays the audio files that stand in for a disc's tracks.
class FilePlayer {
 public:
  virtual ~FilePlayer() = default;
  // Plays the file from its start in place of the one playing now. False,
  // leaving the one playing now alone, when it will not open or play.
  virtual bool Start(const std::string& path) = 0;
  // Whether the file started last still plays (false once it reached its end).
  virtual bool Playing() = 0;
  // Stops the file and lets go of it.
  virtual void Close() = 0;
};

// The device that plays a file of this name ("waveaudio", "sequencer",
// "mpegvideo"), chosen by its extension in any case; nothing for a name the
// system's devices cannot play.
std::optional<std::string> MciDeviceTypeFor(const std::string& file_name);

class MciFilePlayer final : public FilePlayer {
 public:
  // The sender must outlive the player.
  explicit MciFilePlayer(MciSender& mci) : mci_(mci) {}
  ~MciFilePlayer() override { Close(); }
  bool Start(const std::string& path) override;
  bool Playing() override;
  void Close() override;

 private:
  // The file playing now and the one being started have aliases of their
  // own, so that a file that fails leaves the other one playing.
  std::string Alias(int slot) const;

  MciSender& mci_;
  int slot_ = 0;
  bool open_ = false;
};

}  // namespace gyra
