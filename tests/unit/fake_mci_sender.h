// A scripted stand-in for the media control interface: answers commands
// from a table and records every command sent, in order.
#pragma once

#include "display/mci_commands.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gyra {

class FakeMciSender : public MciSender {
 public:
  struct Answer {
    int32_t code = 0;
    std::string reply;
  };

  int32_t Send(const std::string& command, std::string* reply) override {
    sent.push_back(command);
    if (reply == nullptr) sent_without_reply.push_back(command);
    const auto it = answers.find(command);
    const Answer answer = it == answers.end() ? Answer{} : it->second;
    if (reply != nullptr && answer.code == 0) *reply = answer.reply;
    return answer.code;
  }

  std::optional<std::string> ErrorText(int32_t code) override {
    const auto it = error_texts.find(code);
    if (it == error_texts.end()) return std::nullopt;
    return it->second;
  }

  // Commands not in the table succeed with an empty reply.
  std::map<std::string, Answer> answers;
  std::map<int32_t, std::string> error_texts;
  std::vector<std::string> sent;
  std::vector<std::string> sent_without_reply;
};

}  // namespace gyra
