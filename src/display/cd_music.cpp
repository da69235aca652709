#include "display/cd_music.h"

#include "core/numbers.h"

#include <cctype>
#include <string>

namespace gyra {
namespace {

constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

const char kCurrentTrack[] = "status cdaudio current track";

// MciStatus answers "Error:<code>"; a platform's error text counts too.
bool IsError(std::string answer) {
  for (char& c : answer) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return answer.find("ERR") != std::string::npos;
}

}  // namespace

CdMusic::CdMusic(MciSender& sender, int16_t bgm_sel, int16_t bgm_rep)
    : sender_(sender), music_on_(bgm_sel == 0), bgm_rep_(bgm_rep) {}

void CdMusic::Start() {
  if (!music_on_) return;
  sender_.Send("open cdaudio", nullptr);
  sender_.Send("set cdaudio time format tmsf", nullptr);
  // Playing starts with the first tick, which finds the drive stopped.
  timer_enabled_ = true;
}

void CdMusic::Tick() {
  if (!timer_enabled_) return;
  const std::string current = MciStatus(sender_, kCurrentTrack);
  if (IsError(current) || IsError(MciStatus(sender_, "status cdaudio number of tracks"))) {
    timer_enabled_ = false;
    return;
  }
  // A failed mode query leaves the drive alone rather than act on no answer.
  std::string mode;
  if (sender_.Send("status cdaudio mode", &mode) != 0) mode.clear();
  const bool stopped = mode.compare(0, 7, "stopped") == 0;
  if (bgm_rep_ == 0) {
    if (stopped) MciPlay(sender_, "cdaudio", "", "");
    return;
  }
  // A current track that is no number is a failure like a failed query.
  const auto track = TextToNumber(current);
  if (!track) {
    timer_enabled_ = false;
    return;
  }
  if (stopped || *track != bgm_rep_) PlayFromStartOf(bgm_rep_);
}

bool CdMusic::KeyDown(int key_code) {
  if (!music_on_) return false;
  if (key_code == kKeyLeft) ChangeTrack(-1);
  else if (key_code == kKeyRight) ChangeTrack(+1);
  else return false;
  return true;
}

// No range check: past either end of the disc the position query fails and
// the play command carrying its "Error:" text is rejected, so the music goes
// on where it was.
void CdMusic::ChangeTrack(int delta) {
  const double current = LeadingNumber(MciStatus(sender_, kCurrentTrack));
  PlayFromStartOf(RoundToInt16(current).value_or(0) + delta);
}

void CdMusic::PlayFromStartOf(int32_t track) {
  const std::string start =
      MciStatus(sender_, "status cdaudio position track " + std::to_string(track));
  MciPlay(sender_, "cdaudio", start, "");
}

void CdMusic::Unload() {
  if (!timer_enabled_) return;
  timer_enabled_ = false;
  sender_.Send("stop cdaudio", nullptr);
  sender_.Send("close cdaudio", nullptr);
}

}  // namespace gyra
