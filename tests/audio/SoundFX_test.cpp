#include "audio/SoundFX.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "diag/Logs.h"
#include "platform/headless/HeadlessAudio.h"
#include "tests/audio/AudioTestKit.h"

namespace bm {
namespace {

using test::ManualClock;
using test::TempDir;

// A program folder with a Sounds.ini and the files it names (lower case on disk,
// as the generator writes them; the ini reader hands names back upper-cased).
struct SfxRig {
  explicit SfxRig(const std::string& sfxSection) : logs(dir.path), device(clock), sfx(device, clock, logs, dir.path) {
    logs.SetTimeSource([] { return std::string("T"); });
    test::WriteText(dir / "Sounds.ini", "[SFX:BEGIN]\r\n" + sfxSection + "[SFX:END]\r\n");
    test::WriteWav(dir / "sounds/short.wav", 0.5);
    test::WriteWav(dir / "sounds/other.wav", 0.5);
  }
  std::vector<std::string> RunLog() { return test::ReadLines(logs.RunLogPath()); }
  std::vector<int> PlayedInstances() {
    std::vector<int> out;
    for (const auto& p : device.Played()) out.push_back(p.instance);
    return out;
  }

  TempDir dir;
  ManualClock clock;
  Logs logs;
  HeadlessSoundDevice device;
  SoundFx sfx;
};

TEST(SoundFx, InstanceCountsAreClampedToOneToFifty) {
  SfxRig rig(
      "bon_treasure = 1, \\sounds\\short.wav\r\n"
      "bon_life = 2, \\sounds\\short.wav, 0\r\n"
      "bon_clock = 3, \\sounds\\short.wav, -4\r\n"
      "bon_bomb1 = 4, \\sounds\\short.wav, 80\r\n"
      "bon_bomb2 = 5, \\sounds\\short.wav, 3 // three at once\r\n");
  ASSERT_EQ(rig.sfx.StartSound(), SoundStart::Ok);
  rig.sfx.loadAllSFX();
  std::vector<int> counts;
  for (int id = 1; id <= 5; ++id) counts.push_back(rig.sfx.Channels[id].Count);
  EXPECT_EQ(counts, (std::vector<int>{1, 1, 1, 50, 3}));
  EXPECT_EQ(rig.device.StreamsOpen(), 1 + 1 + 1 + 50 + 3);
  // The record keeps what was read.
  EXPECT_TRUE(rig.sfx.Cue("bon_bomb1")->Loaded && rig.sfx.Cue("bon_bomb1")->Instances == 80);
  rig.sfx.PlaySfx("bon_treasure");  // the first id is heard too
  // Shut-down frees every instance; nothing plays after it.
  rig.sfx.ReleaseAllSfx();
  EXPECT_EQ(rig.device.StreamsOpen(), 0);
  rig.sfx.PlaySfx("bon_life");
  EXPECT_EQ(rig.device.Played().size(), 1u);
}

TEST(SoundFx, BusyCueRestartsItsOldestInstanceUnlessToldNotTo) {
  SfxRig rig("ev_game_swap = 7, \\sounds\\short.wav, 3\r\nev_map_sea = 8, \\sounds\\other.wav, 2\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();

  // Three plays at the same moment fill the instances in order.
  for (int i = 0; i < 3; ++i) rig.sfx.PlaySfx("ev_game_swap");
  EXPECT_EQ(rig.PlayedInstances(), (std::vector<int>{0, 1, 2}));
  // All busy, all started together: the lowest index is taken over, restarted.
  rig.clock.now += 10;
  rig.sfx.PlaySfx("ev_game_swap");
  ASSERT_EQ(rig.device.Played().size(), 4u);
  EXPECT_EQ(std::tuple(rig.device.Played()[3].instance, rig.device.Played()[3].restart, rig.device.Played()[0].restart),
            std::tuple(0, true, false));
  // Now instance 1 is the oldest.
  rig.clock.now += 10;
  rig.sfx.PlaySfx("ev_game_swap");
  EXPECT_EQ(rig.device.Played().back().instance, 1);
  // No-steal leaves every busy instance alone.
  rig.device.ClearPlayed();
  rig.sfx.PlaySfx("ev_game_swap", true);
  EXPECT_TRUE(rig.device.Played().empty());
  // Once a sound has run out (0.5 s), its instance is free again and is taken first.
  rig.clock.now += 485;  // instance 2 started at 1000 and is done; 0 and 1 are not
  rig.sfx.PlaySfx("ev_game_swap", true);
  ASSERT_EQ(rig.device.Played().size(), 1u);
  EXPECT_EQ(std::pair(rig.device.Played()[0].instance, rig.device.Played()[0].restart), std::pair(2, false));

  // The ambience cues are played no-steal: a third request with two running is dropped.
  rig.device.ClearPlayed();
  for (int i = 0; i < 3; ++i) rig.sfx.PlaySfx("ev_map_sea", true);
  EXPECT_EQ(rig.PlayedInstances(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(rig.sfx.IsSfxPlaying("ev_map_sea"));
  rig.sfx.StopSfx("ev_map_sea");
  EXPECT_FALSE(rig.sfx.IsSfxPlaying("ev_map_sea"));
  EXPECT_EQ(rig.device.StopCalls(), 2);
}

TEST(SoundFx, PlayOnceSoundsOnceUntilRearmed) {
  SfxRig rig("ev_menu_over = 20, \\sounds\\short.wav, 4\r\nev_logo = 21, \\sounds\\other.wav\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  for (int frame = 0; frame < 30; ++frame) {
    rig.sfx.PlaySfxOnce("ev_menu_over");
    rig.clock.now += 16;
  }
  EXPECT_EQ(rig.device.Played().size(), 1u);
  rig.sfx.RearmSfx("ev_menu_over");
  rig.sfx.PlaySfxOnce("ev_menu_over");
  rig.sfx.PlaySfxOnce("ev_menu_over");
  EXPECT_EQ(rig.device.Played().size(), 2u);
  // Disarmed (as the shop does before a put-back): the next play-once is silent.
  rig.sfx.RearmSfx("ev_menu_over");
  rig.sfx.DisarmSfx("ev_menu_over");
  rig.sfx.PlaySfxOnce("ev_menu_over");
  EXPECT_EQ(rig.device.Played().size(), 2u);

  // The logo cue is loaded on its own, before everything else.
  EXPECT_FALSE(rig.sfx.Cue("ev_logo")->Loaded);
  rig.sfx.LoadLogoSFX();
  EXPECT_EQ(std::pair(rig.sfx.Cue("ev_logo")->Loaded, rig.sfx.Cue("ev_logo")->Id), std::pair(true, 21));
}

TEST(SoundFx, MissingFileIsReportedOnceAndStaysSilent) {
  SfxRig rig("bon_gun = 30, \\sounds\\nothere.wav, 2\r\nbon_sun = 31, \\sounds\\short.wav\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  SfxCue* gun = rig.sfx.Cue("bon_gun");
  EXPECT_TRUE(!gun->Loaded && rig.sfx.Cue("bon_sun")->Loaded);
  auto log = rig.RunLog();
  auto line = std::find(log.begin(), log.end(), "T -> Unknown * BASS: 30,\\SOUNDS\\NOTHERE.WAV,2,2 * ");
  EXPECT_NE(line, log.end());
  std::size_t linesAfterLoad = log.size();
  for (int i = 0; i < 100; ++i) {
    rig.sfx.PlaySfx(*gun);
    rig.sfx.PlaySfxOnce(*gun);
    rig.sfx.StopSfx(*gun);
  }
  EXPECT_TRUE(!rig.sfx.IsSfxPlaying(*gun) && rig.device.Played().empty());
  EXPECT_EQ(rig.RunLog().size(), linesAfterLoad);
  EXPECT_EQ(rig.device.StreamsOpen(), 1);  // the failed cue holds nothing
}

TEST(SoundFx, KeyWithTrailingBlankDoesNotMatchLongerNames) {
  // bon_rum_change comes last, so a key without the blank would pick it up.
  SfxRig rig(
      "bon_rum = 11, \\sounds\\short.wav, 1\r\n"
      "bon_rum_change = 12, \\sounds\\other.wav, 2\r\n"
      "bon_bomb1 = 13, \\sounds\\short.wav\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  const SfxCue& rum = *rig.sfx.Cue("bon_rum");
  EXPECT_EQ(std::tuple(rum.Id, rig.sfx.Cue("bon_rum_change")->Id, rig.sfx.Cue("bon_bomb1")->Id), std::tuple(11, 12, 13));
  EXPECT_EQ(std::pair(rum.Name, rum.File), std::pair(std::string("bon_rum "), std::string("\\SOUNDS\\SHORT.WAV")));
  EXPECT_TRUE(rum.Loaded);  // found on disk in lower case
}

TEST(SoundFx, AbsentKeysAndBadIdsLeaveTheCueSilentWithAReportAndNumbersReadLeniently) {
  SfxRig rig("bon_key = 150, \\sounds\\short.wav\r\nbon_pick = x, \\sounds\\short.wav\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  // Past the channel table, no number, not in the catalogue.
  EXPECT_EQ(std::tuple(rig.sfx.Cue("bon_key")->Loaded, rig.sfx.Cue("bon_pick")->Loaded, rig.sfx.Cue("bon_life")->Id),
            std::tuple(false, false, 0));
  auto log = rig.RunLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "T -> Unknown: Record Not Found: bon_life  * BASS Error_: 0 * "),
            log.end());
  EXPECT_NE(std::find_if(log.begin(), log.end(),
                         [](const std::string& l) { return l.find("Unknown: Can't Assign SFX") != std::string::npos; }),
            log.end());
  // Misspelt names at call sites are logged once and do nothing.
  std::size_t before = rig.RunLog().size();
  rig.sfx.PlaySfx("ev_game_swapp");
  rig.sfx.PlaySfx("ev_game_swapp");
  EXPECT_EQ(rig.RunLog().size(), before + 1);
  // Numbers read their leading number.
  std::vector<int> read;
  for (const char* text : {" 7", "3abc", "2.5", "3.5", "-4", "abc", "", "1e30"}) read.push_back(LenientInt(text));
  EXPECT_EQ(read, (std::vector<int>{7, 3, 2, 4, -4, 0, 0, 2147483647}));
}

TEST(SoundFx, DuplicateIdReplacesTheEarlierCueWithoutLeaking) {
  SfxRig rig("bon_life = 5, \\sounds\\short.wav, 3\r\nbon_clock = 5, \\sounds\\other.wav, 2\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  EXPECT_EQ(std::pair(rig.device.StreamsOpen(), rig.sfx.Channels[5].Count), std::pair(2, 2));
}

TEST(SoundFx, NothingPlaysBeforeTheSoundSystemStartsOrWithABadVersion) {
  SfxRig rig("ev_game_click = 40, \\sounds\\short.wav\r\n");
  rig.sfx.loadAllSFX();
  rig.sfx.PlaySfx("ev_game_click");
  EXPECT_TRUE(rig.device.Played().empty() && !rig.sfx.IsSfxPlaying("ev_game_click"));

  rig.device.SetVersionOk(false);
  EXPECT_EQ(std::pair(rig.sfx.StartSound(), rig.sfx.SoundReady), std::pair(SoundStart::BadVersion, false));
  EXPECT_EQ(rig.RunLog().back(),
            "T -> Form_Load() * An incorrect version of the sound library was loaded * Critical Error!");

  rig.device.SetVersionOk(true);
  rig.device.FailInit(true);
  EXPECT_EQ(rig.sfx.StartSound(), SoundStart::InitFailed);
  EXPECT_EQ(rig.RunLog().back(), "T -> Unknown: Can't initialize digital sound system * BASS Error_: 3 * ");
}

TEST(SoundFx, GlobalVolumeFollowsTheSettings) {
  SfxRig rig("");
  // 12.5 rounds to the even 12; sound off is silence whatever the volume.
  for (auto [volume, on, heard] : {std::tuple{0.7, true, 70}, {1.5, true, 100}, {-0.05, true, 0}, {0.125, true, 12},
                                   {0.9, false, 0}}) {
    rig.sfx.ApplySoundVolume(volume, on);
    EXPECT_EQ(rig.device.GlobalVolume(), heard) << volume;
  }
}

TEST(SoundFx, ABrokenDeviceCannotFloodTheLog) {
  SfxRig rig("ev_game_fall = 50, \\sounds\\short.wav\r\n");
  rig.sfx.StartSound();
  rig.sfx.loadAllSFX();
  std::size_t before = rig.RunLog().size();
  rig.device.FailPlays(true);
  for (int i = 0; i < 500; ++i) {
    rig.sfx.PlaySfx("ev_game_fall");
    rig.clock.now += 1000;
  }
  auto log = rig.RunLog();
  ASSERT_EQ(log.size() - before, 21u);
  EXPECT_EQ(log.back(), "T -> SoundFX * Too many sound errors; no more are logged in this run * ");
  EXPECT_EQ(log[before], "T -> Unknown: Can't play stream * BASS Error_: 18 * ");
}

// The shipped catalogue, when the generator has run: every cue loads, and the
// files named in upper case are found on disk. Each is decoded by need: the cues
// that must sound at once from loading on, a place's sure cues when the player
// comes there, any other as it starts; dropped once the player is elsewhere or
// the cue has been quiet a while.
TEST(SoundFx, GeneratedCatalogueLoadsEveryCueAndDecodesByNeed) {
  const std::string gameDir = BM_GAME_DIR;
  if (!std::filesystem::exists(gameDir + "/Sounds.ini")) GTEST_SKIP() << "no generated sounds in " << gameDir;
  TempDir logDir;
  ManualClock clock;
  Logs logs(logDir.path);
  HeadlessSoundDevice device(clock);
  SoundFx sfx(device, clock, logs, gameDir);
  ASSERT_EQ(sfx.StartSound(), SoundStart::Ok);
  sfx.LoadLogoSFX();
  sfx.loadAllSFX();
  // Each cue on a line of its own (its key, the name and one blank, in no other line): as many ids as cues.
  std::set<int> ids;
  for (const SfxCue& cue : sfx.Cues) {
    EXPECT_TRUE(cue.Loaded && cue.Id <= kSfxCueCount && cue.Instances >= 1 && cue.Instances <= kSfxMaxInstances) << cue.Name;
    EXPECT_EQ(cue.File.substr(0, 1), "\\") << cue.Name << ": relative, beginning with a backslash";
    ids.insert(cue.Id);
  }
  EXPECT_EQ(ids.size(), std::size_t(kSfxCueCount));
  EXPECT_TRUE(test::ReadLines(logs.RunLogPath()).empty());
  const std::string ini = test::ReadText(gameDir + "/Sounds.ini");
  for (std::size_t at = ini.find('\n'); at != std::string::npos; at = ini.find('\n', at + 1))
    ASSERT_EQ(ini[at - 1], '\r') << "lines end with CR LF";

  for (int i = 0; i < kSfxCueCount; ++i)
    EXPECT_EQ(sfx.Cues[i].Decoded, CueKeptDecoded(kSfxCueNames[i]) || kSfxCueNames[i] == "ev_logo") << sfx.Cues[i].Name;
  EXPECT_GE(sfx.CuesDecoded(), 7);
  sfx.UseSounds(SoundPlace::Play);
  EXPECT_FALSE(sfx.Cue("ev_logo")->Decoded);
  sfx.PlaySfx("ev_game_collapse");
  sfx.PlaySfx("bon_bomb1");
  ASSERT_EQ(device.Played().size(), 2u);
  EXPECT_TRUE(device.Played()[0].buffered) << "a line sounds at once";
  EXPECT_FALSE(device.Played()[1].buffered) << "a bomb's cue is decoded as it starts";
  sfx.UseSounds(SoundPlace::Between, 3);
  EXPECT_TRUE(sfx.Cue("ev_map_forest")->Decoded) << "the third stage's ambience, ready for the map";
  EXPECT_FALSE(sfx.Cue("ev_map_sea")->Decoded);
  EXPECT_TRUE(sfx.Cue("bon_bomb1")->Decoded) << "kept while it sounds";
  clock.now += 1500;
  sfx.Tidy();
  EXPECT_FALSE(sfx.Cue("bon_bomb1")->Decoded) << "dropped once it ended";
  EXPECT_TRUE(sfx.Cue("ev_game_collapse")->Decoded && sfx.Cue("ev_game_swap")->Decoded) << "kept for the next level";
  sfx.UseSounds(SoundPlace::Play);
  sfx.PlaySfx("bon_life");
  clock.now += kSfxQuietDropMs - 1;
  sfx.Tidy();
  EXPECT_TRUE(sfx.Cue("bon_life")->Decoded);
  clock.now += 2;
  sfx.Tidy();
  EXPECT_FALSE(sfx.Cue("bon_life")->Decoded) << "quiet for a while";
  EXPECT_EQ(device.FilesBuffered(), sfx.CuesDecoded());
}

}  // namespace
}  // namespace bm
