// The media control interface as one method, so that the core never touches
// the platform: the Windows layer's sender calls WINMM, tests use a scripted
// fake. All texts here are UTF-8; the sender converts at the edge.
#pragma once

#include <cstdint>
#include <string>

namespace gyra {

class MciSender {
 public:
  virtual ~MciSender() = default;
  // Runs one command to completion ("play" returns while the disc plays on).
  // Returns 0 on success or the MCI error code. With a reply, on success
  // *reply is the device's answer up to its first NUL (a 512-character buffer
  // is enough for every answer the music asks for); nullptr sends the
  // command without a reply buffer.
  virtual int32_t Send(const std::string& command, std::string* reply) = 0;
};

}  // namespace gyra
