// The CD music and the media control strings it sends, against a scripted
// drive.
#include "display/cd_music.h"

#include <gtest/gtest.h>

#include "fake_mci_sender.h"

namespace gyra {
namespace {

using Commands = std::vector<std::string>;

constexpr int kLeft = 37, kRight = 39;
const std::string kCurrent = "status cdaudio current track", kTracks = "status cdaudio number of tracks",
                  kMode = "status cdaudio mode";
const Commands kQueries = {kCurrent, kTracks, kMode};
const Commands kOpen = {"open cdaudio", "set cdaudio time format tmsf"};

std::string Position(int track) { return "status cdaudio position track " + std::to_string(track); }

Commands Plus(Commands first, const Commands& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// A disc of ten tracks, track t at "t:00:00:00"; positions outside 1 ... 10
// fail with 289.
FakeMciSender Disc(const std::string& current, const std::string& mode) {
  FakeMciSender disc;
  disc.answers[kCurrent] = {0, current};
  disc.answers[kTracks] = {0, "10"};
  disc.answers[kMode] = {0, mode};
  for (int track : {-1, 0, 11}) disc.answers[Position(track)] = {289, ""};
  for (int track = 1; track <= 10; ++track) disc.answers[Position(track)] = {0, std::to_string(track) + ":00:00:00"};
  return disc;
}

// Music on and started; the start's commands are not counted.
CdMusic Started(FakeMciSender& disc, int16_t bgm_rep) {
  CdMusic music(disc, 0, bgm_rep);
  music.Start();
  EXPECT_EQ(disc.sent, kOpen);
  EXPECT_EQ(disc.sent_without_reply, kOpen);
  disc.sent.clear();
  return music;
}

TEST(CdMusic, MusicOffSendsNothingAndEveryKeyEnds) {
  FakeMciSender disc = Disc("4", "stopped");
  CdMusic music(disc, 1, 3);
  music.Start();
  music.Tick();
  for (int key : {kLeft, kRight, 13}) EXPECT_FALSE(music.KeyDown(key)) << key;
  music.Unload();
  EXPECT_TRUE(disc.sent.empty());
  EXPECT_FALSE(music.TimerEnabled());
}

TEST(CdMusic, ATickRestartsTheDiscOrTheRepeatTrackWhenStoppedOrElsewhere) {
  const Commands whole = {"play cdaudio"}, back_to_3 = {Position(3), "play cdaudio from 3:00:00:00"};
  const struct { const char* current; int32_t code; const char* mode; int16_t bgm_rep; Commands then; } cases[] = {
      {"1", 0, "stopped", 0, whole},     {"1", 0, "stopped now", 0, whole}, {"1", 0, "Stopped", 0, {}},
      {"1", 0, "playing", 0, {}},        {"1", 0, "", 0, {}},
      {"1", 263, "stopped", 0, {}},  // a failed mode query is no answer
      {"4", 0, "playing", 3, back_to_3}, {"3", 0, "playing", 3, {}},        {" 3 ", 0, "playing", 3, {}},
      {"3", 0, "stopped", 3, back_to_3}, {"", 0, "stopped", 0, whole},
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc(c.current, "");
    disc.answers[kMode] = {c.code, c.mode};
    CdMusic music = Started(disc, c.bgm_rep);
    music.Tick();
    EXPECT_EQ(disc.sent, Plus(kQueries, c.then)) << c.current << " " << c.mode << " " << c.bgm_rep;
    EXPECT_TRUE(music.TimerEnabled());
  }
}

TEST(CdMusic, AFailedQueryGivesUpForGood) {
  const struct { std::string failing, current; int16_t bgm_rep; Commands sent; } cases[] = {
      {kCurrent, "4", 0, {kCurrent}}, {kTracks, "4", 0, {kCurrent, kTracks}}, {kCurrent, "4", 3, {kCurrent}},
      {"", "", 3, kQueries},  // a current track that is no number, when repeating
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc(c.current, "stopped");
    disc.answers[c.failing] = {275, ""};
    CdMusic music = Started(disc, c.bgm_rep);
    music.Tick();
    EXPECT_FALSE(music.TimerEnabled()) << c.failing;
    music.Tick();
    music.Unload();
    EXPECT_EQ(disc.sent, c.sent) << c.failing;
  }
}

TEST(CdMusic, ArrowKeysChangeTrackWithoutRangeCheck) {
  const struct { std::string current; int key; int target; std::string from; } cases[] = {
      {"4", kRight, 5, "5:00:00:00"},         {"4", kLeft, 3, "3:00:00:00"},    {"10", kRight, 11, "Error:289"},
      {"4abc", kRight, 5, "5:00:00:00"},      {"4.5", kRight, 5, "5:00:00:00"},  {"99999", kRight, 1, "1:00:00:00"},
      {"Error:275", kLeft, -1, "Error:289"},
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc(c.current, "playing");
    CdMusic music = Started(disc, 0);
    EXPECT_TRUE(music.KeyDown(c.key));
    EXPECT_EQ(disc.sent, (Commands{kCurrent, Position(c.target), "play cdaudio from " + c.from})) << c.current;
    EXPECT_TRUE(music.TimerEnabled());
  }
  FakeMciSender disc = Disc("1", "playing");
  CdMusic music = Started(disc, 0);
  for (int key : {13, 27, 38, 65}) EXPECT_FALSE(music.KeyDown(key)) << key;
  EXPECT_TRUE(disc.sent.empty());
}

TEST(CdMusic, UnloadStopsAndClosesOnce) {
  FakeMciSender disc = Disc("1", "playing");
  CdMusic music = Started(disc, 0);
  music.Unload();
  music.Unload();
  music.Tick();
  EXPECT_EQ(disc.sent, (Commands{"stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(disc.sent_without_reply, Plus(kOpen, disc.sent));
  EXPECT_FALSE(music.TimerEnabled());
}

TEST(MciCommands, RepliesErrorTextsAndPlayCommands) {
  FakeMciSender device;
  device.answers["a"] = {0, "12"};
  device.answers["b"] = {263, "ignored"};
  device.answers["c"] = {289, ""};
  device.error_texts[263] = "The device is not open.";
  std::string reply = "old";
  EXPECT_EQ(MciCommand(device, "", reply), -1);
  EXPECT_EQ(reply, "コマンド文字列が指定されていません");
  EXPECT_EQ(MciCommand(device, "a", reply), 0);
  EXPECT_EQ(reply, "12");
  EXPECT_EQ(MciCommand(device, "b", reply), 263);
  EXPECT_EQ(reply, "The device is not open.");
  EXPECT_EQ(MciCommand(device, "c", reply), 289);
  EXPECT_EQ(reply, "Error (文字列が取れません)");
  EXPECT_EQ(MciStatus(device, "c"), "Error:289");
  EXPECT_EQ(MciStatus(device, ""), "Error:-1");
  EXPECT_EQ(device.sent, (Commands{"a", "b", "c", "c"}));
  const struct { std::string from, to, command; } plays[] = {
      {"3:00:00:00", "4:00:00:00", "play cdaudio from 3:00:00:00 to 4:00:00:00"},
      {"", "4:00:00:00", "play cdaudio to 4:00:00:00"},
  };
  for (const auto& p : plays) {
    device.answers[p.command] = {277, ""};
    EXPECT_EQ(MciPlay(device, "cdaudio", p.from, p.to), 277) << p.command;
  }
}

}  // namespace
}  // namespace gyra
