// The CD drive's music with any answers and any start, ticks, keys, unload: music off
// sends nothing, unload stops the polling, every command names the drive.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "display/cd_drive.h"
#include "display/disc_music.h"
#include "fuzz_check.h"

namespace {

struct FuzzedSender : gyra::MciSender {
  explicit FuzzedSender(FuzzedDataProvider& fuzzed) : input(fuzzed) {}
  int32_t Send(const std::string& command, std::string* reply) override {
    ++sent;
    Check(command.find("cdaudio") != std::string::npos);
    const int32_t code = input.ConsumeBool() ? 0 : input.ConsumeIntegral<int32_t>();
    const std::string answer = input.ConsumeRandomLengthString(64);
    if (reply && code == 0) *reply = answer.substr(0, answer.find('\0'));  // replies end at their first NUL
    return code;
  }

  FuzzedDataProvider& input;
  int sent = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int16_t music_off = input.ConsumeIntegralInRange<int16_t>(0, 1);
  FuzzedSender sender(input);
  gyra::CdDrive drive(sender);
  gyra::DiscMusic music(drive, music_off, input.ConsumeIntegral<int16_t>());
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0: music.Start(); break;
      case 1: music.Tick(); break;
      case 2: Check(!music.KeyDown(gyra::MusicKey::kOther)); break;
      case 3: {
        const auto key = input.ConsumeBool() ? gyra::MusicKey::kPreviousTrack : gyra::MusicKey::kNextTrack;
        Check(music.KeyDown(key) == (music_off == 0));
        break;
      }
      case 4: music.Unload(); Check(!music.TimerEnabled()); break;
    }
  }
  if (music_off != 0) Check(sender.sent == 0 && !music.TimerEnabled());
  return 0;
}
