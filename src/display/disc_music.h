// Background music from a disc while the screensaver runs: starting it, the
// 200 ms polling that keeps the disc or one track playing, the track keys
// and the clean-up. Portable: the disc is the CD drive or the Music folder;
// the display window owns the timer and asks TimerEnabled().
#pragma once

#include <cstdint>

#include "display/disc.h"

namespace gyra {

// The keys the music answers, as the display window reads them.
enum class MusicKey { kPreviousTrack, kNextTrack, kOther };

class DiscMusic {
 public:
  // music_off: 0 plays music; repeat_track: the track to repeat, 0 = the
  // whole disc. The disc must outlive this object.
  DiscMusic(Disc& disc, int16_t music_off, int16_t repeat_track);

  // At load, with music on: opens the disc and starts the polling. With
  // music off the disc is never touched.
  void Start();

  // One tick of the polling: restarts a stopped disc, or sends the disc back
  // to the repeat track when it is stopped or elsewhere. A disc that cannot
  // be asked gives up for the rest of the run (the timer stays off).
  void Tick();

  // With music on, the previous and the next track keys change the track
  // and return true; any other key, and every key with music off, returns
  // false: the screensaver ends.
  bool KeyDown(MusicKey key);

  // At unload: while the polling is on, turns it off and closes the disc;
  // otherwise does nothing.
  void Unload();

  bool TimerEnabled() const { return timer_enabled_; }

 private:
  Disc& disc_;
  bool music_on_;
  int16_t repeat_track_;
  bool timer_enabled_ = false;
};

}  // namespace gyra
