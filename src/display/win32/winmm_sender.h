// Windows layer: the media control commands of the music sent to WINMM.
#pragma once

#include "display/mci_sender.h"

namespace gyra {

// Sends each command string to the system's media control interface and
// converts the texts between the core's UTF-8 and the wide API. Where there
// is no CD drive every command simply fails with the system's error code;
// where the system's WINMM cannot be loaded, with "device not installed".
class WinmmSender final : public MciSender {
 public:
  int32_t Send(const std::string& command, std::string* reply) override;
};

}  // namespace gyra
