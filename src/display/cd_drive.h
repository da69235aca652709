// The audio CD in the drive as a Disc, through the media control command
// strings of the "cdaudio" device. Portable: the strings go to an MciSender.
#pragma once

#include <optional>
#include <string>

#include "display/disc.h"
#include "display/mci_sender.h"

namespace gyra {

// Whether the drive opens and answers the track queries of a disc with
// tracks; the drive is closed again either way.
bool DriveHoldsAudioDisc(MciSender& mci);

class CdDrive final : public Disc {
 public:
  // The sender must outlive the drive.
  explicit CdDrive(MciSender& mci) : mci_(mci) {}

  // In track:minute:second:frame format.
  void Open() override;
  std::optional<int> TrackCount() override;
  // The leading number of the drive's answer, 0 when it has none or it does
  // not fit in 16 bits.
  std::optional<int> CurrentTrack() override;
  bool Stopped() override;
  void Play() override;
  // Asks for the track's start and plays from it. A track past either end
  // has no start: the play command then carries the query's "Error:" text
  // and the drive rejects it, so the music goes on where it was.
  void PlayTrack(int track) override;
  void Close() override;

 private:
  // The answer to a query; nothing when it failed.
  std::optional<std::string> Query(const std::string& command);
  void PlayFrom(const std::string& position);

  MciSender& mci_;
};

}  // namespace gyra
