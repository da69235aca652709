#include "display/background_music.h"
#include "display/cd_music.h"
#include "display/music_folder_disc.h"

#include "fake_mci_sender.h"
#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <set>

namespace gyra {
namespace {

using Files = std::vector<std::string>;

constexpr int kLeft = 37;
constexpr int kRight = 39;

// Plays a file until the test ends it; files in `broken` will not play.
struct FakePlayer : FilePlayer {
  bool Start(const std::string& path) override {
    if (broken.count(path)) return false;
    started.push_back(path);
    playing = path;
    return true;
  }
  bool Playing() override { return !playing.empty(); }
  void Close() override { playing.clear(); }

  std::set<std::string> broken;
  Files started;
  std::string playing;
};

TEST(MusicFolderDisc, AnswersTheCdCommandsInOrder) {
  FakePlayer player;
  MusicFolderDisc disc(player, {"a", "b", "c"});
  const struct { std::string command; int32_t code; std::string reply, playing; } steps[] = {
      {"open cdaudio", 0, "", ""},
      {"set cdaudio time format tmsf", 0, "", ""},
      {"status cdaudio number of tracks", 0, "3", ""},
      {"status cdaudio current track", 0, "1", ""},
      {"status cdaudio mode", 0, "stopped", ""},
      {"status cdaudio position track 3", 0, "3:00:00:00", ""},
      {"status cdaudio position track 0", 282, "", ""},
      {"status cdaudio position track 4", 282, "", ""},
      {"play cdaudio", 0, "", "a"},
      {"status cdaudio mode", 0, "playing", "a"},
      {"play cdaudio from 3:00:00:00", 0, "", "c"},
      {"status cdaudio current track", 0, "3", "c"},
      {"play cdaudio from Error:282", 282, "", "c"},  // rejected: the music goes on
      {"play cdaudio from 4:00:00:00", 282, "", "c"},
      {"eject cdaudio", 261, "", "c"},
      {"stop cdaudio", 0, "", ""},
      {"status cdaudio mode", 0, "stopped", ""},
      {"status cdaudio current track", 0, "3", ""},
      {"play cdaudio", 0, "", "c"},  // from the current track
      {"close cdaudio", 0, "", ""},
  };
  for (const auto& step : steps) {
    std::string reply;
    EXPECT_EQ(disc.Send(step.command, &reply), step.code) << step.command;
    EXPECT_EQ(reply, step.reply) << step.command;
    EXPECT_EQ(player.playing, step.playing) << step.command;
  }
}

// The CD music controller driving a folder disc of files a, b, c.
struct Walk {
  explicit Walk(int16_t bgm_rep, std::set<std::string> broken = {}) : music(disc, 0, bgm_rep) {
    player.broken = std::move(broken);
    music.Start();
  }
  FakePlayer player;
  MusicFolderDisc disc{player, {"a", "b", "c"}};
  CdMusic music;
};

TEST(MusicFolderDisc, PlaysTheFilesInTurnAndStartsAgainAfterTheLast) {
  Walk walk(0, {"b"});  // b will not play: skipped
  walk.music.Tick();
  walk.player.Close();  // a ends
  walk.music.Tick();
  walk.music.Tick();
  walk.player.Close();  // c ends: the disc stops, the tick starts it again
  walk.music.Tick();
  EXPECT_EQ(walk.player.started, (Files{"a", "c", "a"}));
}

TEST(MusicFolderDisc, RepeatsOneFileWheneverItEndsOrAnotherPlays) {
  Walk walk(2);
  walk.music.Tick();
  walk.player.Close();  // b ends: the disc moves on to c, the tick sends it back
  walk.music.Tick();
  walk.music.KeyDown(kRight);
  walk.music.Tick();
  EXPECT_EQ(walk.player.started, (Files{"b", "c", "b", "c", "b"}));
  EXPECT_TRUE(walk.music.TimerEnabled());
}

TEST(MusicFolderDisc, ArrowsStepThroughTheFilesAndStopAtBothEnds) {
  Walk walk(0);
  walk.music.Tick();
  for (int key : {kLeft, kRight, kRight, kRight, kLeft}) EXPECT_TRUE(walk.music.KeyDown(key));
  EXPECT_EQ(walk.player.started, (Files{"a", "b", "c", "b"}));
}

TEST(MusicFolderDisc, GivesUpWhenNoFilePlays) {
  for (int16_t bgm_rep : {0, 2}) {
    Walk walk(bgm_rep, {"a", "b", "c"});
    for (int tick = 0; tick < 3; ++tick) walk.music.Tick();
    EXPECT_EQ(walk.music.TimerEnabled(), bgm_rep != 0) << bgm_rep;
    EXPECT_TRUE(walk.player.started.empty());
  }
}

TEST(BackgroundMusic, PlaysTheCdOrElseTheMusicFolderOrElseNothing) {
  const std::string folder = "C:\\ジラフォト\\Music";
  const std::string open_first = "open \"" + folder + "\\a.wav\" type waveaudio alias gyrafoto_track0";
  const struct { bool cd, folder_exists; Files files; std::string plays; } cases[] = {
      {true, true, {"a.wav"}, "play cdaudio"},
      {false, true, {"b.MP3", "a.wav", "c.txt"}, open_first},
      {false, true, {"c.txt"}, ""},
      {false, true, {}, ""},
      {false, false, {}, ""},
  };
  for (const auto& c : cases) {
    FakeMciSender mci;
    if (!c.cd) mci.answers["open cdaudio"] = {266, ""};
    mci.answers["status cdaudio number of tracks"] = {0, "12"};
    mci.answers["status cdaudio mode"] = {0, "stopped"};
    MemoryFileSystem fs;
    if (c.folder_exists) fs.AddFolder(folder);
    for (const auto& name : c.files) fs.AddFile(folder + "\\" + name);
    BackgroundMusic music(mci, fs, folder, 0, 0);
    music.Start();
    music.Tick();
    EXPECT_EQ(music.TimerEnabled(), !c.plays.empty()) << c.plays;
    EXPECT_EQ(music.KeyDown(kRight), !c.plays.empty()) << c.plays;
    if (!c.plays.empty()) {
      EXPECT_NE(std::find(mci.sent.begin(), mci.sent.end(), c.plays), mci.sent.end());
    }
  }
}

TEST(BackgroundMusic, TracksAreThePlayableVisibleFilesInOrdinalOrder) {
  const std::string folder = "C:\\ジラフォト\\Music";
  MemoryFileSystem fs;
  fs.AddFolder(folder);
  for (const char* name : {"曲.MID", "b.mp3", "Z.wma", "a.WAV", "notes.txt", "x.aiff"})
    fs.AddFile(folder + "\\" + name);
  fs.AddFile(folder + "\\hidden.wav", "", {.hidden = true});
  fs.AddFile(folder + "\\system.wav", "", {.system = true});
  fs.AddFolder(folder + "\\sub.wav");
  FakeMciSender mci;
  mci.answers["open cdaudio"] = {266, ""};
  // Every file is over at once: each query finds one ended and opens the next.
  for (const char* alias : {"gyrafoto_track0", "gyrafoto_track1"})
    mci.answers["status " + std::string(alias) + " mode"] = {0, "stopped"};
  BackgroundMusic music(mci, fs, folder, 0, 0);
  music.Start();
  for (int tick = 0; tick < 3; ++tick) music.Tick();
  Files opened;
  for (const auto& command : mci.sent)
    if (command.rfind("open \"", 0) == 0) opened.push_back(command.substr(6 + folder.size() + 1));
  EXPECT_EQ(opened, (Files{"Z.wma\" type mpegvideo alias gyrafoto_track0",
                           "a.WAV\" type waveaudio alias gyrafoto_track1",
                           "b.mp3\" type mpegvideo alias gyrafoto_track0",
                           "x.aiff\" type mpegvideo alias gyrafoto_track1",
                           "曲.MID\" type sequencer alias gyrafoto_track0",
                           "Z.wma\" type mpegvideo alias gyrafoto_track0"}));
}

}  // namespace
}  // namespace gyra
