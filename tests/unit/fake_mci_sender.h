// A scripted stand-in for the media control interface: answers commands
// from a table (others succeed with an empty reply) and records every
// command sent, in order.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "display/mci_commands.h"

namespace gyra {

class FakeMciSender : public MciSender {
 public:
  struct Answer { int32_t code = 0; std::string reply; };

  int32_t Send(const std::string& command, std::string* reply) override {
    sent.push_back(command);
    if (reply == nullptr) sent_without_reply.push_back(command);
    const Answer answer = answers.count(command) ? answers[command] : Answer{};
    if (reply != nullptr && answer.code == 0) *reply = answer.reply;
    return answer.code;
  }

  std::optional<std::string> ErrorText(int32_t code) override {
    return error_texts.count(code) ? std::optional(error_texts[code]) : std::nullopt;
  }

  std::map<std::string, Answer> answers;
  std::map<int32_t, std::string> error_texts;
  std::vector<std::string> sent;
  std::vector<std::string> sent_without_reply;
};

}  // namespace gyra
