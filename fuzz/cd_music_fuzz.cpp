// The CD music with any answers and any start, ticks, keys, unload: music off
// sends nothing, unload stops the polling, every command names the drive.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "display/cd_music.h"
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

  std::optional<std::string> ErrorText(int32_t) override {
    return input.ConsumeBool() ? std::optional(input.ConsumeRandomLengthString(64)) : std::nullopt;
  }
  FuzzedDataProvider& input;
  int sent = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int16_t bgm_sel = input.ConsumeIntegralInRange<int16_t>(0, 1);
  FuzzedSender sender(input);
  gyra::CdMusic music(sender, bgm_sel, input.ConsumeIntegral<int16_t>());
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0: music.Start(); break;
      case 1: music.Tick(); break;
      case 2: music.KeyDown(input.ConsumeIntegralInRange(0, 255)); break;
      case 3: Check(music.KeyDown(input.ConsumeBool() ? 37 : 39) == (bgm_sel == 0)); break;
      case 4: music.Unload(); Check(!music.TimerEnabled()); break;
    }
  }
  if (bgm_sel != 0) Check(sender.sent == 0 && !music.TimerEnabled());
  return 0;
}
