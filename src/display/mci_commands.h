// The media control command strings the CD music is played with, sent
// through a one-method sender so that the core never touches the platform:
// the Windows layer's sender calls WINMM, tests use a scripted fake. All
// texts here are UTF-8; the sender converts at the edge.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gyra {

class MciSender {
 public:
  virtual ~MciSender() = default;
  // Runs one command to completion ("play" returns while the disc plays on).
  // Returns 0 on success or the MCI error code. With a reply, on success
  // *reply is the device's answer up to its first NUL (a 512-character buffer
  // is enough for every answer the CD music asks for); nullptr sends the
  // command without a reply buffer.
  virtual int32_t Send(const std::string& command, std::string* reply) = 0;
  // The platform's wording of an error code, or nothing when it has none.
  virtual std::optional<std::string> ErrorText(int32_t code) = 0;
};

// Sends a command. Returns 0 and the device's answer, or the error code and
// the error's text; an empty command sends nothing and returns -1.
int32_t MciCommand(MciSender& sender, const std::string& command, std::string& reply);

// "play <device>", followed by " from <from>" and " to <to>" for the
// positions that are not empty. Returns MciCommand's code.
int32_t MciPlay(MciSender& sender, const std::string& device, const std::string& from,
                const std::string& to);

// The answer to a query, or "Error:" followed by the error code in decimal.
std::string MciStatus(MciSender& sender, const std::string& command);

}  // namespace gyra
