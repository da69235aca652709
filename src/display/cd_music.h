// Background music from an audio CD while the screensaver runs: starting
// the drive, the 200 ms polling that keeps the disc or one track playing,
// the track keys and the clean-up. Portable: everything goes through an
// MciSender; the display window owns the timer and asks TimerEnabled().
#pragma once

#include "display/mci_commands.h"

#include <cstdint>

namespace gyra {

class CdMusic {
 public:
  // bgm_sel: 0 = music on (BGM_Sel); bgm_rep: the track to repeat, 0 = the
  // whole disc (BGM_Rep). The sender must outlive this object.
  CdMusic(MciSender& sender, int16_t bgm_sel, int16_t bgm_rep);

  // At load, with music on: opens the drive in track:minute:second:frame
  // format and starts the polling. With music off nothing is ever sent.
  void Start();

  // One tick of Timer2: restarts a stopped disc, or sends the drive back to
  // the repeat track when it is stopped or elsewhere. A failed query gives
  // up for the rest of the run (the timer stays off).
  void Tick();

  // A key press with key code key_code. With music on, Left (37) and Right
  // (39) go to the previous and the next track and return true; any other
  // key, and every key with music off, returns false: the screensaver ends.
  bool KeyDown(int key_code);

  // At unload: while the polling is on, turns it off and stops and closes
  // the drive; otherwise sends nothing.
  void Unload();

  // Whether Timer2 should be running.
  bool TimerEnabled() const { return timer_enabled_; }

 private:
  void ChangeTrack(int delta);
  void PlayFromStartOf(int32_t track);

  MciSender& sender_;
  bool music_on_;
  int16_t bgm_rep_;
  bool timer_enabled_ = false;
};

}  // namespace gyra
