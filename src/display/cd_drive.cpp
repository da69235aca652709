#include "display/cd_drive.h"

#include "core/ascii.h"
#include "core/numbers.h"

namespace gyra {

bool DriveHoldsAudioDisc(MciSender& mci) {
  if (mci.Send("open cdaudio", nullptr) != 0) return false;
  std::string current, tracks;
  const bool answers = mci.Send("status cdaudio current track", &current) == 0 &&
                       mci.Send("status cdaudio number of tracks", &tracks) == 0 &&
                       TextToNumber(tracks).value_or(0) > 0;
  mci.Send("close cdaudio", nullptr);
  return answers;
}

// A failed query answers "Error:" and its code; an answer that reads as an
// error counts as one too.
std::optional<std::string> CdDrive::Query(const std::string& command) {
  std::string answer;
  const int32_t code = mci_.Send(command, &answer);
  if (code != 0) answer = "Error:" + std::to_string(code);
  if (AsciiLowered(answer).find("err") != std::string::npos) return std::nullopt;
  return answer;
}

void CdDrive::Open() {
  mci_.Send("open cdaudio", nullptr);
  mci_.Send("set cdaudio time format tmsf", nullptr);
}

std::optional<int> CdDrive::TrackCount() {
  const auto answer = Query("status cdaudio number of tracks");
  if (!answer) return std::nullopt;
  return RoundToInt16(LeadingNumber(*answer)).value_or(0);
}

std::optional<int> CdDrive::CurrentTrack() {
  const auto answer = Query("status cdaudio current track");
  if (!answer) return std::nullopt;
  return RoundToInt16(LeadingNumber(*answer)).value_or(0);
}

// A failed mode query leaves the drive alone rather than act on no answer.
bool CdDrive::Stopped() {
  std::string mode;
  return mci_.Send("status cdaudio mode", &mode) == 0 && mode.compare(0, 7, "stopped") == 0;
}

void CdDrive::Play() { PlayFrom(""); }

void CdDrive::PlayTrack(int track) {
  std::string start;
  const int32_t code = mci_.Send("status cdaudio position track " + std::to_string(track), &start);
  PlayFrom(code == 0 ? start : "Error:" + std::to_string(code));
}

void CdDrive::PlayFrom(const std::string& position) {
  std::string reply;
  mci_.Send(position.empty() ? "play cdaudio" : "play cdaudio from " + position, &reply);
}

void CdDrive::Close() {
  mci_.Send("stop cdaudio", nullptr);
  mci_.Send("close cdaudio", nullptr);
}

}  // namespace gyra
