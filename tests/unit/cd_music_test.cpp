#include "display/cd_music.h"

#include "fake_mci_sender.h"

#include <gtest/gtest.h>

namespace gyra {
namespace {

using Commands = std::vector<std::string>;

constexpr int16_t kMusicOn = 0;
constexpr int16_t kMusicOff = 1;
constexpr int kLeft = 37;
constexpr int kRight = 39;

const std::string kCurrent = "status cdaudio current track";
const std::string kTracks = "status cdaudio number of tracks";
const std::string kMode = "status cdaudio mode";
const Commands kQueries = {kCurrent, kTracks, kMode};

std::string PositionQuery(int track) {
  return "status cdaudio position track " + std::to_string(track);
}

// A disc of ten tracks, playing (or not) track `current`; track t starts at
// "t:00:00:00", and the drive rejects a position outside 1 ... 10 with code
// 289 and a play from an error text with 277.
FakeMciSender Disc(const std::string& current, const std::string& mode) {
  FakeMciSender disc;
  disc.answers[kCurrent] = {0, current};
  disc.answers[kTracks] = {0, "10"};
  disc.answers[kMode] = {0, mode};
  for (int track : {-1, 0, 11}) disc.answers[PositionQuery(track)] = {289, ""};
  for (int track = 1; track <= 10; ++track)
    disc.answers[PositionQuery(track)] = {0, std::to_string(track) + ":00:00:00"};
  disc.answers["play cdaudio from Error:289"] = {277, ""};
  return disc;
}

Commands Plus(Commands first, const Commands& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// Music on and started; the start's commands are not counted.
CdMusic Started(FakeMciSender& disc, int16_t bgm_rep) {
  CdMusic music(disc, kMusicOn, bgm_rep);
  music.Start();
  disc.sent.clear();
  disc.sent_without_reply.clear();
  return music;
}

TEST(CdMusic, MusicOffSendsNothingAndEveryKeyEnds) {
  FakeMciSender disc = Disc("4", "stopped");
  CdMusic music(disc, kMusicOff, 3);
  music.Start();
  EXPECT_FALSE(music.TimerEnabled());
  music.Tick();
  for (int key : {kLeft, kRight, 13, 27, 65}) EXPECT_FALSE(music.KeyDown(key)) << key;
  music.Unload();
  EXPECT_TRUE(disc.sent.empty());
}

TEST(CdMusic, StartOpensTheDriveInTrackFormat) {
  FakeMciSender disc = Disc("1", "stopped");
  CdMusic music(disc, kMusicOn, 0);
  music.Start();
  const Commands start = {"open cdaudio", "set cdaudio time format tmsf"};
  EXPECT_EQ(disc.sent, start);
  EXPECT_EQ(disc.sent_without_reply, start);
  EXPECT_TRUE(music.TimerEnabled());
}

TEST(CdMusic, WholeDiscIsRestartedOnlyWhenStopped) {
  FakeMciSender disc = Disc("1", "stopped");
  CdMusic music = Started(disc, 0);
  music.Tick();  // the first tick starts the music
  disc.answers[kMode].reply = "playing";
  music.Tick();
  music.Tick();
  disc.answers[kMode].reply = "stopped";
  music.Tick();
  EXPECT_EQ(disc.sent, Plus(Plus(Plus(Plus(kQueries, {"play cdaudio"}), kQueries), kQueries),
                            Plus(kQueries, {"play cdaudio"})));
  EXPECT_TRUE(music.TimerEnabled());
}

TEST(CdMusic, OnlyTheExactLowerCaseStoppedCounts) {
  const struct { FakeMciSender::Answer mode; bool plays; } cases[] = {
      {{0, "stopped"}, true}, {{0, "stopped now"}, true}, {{0, "Stopped"}, false},
      {{0, "stop"}, false},   {{0, "playing"}, false},    {{0, "paused"}, false},
      {{0, ""}, false},
      {{263, "stopped"}, false},  // a failed mode query is no answer
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc("1", "");
    disc.answers[kMode] = c.mode;
    CdMusic music = Started(disc, 0);
    music.Tick();
    EXPECT_EQ(disc.sent, c.plays ? Plus(kQueries, {"play cdaudio"}) : kQueries) << c.mode.reply;
    EXPECT_TRUE(music.TimerEnabled());
  }
}

TEST(CdMusic, RepeatTrackIsRestartedWhenStoppedOrElsewhere) {
  const Commands back_to_3 = {PositionQuery(3), "play cdaudio from 3:00:00:00"};
  const struct { std::string current, mode; bool restarts; } cases[] = {
      {"4", "playing", true}, {"2", "playing", true}, {"3", "playing", false},
      {"3", "stopped", true}, {"4", "stopped", true}, {" 3 ", "playing", false},
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc(c.current, c.mode);
    CdMusic music = Started(disc, 3);
    music.Tick();
    EXPECT_EQ(disc.sent, c.restarts ? Plus(kQueries, back_to_3) : kQueries)
        << c.current << " " << c.mode;
    EXPECT_TRUE(music.TimerEnabled());
  }
}

TEST(CdMusic, AFailedQueryGivesUpForGood) {
  const struct {
    std::string failing;
    int16_t bgm_rep;
    Commands sent;
  } cases[] = {
      {kCurrent, 0, {kCurrent}},
      {kTracks, 0, {kCurrent, kTracks}},
      {kCurrent, 3, {kCurrent}},
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc("4", "stopped");
    disc.answers[c.failing] = {275, ""};  // no drive, no disc
    CdMusic music = Started(disc, c.bgm_rep);
    music.Tick();
    EXPECT_FALSE(music.TimerEnabled()) << c.failing;
    music.Tick();
    music.Unload();
    EXPECT_EQ(disc.sent, c.sent) << c.failing;
  }
}

TEST(CdMusic, ACurrentTrackThatIsNoNumberGivesUpWhenRepeating) {
  for (int16_t bgm_rep : {0, 3}) {
    FakeMciSender disc = Disc("", "stopped");
    CdMusic music = Started(disc, bgm_rep);
    music.Tick();
    EXPECT_EQ(music.TimerEnabled(), bgm_rep == 0);
    EXPECT_EQ(disc.sent, bgm_rep == 0 ? Plus(kQueries, {"play cdaudio"}) : kQueries);
  }
}

TEST(CdMusic, ArrowKeysChangeTrackWithoutRangeCheck) {
  const struct { std::string current; int key; int target; std::string from; } cases[] = {
      {"4", kRight, 5, "5:00:00:00"},
      {"4", kLeft, 3, "3:00:00:00"},
      {"10", kRight, 11, "Error:289"},  // past the last track: rejected
      {"1", kLeft, 0, "Error:289"},
      {"4abc", kRight, 5, "5:00:00:00"},  // its leading number
      {"Error:275", kRight, 1, "1:00:00:00"},  // no answer reads as track 0
      {"Error:275", kLeft, -1, "Error:289"},
      {"99999", kRight, 1, "1:00:00:00"},  // too large for 16 bits: track 0
      {"4.5", kRight, 5, "5:00:00:00"},  // 4.5 rounds to 4
  };
  for (const auto& c : cases) {
    FakeMciSender disc = Disc(c.current, "playing");
    CdMusic music = Started(disc, 0);
    EXPECT_TRUE(music.KeyDown(c.key));
    EXPECT_EQ(disc.sent, (Commands{kCurrent, PositionQuery(c.target), "play cdaudio from " + c.from}))
        << c.current;
    EXPECT_TRUE(music.TimerEnabled());  // the music goes on
  }
}

TEST(CdMusic, KeysAfterGivingUpStillSendAndOtherKeysEnd) {
  FakeMciSender disc;  // no drive: the queries fail
  disc.answers[kCurrent] = {275, ""};
  disc.answers[PositionQuery(1)] = {275, ""};
  CdMusic music = Started(disc, 0);
  music.Tick();
  ASSERT_FALSE(music.TimerEnabled());
  disc.sent.clear();
  EXPECT_TRUE(music.KeyDown(kRight));
  EXPECT_EQ(disc.sent, (Commands{kCurrent, PositionQuery(1), "play cdaudio from Error:275"}));
  disc.sent.clear();
  for (int key : {13, 27, 32, 38, 40, 65}) EXPECT_FALSE(music.KeyDown(key)) << key;
  EXPECT_TRUE(disc.sent.empty());
}

TEST(CdMusic, RepeatTrackComesBackAfterAnArrowKey) {
  FakeMciSender disc = Disc("3", "playing");
  CdMusic music = Started(disc, 3);
  music.KeyDown(kRight);
  disc.answers[kCurrent].reply = "4";
  music.Tick();
  EXPECT_EQ(disc.sent, Plus(Plus({kCurrent, PositionQuery(4), "play cdaudio from 4:00:00:00"},
                                 kQueries),
                            {PositionQuery(3), "play cdaudio from 3:00:00:00"}));
}

TEST(CdMusic, UnloadStopsAndClosesOnlyWhileLookingAfter) {
  FakeMciSender disc = Disc("1", "playing");
  CdMusic music = Started(disc, 0);
  music.Unload();
  const Commands close = {"stop cdaudio", "close cdaudio"};
  EXPECT_EQ(disc.sent, close);
  EXPECT_EQ(disc.sent_without_reply, close);
  EXPECT_FALSE(music.TimerEnabled());
  music.Unload();
  music.Tick();
  EXPECT_EQ(disc.sent, close);
}

}  // namespace
}  // namespace gyra
