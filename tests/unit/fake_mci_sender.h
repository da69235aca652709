// A scripted media control interface: answers from a table (others succeed
// with an empty reply), no error texts, and every command sent kept in order.
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

  std::optional<std::string> ErrorText(int32_t) override { return std::nullopt; }

  std::map<std::string, Answer> answers;
  std::vector<std::string> sent;
  std::vector<std::string> sent_without_reply;
};

}  // namespace gyra
