// The music folder played as a CD, and which of CD, folder or nothing plays.
#include "display/background_music.h"
#include "display/cd_music.h"
#include "display/music_folder_disc.h"

#include "fake_mci_sender.h"
#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace gyra {
namespace {

using Files = std::vector<std::string>;

constexpr int kLeft = 37, kRight = 39;
const std::string kFolder = "C:\\ジラフォト\\Music";

// Plays a file until the test ends it; files in `broken` will not play.
struct FakePlayer : FilePlayer {
  bool Start(const std::string& path) override {
    if (broken.count(path)) return false;
    started.push_back(playing = path);
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
      {"open cdaudio", 0, "", ""}, {"status cdaudio number of tracks", 0, "3", ""},
      {"status cdaudio current track", 0, "1", ""}, {"status cdaudio mode", 0, "stopped", ""},
      {"status cdaudio position track 3", 0, "3:00:00:00", ""}, {"status cdaudio position track 4", 282, "", ""},
      {"play cdaudio", 0, "", "a"}, {"status cdaudio mode", 0, "playing", "a"},
      {"play cdaudio from 3:00:00:00", 0, "", "c"}, {"status cdaudio current track", 0, "3", "c"},
      {"play cdaudio from Error:282", 282, "", "c"},  // rejected: the music goes on
      {"eject cdaudio", 261, "", "c"}, {"stop cdaudio", 0, "", ""}, {"status cdaudio mode", 0, "stopped", ""},
      {"play cdaudio", 0, "", "c"},  // from the current track
      {"close cdaudio", 0, "", ""},
  };
  for (const auto& step : steps) {
    std::string reply;
    EXPECT_EQ(disc.Send(step.command, &reply), step.code) << step.command;
    EXPECT_EQ(std::tuple(reply, player.playing), std::tuple(step.reply, step.playing)) << step.command;
  }
}

// The controller on a disc of files a, b, c: t a tick, e the file playing
// ends, < and > the arrow keys.
TEST(MusicFolderDisc, TheControllerPlaysSkipsWrapsRepeatsAndGivesUp) {
  const struct { int16_t bgm_rep; std::set<std::string> broken; const char* walk; Files started; bool polls; }
      cases[] = {
      {0, {"b"}, "tettet", {"a", "c", "a"}, true},            // b skipped; after the last, the first
      {2, {}, "tet>t", {"b", "c", "b", "c", "b"}, true},      // the repeat track whenever another plays
      {0, {}, "t<>>><", {"a", "b", "c", "b"}, true},          // the arrows stop at both ends
      {0, {"a", "b", "c"}, "ttt", {}, false}, {2, {"a", "b", "c"}, "ttt", {}, true},  // nothing plays
  };
  for (const auto& c : cases) {
    FakePlayer player;
    player.broken = c.broken;
    MusicFolderDisc disc(player, {"a", "b", "c"});
    CdMusic music(disc, 0, c.bgm_rep);
    music.Start();
    for (const char* step = c.walk; *step; ++step) {
      if (*step == 't') music.Tick();
      else if (*step == 'e') player.Close();
      else EXPECT_TRUE(music.KeyDown(*step == '<' ? kLeft : kRight)) << c.walk;
    }
    EXPECT_EQ(std::tuple(player.started, music.TimerEnabled()), std::tuple(c.started, c.polls)) << c.walk << c.bgm_rep;
  }
}

TEST(BackgroundMusic, PlaysTheCdOrElseTheMusicFolderOrElseNothing) {
  const std::string open_a = "open \"" + kFolder + "\\a.wav\" type waveaudio alias gyrafoto_track0";
  const struct { bool cd, folder_exists; Files files; std::string plays; } cases[] = {
      {true, true, {"a.wav"}, "play cdaudio"}, {false, true, {"b.MP3", "a.wav", "c.txt"}, open_a},
      {false, true, {"c.txt"}, ""}, {false, false, {}, ""},
  };
  for (const auto& c : cases) {
    FakeMciSender mci;
    if (!c.cd) mci.answers["open cdaudio"] = {266, ""};
    mci.answers.insert({{"status cdaudio number of tracks", {0, "12"}}, {"status cdaudio mode", {0, "stopped"}}});
    MemoryFileSystem fs;
    if (c.folder_exists) fs.AddFolder(kFolder);
    for (const auto& name : c.files) fs.AddFile(kFolder + "\\" + name);
    BackgroundMusic music(mci, fs, kFolder, 0, 0);
    music.Start();
    music.Tick();
    EXPECT_EQ(std::tuple(music.TimerEnabled(), music.KeyDown(kRight)), std::tuple(!c.plays.empty(), !c.plays.empty()));
    EXPECT_TRUE(c.plays.empty() || std::count(mci.sent.begin(), mci.sent.end(), c.plays)) << c.plays;
  }
}

TEST(BackgroundMusic, TracksAreThePlayableVisibleFilesInOrdinalOrder) {
  MemoryFileSystem fs;
  fs.AddFolder(kFolder);
  for (const char* name : {"曲.MID", "b.mp3", "Z.wma", "a.WAV", "notes.txt", "x.aiff"})
    fs.AddFile(kFolder + "\\" + name);
  fs.AddFile(kFolder + "\\hidden.wav", "", {.hidden = true});
  fs.AddFile(kFolder + "\\system.wav", "", {.system = true});
  fs.AddFolder(kFolder + "\\sub.wav");
  FakeMciSender mci;
  mci.answers["open cdaudio"] = {266, ""};
  // Every file is over at once: each query finds one ended and opens the next.
  mci.answers["status gyrafoto_track0 mode"] = mci.answers["status gyrafoto_track1 mode"] = {0, "stopped"};
  BackgroundMusic music(mci, fs, kFolder, 0, 0);
  music.Start();
  for (int tick = 0; tick < 3; ++tick) music.Tick();
  Files opened;
  for (const auto& command : mci.sent)
    if (command.starts_with("open \"")) opened.push_back(command.substr(6 + kFolder.size() + 1));
  EXPECT_EQ(opened, (Files{
      "Z.wma\" type mpegvideo alias gyrafoto_track0", "a.WAV\" type waveaudio alias gyrafoto_track1",
      "b.mp3\" type mpegvideo alias gyrafoto_track0", "x.aiff\" type mpegvideo alias gyrafoto_track1",
      "曲.MID\" type sequencer alias gyrafoto_track0", "Z.wma\" type mpegvideo alias gyrafoto_track0"}));
}

}  // namespace
}  // namespace gyra
