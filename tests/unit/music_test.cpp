// The CD music and the music folder played as a CD, against a scripted drive and player,
// and which of CD, folder or nothing plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "display/background_music.h"
#include "display/cd_drive.h"
#include "display/disc_music.h"
#include "display/music_folder_disc.h"
#include "memory_file_system.h"

namespace gyra {
namespace {

constexpr MusicKey kLeft = MusicKey::kPreviousTrack, kRight = MusicKey::kNextTrack;

// Answers from a table (others succeed with an empty reply), every command kept in order.
class FakeMciSender : public MciSender {
 public:
  struct Answer { int32_t code = 0; std::string reply; };

  int32_t Send(const std::string& command, std::string* reply) override {
    sent.push_back(command);
    if (reply == nullptr) sent_without_reply.push_back(command);
    const Answer answer = answers[command];
    if (reply != nullptr && answer.code == 0) *reply = answer.reply;
    return answer.code;
  }

  std::map<std::string, Answer> answers;
  std::vector<std::string> sent, sent_without_reply;
};

using Commands = std::vector<std::string>;

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
  Started(const std::string& current, const std::string& mode, int16_t repeat_track)
      : drive(disc), music(drive, 0, repeat_track) {
    disc.answers = {{kCurrent, {0, current}}, {kQueries[1], {0, "10"}}, {kMode, {0, mode}}};
    for (int track : {-1, 0, 11}) disc.answers[Position(track)] = {289, ""};
    for (int track = 1; track <= 10; ++track) disc.answers[Position(track)] = {0, std::to_string(track) + ":00:00:00"};
    music.Start();
    EXPECT_EQ(std::tuple(disc.sent, disc.sent_without_reply), std::tuple(kOpen, kOpen));
    disc.sent.clear();
  }
  FakeMciSender disc;
  CdDrive drive;
  DiscMusic music;
};

// A failed query (275: no drive) gives up for good.
TEST(CdMusic, ATickRestartsTheDiscOrTheRepeatTrackOrGivesUp) {
  const Commands whole = Plus(kQueries, {"play cdaudio"});
  const Commands back_to_3 = Plus(kQueries, {Position(3), "play cdaudio from 3:00:00:00"});
  const struct { const char* current; int32_t code; const char* mode; int16_t repeat_track; std::string failing;
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
    Started s(c.current, c.mode, c.repeat_track);
    s.disc.answers[kMode].code = c.code;
    s.disc.answers[c.failing] = {275, ""};
    s.music.Tick();
    const bool polls = s.music.TimerEnabled();
    if (!polls) {  // given up: a later tick and the unload send nothing
      s.music.Tick();
      s.music.Unload();
    }
    EXPECT_EQ(std::tuple(polls, s.disc.sent), std::tuple(c.polls, c.sent))
        << c.current << " " << c.mode << " " << c.repeat_track;
  }
}

TEST(CdMusic, ArrowKeysChangeTrackWithoutRangeCheckOtherKeysEndAndUnloadCloses) {
  const struct { std::string current; MusicKey key; int target; std::string from; } cases[] = {
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
  for (int i = 0; i < 2; ++i) s.music.Unload();
  s.music.Tick();
  EXPECT_EQ(s.disc.sent, (Commands{"stop cdaudio", "close cdaudio"}));
  EXPECT_EQ(s.disc.sent_without_reply, Plus(kOpen, s.disc.sent));
}

using Files = std::vector<std::string>;

const std::string kFolder = "C:\\ジラフォト\\Music";

// Plays a file until the test ends it; files in `broken` will not play.
struct FakePlayer : FilePlayer {
  bool Start(const std::string& path) override { return !broken.count(path) && (started.push_back(playing = path), true); }
  bool Playing() override { return !playing.empty(); }
  void Close() override { playing.clear(); }
  std::set<std::string> broken;
  Files started;
  std::string playing;
};

TEST(MusicFolderDisc, AnswersAsADiscOfItsFiles) {
  FakePlayer player;
  MusicFolderDisc disc(player, {"a", "b", "c"});
  using Answers = std::tuple<std::optional<int>, std::optional<int>, bool, std::string>;
  const struct { const char* step; std::function<void()> act; Answers answers; } steps[] = {
      {"opened", [&] { disc.Open(); }, {3, 1, true, ""}},
      {"no track 4", [&] { disc.PlayTrack(4); }, {3, 1, true, ""}},
      {"play", [&] { disc.Play(); }, {3, 1, false, "a"}},
      {"track 3", [&] { disc.PlayTrack(3); }, {3, 3, false, "c"}},
      {"no track 0", [&] { disc.PlayTrack(0); }, {3, 3, false, "c"}},  // refused: the music goes on
      {"closed", [&] { disc.Close(); }, {3, 3, true, ""}},
      {"play again", [&] { disc.Play(); }, {3, 3, false, "c"}},  // from the current track
  };
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(Answers(disc.TrackCount(), disc.CurrentTrack(), disc.Stopped(), player.playing), step.answers)
        << step.step;
  }
}

// The controller on a disc of files a, b, c: t a tick, e the file playing
// ends, < and > the arrow keys.
TEST(MusicFolderDisc, TheControllerPlaysSkipsWrapsRepeatsAndGivesUp) {
  const struct { int16_t repeat_track; std::set<std::string> broken; const char* walk; Files started; bool polls; }
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
    DiscMusic music(disc, 0, c.repeat_track);
    music.Start();
    for (const char* step = c.walk; *step; ++step) {
      if (*step == 't') music.Tick();
      else if (*step == 'e') player.Close();
      else EXPECT_TRUE(music.KeyDown(*step == '<' ? kLeft : kRight)) << c.walk;
    }
    EXPECT_EQ(std::tuple(player.started, music.TimerEnabled()), std::tuple(c.started, c.polls)) << c.walk << c.repeat_track;
  }
}

