#include "display/mci_commands.h"

#include "fake_mci_sender.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

using Commands = std::vector<std::string>;

TEST(MciCommand, EmptyCommandSendsNothing) {
  FakeMciSender device;
  std::string reply = "old";
  EXPECT_EQ(MciCommand(device, "", reply), -1);
  EXPECT_EQ(reply, "コマンド文字列が指定されていません");
  EXPECT_TRUE(device.sent.empty());
}

TEST(MciCommand, ReturnsTheAnswerOrTheErrorText) {
  const struct {
    int32_t code;
    const char* answer;
    bool has_error_text;
    const char* reply;
  } cases[] = {
      {0, "12", true, "12"},
      {0, "", true, ""},
      {263, "ignored", true, "The device is not open."},
      {263, "ignored", false, "Error (文字列が取れません)"},
  };
  for (const auto& c : cases) {
    FakeMciSender device;
    device.answers["status cdaudio number of tracks"] = {c.code, c.answer};
    if (c.has_error_text) device.error_texts[263] = "The device is not open.";
    std::string reply;
    EXPECT_EQ(MciCommand(device, "status cdaudio number of tracks", reply), c.code);
    EXPECT_EQ(reply, c.reply);
    EXPECT_EQ(device.sent, Commands{"status cdaudio number of tracks"});
    EXPECT_TRUE(device.sent_without_reply.empty());
  }
}

TEST(MciPlay, NamesOnlyThePositionsGiven) {
  const struct { std::string from, to, command; } cases[] = {
      {"03:00:00:00", "04:00:00:00", "play cdaudio from 03:00:00:00 to 04:00:00:00"},
      {"03:00:00:00", "", "play cdaudio from 03:00:00:00"},
      {"", "04:00:00:00", "play cdaudio to 04:00:00:00"},
      {"", "", "play cdaudio"},
      {"Error:289", "", "play cdaudio from Error:289"},
  };
  for (const auto& c : cases) {
    FakeMciSender device;
    device.answers[c.command] = {277, ""};
    EXPECT_EQ(MciPlay(device, "cdaudio", c.from, c.to), 277);
    EXPECT_EQ(device.sent, Commands{c.command});
  }
}

TEST(MciStatus, AnswersOrSaysErrorWithTheCode) {
  const struct { FakeMciSender::Answer answer; std::string result; } cases[] = {
      {{0, "4"}, "4"},
      {{0, "stopped"}, "stopped"},
      {{289, ""}, "Error:289"},
      {{-5, ""}, "Error:-5"},
  };
  for (const auto& c : cases) {
    FakeMciSender device;
    device.error_texts[289] = "no such track";
    device.answers["status cdaudio current track"] = c.answer;
    EXPECT_EQ(MciStatus(device, "status cdaudio current track"), c.result);
  }
  FakeMciSender device;
  EXPECT_EQ(MciStatus(device, ""), "Error:-1");
  EXPECT_TRUE(device.sent.empty());
}

}  // namespace
}  // namespace gyra
