#include "display/mci_commands.h"

namespace gyra {

int32_t MciCommand(MciSender& sender, const std::string& command, std::string& reply) {
  if (command.empty()) {
    reply = "コマンド文字列が指定されていません";
    return -1;
  }
  std::string answer;
  const int32_t code = sender.Send(command, &answer);
  if (code != 0) {
    reply = sender.ErrorText(code).value_or("Error (文字列が取れません)");
    return code;
  }
  reply = answer;
  return 0;
}

int32_t MciPlay(MciSender& sender, const std::string& device, const std::string& from,
                const std::string& to) {
  std::string command = "play " + device;
  if (!from.empty()) command += " from " + from;
  if (!to.empty()) command += " to " + to;
  std::string reply;
  return MciCommand(sender, command, reply);
}

std::string MciStatus(MciSender& sender, const std::string& command) {
  std::string reply;
  const int32_t code = MciCommand(sender, command, reply);
  if (code != 0) return "Error:" + std::to_string(code);
  return reply;
}

}  // namespace gyra