// A drive that opens but holds no audio tracks is no disc. A play refused after its open closes what it
// opened, and once nothing will play an arrow is a key like any other.
TEST(BackgroundMusic, PlaysTheCdOrElseTheMusicFolderOrElseNothing) {
  const std::string alias = " type waveaudio alias gyrafoto_track0", open_a = "open \"" + kFolder + "\\a.wav\"" + alias;
  const std::string tracks = "status cdaudio number of tracks";
  const struct { bool cd, folder_exists; Files files; std::string answer; int32_t code; std::string sent; bool plays; }
      cases[] = {
      {true, true, {"a.wav"}, "", 0, "play cdaudio", true}, {false, true, {"b.MP3", "a.wav", "c.txt"}, "", 0, open_a, true},
      {false, true, {"c.txt"}, "", 0, "", false}, {false, false, {}, "", 0, "", false},
      {true, true, {"a.wav"}, tracks, 0, open_a, true}, {true, true, {"a.wav"}, tracks, 263, open_a, true},
      {false, true, {"a.wav"}, "play gyrafoto_track0", 263, "close gyrafoto_track0", false},
  };
  for (const auto& c : cases) {
    FakeMciSender mci;
    if (!c.cd) mci.answers["open cdaudio"] = {266, ""};
    mci.answers.insert({{tracks, {0, "12"}}, {"status cdaudio mode", {0, "stopped"}}});
    if (!c.answer.empty()) mci.answers[c.answer] = {c.code, "0"};
    MemoryFileSystem fs;
    if (c.folder_exists) fs.AddFolder(kFolder);
    for (const auto& name : c.files) fs.AddFile(kFolder + "\\" + name);
    BackgroundMusic music(mci, fs, kFolder, 0, 0);
    music.Start();
    for (int tick = 0; tick < 2; ++tick) music.Tick();
    EXPECT_EQ(std::tuple(music.TimerEnabled(), music.KeyDown(kRight)), std::tuple(c.plays, c.plays)) << c.sent;
    EXPECT_TRUE(c.sent.empty() || std::count(mci.sent.begin(), mci.sent.end(), c.sent)) << c.sent;
  }
}

TEST(BackgroundMusic, StopsWhileTheDisplayIsOffUnlessItGaveUp) {
  for (const bool gave_up : {false, true}) {
    FakeMciSender mci;
    mci.answers = {{kQueries[1], {0, "12"}}, {kMode, {0, "playing"}}, {kCurrent, {gave_up ? 263 : 0, "1"}}};
    const MemoryFileSystem fs;
    BackgroundMusic music(mci, fs, kFolder, 0, 0);
    music.Start();
    music.Tick();
    mci.sent.clear();
    music.DisplayTurned(true);  // the state when asked for: nothing changes
    music.DisplayTurned(false);
    EXPECT_EQ(std::tuple(mci.sent, music.TimerEnabled()),
              std::tuple(gave_up ? Commands{} : Commands{"stop cdaudio", "close cdaudio"}, false));
    music.DisplayTurned(false);
    music.DisplayTurned(true);
    EXPECT_EQ(music.TimerEnabled(), !gave_up);
    EXPECT_EQ(mci.sent.size(), gave_up ? 0u : 4u) << mci.sent.back();
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
  FakeMciSender mci;  // every file is over at once: each query finds one ended and opens the next
  mci.answers = {{"open cdaudio", {266, ""}}, {"status gyrafoto_track0 mode", {0, "stopped"}},
                 {"status gyrafoto_track1 mode", {0, "stopped"}}};
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
