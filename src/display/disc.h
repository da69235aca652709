// What the background music plays: a disc of numbered tracks, the audio CD
// in the drive or the Music folder's files standing in for one. Portable.
#pragma once

#include <optional>

namespace gyra {

class Disc {
 public:
  virtual ~Disc() = default;
  virtual void Open() = 0;
  // Nothing when the disc cannot be asked (no disc, no drive).
  virtual std::optional<int> TrackCount() = 0;
  // The track playing or next to play: nothing when the disc cannot be asked,
  // 0 when its answer names no track.
  virtual std::optional<int> CurrentTrack() = 0;
  // True only when the disc answers that it has stopped.
  virtual bool Stopped() = 0;
  // Plays on from where the disc is.
  virtual void Play() = 0;
  // Plays from the start of the track; a track the disc does not have
  // changes nothing.
  virtual void PlayTrack(int track) = 0;
  // Stops and lets go of the disc.
  virtual void Close() = 0;
};

}  // namespace gyra
