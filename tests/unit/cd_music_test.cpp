// The CD music and the media control strings it sends, against a scripted drive.
#include "display/cd_music.h"

#include <gtest/gtest.h>

#include "fake_mci_sender.h"

namespace gyra {
namespace {

using Commands = std::vector<std::string>;

constexpr int kLeft = 37, kRight = 39;
const std::string kCurrent = "status cdaudio current track", kMode = "status cdaudio mode";
const Commands kQueries = {kCurrent, "status cdaudio number of tracks", kMode};
const Commands kOpen = {"open cdaudio", "set cdaudio time format tmsf"};

std::string Position(int track) { return "status cdaudio position track " + std::to_string(track); }

Commands Plus(Commands first, const Commands& then) {
  first.insert(first.end(), then.begin(), then.end());
  return first;
}

// Music on and started on a disc of ten tracks; the start's commands are not counted.
struct Started {
  Started(const std::string& current, const std::string& mode, int16_t bgm_rep) : music(disc, 0, bgm_rep) {
    disc.answers = {{kCurrent, {0, current}}, {kQueries[1], {0, "10"}}, {kMode, {0, mode}}};
    for (int track : {-1, 0, 11}) disc.answers[Position(track)] = {289, ""};
    for (int track = 1; track <= 10; ++track) disc.answers[Position(track)] = {0, std::to_string(track) + ":00:00:00"};
    music.Start();
    EXPECT_EQ(std::tuple(disc.sent, disc.sent_without_reply), std::tuple(kOpen, kOpen));
    disc.sent.clear();
  }
  FakeMciSender disc;
  CdMusic music;
};

// A failed query (275: no drive) gives up for good.
TEST(CdMusic, ATickRestartsTheDiscOrTheRepeatTrackOrGivesUp) {
  const Commands whole = Plus(kQueries, {"play cdaudio"});
  const Commands back_to_3 = Plus(kQueries, {Position(3), "play cdaudio from 3:00:00:00"});
  const struct { const char* current; int32_t code; const char* mode; int16_t bgm_rep; std::string failing;
                 Commands sent; bool polls; } cases[] = {
      {"1", 0, "stopped", 0, "", whole, true},        {"1", 0, "stopped now", 0, "", whole, true},
      {"1", 0, "Stopped", 0, "", kQueries, true},     {"1", 0, "playing", 0, "", kQueries, true},
      {"1", 263, "stopped", 0, "", kQueries, true},  // a failed mode query is no answer
      {"4", 0, "playing", 3, "", back_to_3, true},    {"3", 0, "playing", 3, "", kQueries, true},
      {" 3 ", 0, "playing", 3, "", kQueries, true},   {"3", 0, "stopped", 3, "", back_to_3, true},
      {"", 0, "stopped", 0, "", whole, true},         {"", 0, "stopped", 3, "", kQueries, false},  // no track number
      {"4", 0, "stopped", 0, kCurrent, {kCurrent}, false}, {"4", 0, "stopped", 3, kCurrent, {kCurrent}, false},
      {"4", 0, "stopped", 0, kQueries[1], {kCurrent, kQueries[1]}, false},
  };
  for (const auto& c : cases) {
    Started s(c.current, c.mode, c.bgm_rep);
    s.disc.answers[kMode].code = c.code;
    s.disc.answers[c.failing] = {275, ""};
    s.music.Tick();
    const bool polls = s.music.TimerEnabled();
    if (!polls) {  // given up: a later tick and the unload send nothing
      s.music.Tick();
      s.music.Unload();
    }
    EXPECT_EQ(std::tuple(polls, s.disc.sent), std::tuple(c.polls, c.sent))
        << c.current << " " << c.mode << " " << c.bgm_rep;
  }
}

TEST(CdMusic, ArrowKeysChangeTrackWithoutRangeCheckOtherKeysEndAndUnloadCloses) {
  const struct { std::string current; int key; int target; std::string from; } cases[] = {
      {"4", kRight, 5, "5:00:00:00"},    {"4", kLeft, 3, "3:00:00:00"},     {"10", kRight, 11, "Error:289"},
      {"4abc", kRight, 5, "5:00:00:00"}, {"4.5", kRight, 5, "5:00:00:00"},  {"99999", kRight, 1, "1:00:00:00"},
      {"Error:275", kLeft, -1, "Error:289"},
  };
  for (const auto& c : cases) {
    Started s(c.current, "playing", 0);
    EXPECT_TRUE(s.music.KeyDown(c.key) && s.music.TimerEnabled()) << c.current;
    EXPECT_EQ(s.disc.sent, (Commands{kCurrent, Position(c.target), "play cdaudio from " + c.from})) << c.current;
  }
  Started s("1", "playing", 0);
  for (int key : {13, 27, 38, 65}) EXPECT_FALSE(s.music.KeyDown(key)) << key;
  for (int i = 0; i < 2; ++i) s.music.Unload();
  s.music.Tick();
  EXPECT_EQ(s.disc.sent, (Commands{"stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(s.disc.sent_without_reply, Plus(kOpen, s.disc.sent));
  EXPECT_FALSE(s.music.TimerEnabled());
}

}  // namespace
}  // namespace gyra
