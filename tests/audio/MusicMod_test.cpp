#include "audio/MusicMod.h"

#include <gtest/gtest.h>

#include <cmath>

#include "diag/Logs.h"
#include "platform/headless/HeadlessAudio.h"
#include "tests/audio/AudioTestKit.h"

namespace bm {
namespace {

using test::ManualClock;
using test::TempDir;

struct MusicRig {
  MusicRig() : logs(dir.path), device(clock), music(device, clock, logs, dir.path) {
    logs.SetTimeSource([] { return std::string("T"); });
    for (const char* name : {"music/track-menu.ogg", "music/track01.ogg", "music/track02.ogg"})
      test::WriteTinyOgg(dir / name);
    music.MusicReady = true;
    music.PreLoadMusic();
  }
  // One drawn frame every 16 ms, so every frame ticks.
  void Frames(int n, bool musicOn = true) {
    for (int i = 0; i < n; ++i) {
      clock.now += 16;
      music.MusicTick(musicOn, volume);
    }
  }
  double Position(int slot) {
    double p = -1;
    device.Position(slot, p);
    return p;
  }

  TempDir dir;
  ManualClock clock;
  Logs logs;
  HeadlessMusicDevice device;
  MusicMod music;
  double volume = 1.0;
};

struct FadeCase {
  double step;
  int ticks;
};
class MusicFadeIn : public ::testing::TestWithParam<FadeCase> {};

TEST_P(MusicFadeIn, ReachesFullLevelAtTheStatedTick) {
  MusicRig rig;
  FadeCase c = GetParam();
  rig.music.PlayMusic(1, c.step, 0, false);
  rig.Frames(1);
  EXPECT_TRUE(rig.device.IsRunning(1));
  rig.Frames(c.ticks - 2);
  double level = rig.music.Slots[1].Level;
  EXPECT_LT(level, 1.0);
  EXPECT_EQ(rig.device.Volume(1), long(std::nearbyint(level * 100)) * 50 - 5000);
  rig.Frames(1);
  EXPECT_EQ(rig.music.Slots[1].Level, 1.0);
  EXPECT_EQ(rig.device.Volume(1), 0);
  // Other slots were never asked for: loaded, stopped and silent.
  EXPECT_EQ(std::tuple(rig.device.IsLoaded(0), rig.device.IsRunning(0), rig.device.Volume(0)), std::tuple(true, false, -5000L));
}

INSTANTIATE_TEST_SUITE_P(Steps, MusicFadeIn,
                         ::testing::Values(FadeCase{0.05, 20}, FadeCase{0.01, 100}, FadeCase{0.005, 200}));

TEST(MusicMod, VolumeFollowsLevelAndTheMusicSettingAndTicksAtMostEvery15Ms) {
  MusicRig rig;
  rig.music.PlayMusic(0, 0.05, 0, false);
  rig.Frames(10);  // level 0.5
  EXPECT_EQ(rig.device.Volume(0), -2500);
  rig.volume = 0.5;
  rig.Frames(10);  // level 1 at half volume: 50
  EXPECT_EQ(rig.device.Volume(0), -2500);
  rig.volume = 0.0;
  rig.Frames(1);
  EXPECT_EQ(rig.device.Volume(0), -5000);

  // The tick runs at most every fifteen milliseconds.
  rig.music.PlayMusic(1, 0.05, 0, false);
  rig.Frames(1);
  double level = rig.music.Slots[1].Level;
  rig.clock.now += 15;  // not later than 15 ms: no tick
  rig.music.MusicTick(true, 1.0);
  rig.music.MusicTick(true, 1.0);
  EXPECT_EQ(rig.music.Slots[1].Level, level);
  rig.clock.now += 0.5;
  rig.music.MusicTick(true, 1.0);
  EXPECT_GT(rig.music.Slots[1].Level, level);
}

TEST(MusicMod, FadeOutEndsExactlyAtZeroAndTheTrackKeepsRunning) {
  MusicRig rig;
  rig.music.PlayMusic(0, 0.05, 0, false);
  rig.Frames(20);
  // Whatever step is passed, the fade-out goes at 0.01 per tick.
  rig.music.FadeMusAll(-0.5, 0);
  rig.Frames(99);
  EXPECT_TRUE(rig.music.Slots[0].Level > 0 && rig.music.Slots[0].Wanted);
  rig.Frames(1);
  EXPECT_EQ(std::tuple(rig.music.Slots[0].Level, rig.music.Slots[0].Step, rig.music.Slots[0].Wanted), std::tuple(0.0, 0.0, false));
  EXPECT_EQ(std::pair(rig.device.IsRunning(0), rig.device.Volume(0)), std::pair(true, -5000L));
  // The next request fades in from 0 again.
  rig.music.PlayMusic(0, 0.05, 0, false);
  rig.Frames(1);
  EXPECT_DOUBLE_EQ(rig.music.Slots[0].Level, 0.05);
}

TEST(MusicMod, LevelStartDelaysTheFadeByThirtyTicks) {
  MusicRig rig;
  rig.music.PlayMusic(0, 1.0, 0, false);
  rig.Frames(1);
  rig.music.FadeMusAll(-0.01, 30);
  rig.Frames(30);
  EXPECT_EQ(std::pair(rig.music.Slots[0].Level, rig.music.Slots[0].Delay), std::pair(1.0, 0.0));
  rig.Frames(1);
  EXPECT_DOUBLE_EQ(rig.music.Slots[0].Level, 0.99);
  // A delayed request does not start the track until its delay has passed.
  rig.music.PlayMusic(2, 0.005, 3, false);
  rig.Frames(3);
  EXPECT_FALSE(rig.device.IsRunning(2));
  rig.Frames(1);
  EXPECT_TRUE(rig.device.IsRunning(2));
}

TEST(MusicMod, RestartRewindsOnlyWhenAsked) {
  MusicRig rig;
  rig.music.PlayMusic(1, 0.005, 0, false);
  rig.Frames(125);  // 2 s of frames
  double before = rig.Position(1);
  EXPECT_NEAR(before, 2.0, 0.02);
  // A second request on a running, fading track only changes its step.
  rig.music.PlayMusic(1, 0.05, 0, false);
  EXPECT_NEAR(rig.Position(1), before, 1e-9);
  rig.Frames(1);
  EXPECT_GT(rig.Position(1), before);
  // The first level of a stage: from the top, at full level on the first tick.
  rig.music.PlayMusic(1, 1.0, 0, true);
  EXPECT_EQ(std::pair(rig.Position(1), rig.device.IsRunning(1)), std::pair(0.0, false));
  rig.Frames(1);
  EXPECT_EQ(std::tuple(rig.device.IsRunning(1), rig.music.Slots[1].Level, rig.device.Volume(1)), std::tuple(true, 1.0, 0L));
  rig.Frames(300);  // 4.8 s: the four-second track ran out and started again from the top
  EXPECT_NEAR(rig.Position(1), 0.8, 0.05);
}

TEST(MusicMod, PauseAndResumeKeepThePosition) {
  MusicRig rig;
  rig.music.PlayMusic(0, 0.05, 0, false);
  rig.Frames(62);  // 992 ms
  rig.music.PauseMusAll();  // ticks at once
  double held = rig.Position(0);
  EXPECT_TRUE(!rig.device.IsRunning(0) && std::abs(held - 0.992) < 0.02) << held;
  // Inactive: the loop keeps asking for the pause while time passes.
  for (int i = 0; i < 30; ++i) {
    rig.clock.now += 100;
    rig.music.PauseMusAll();
  }
  EXPECT_EQ(rig.Position(0), held);
  rig.music.ResumeMusAll();
  EXPECT_FALSE(rig.device.IsRunning(0));  // resumes at the next tick
  rig.Frames(1);
  EXPECT_TRUE(rig.device.IsRunning(0));
  rig.Frames(31);
  EXPECT_NEAR(rig.Position(0), held + 0.496, 0.02);
}

TEST(MusicMod, MusicOffStopsTheTickAndSilencesTheTracks) {
  MusicRig rig;  // a stage's tune, in the last slot loaded
  rig.music.PlayMusic(2, 0.05, 0, false);
  rig.Frames(50, false);
  EXPECT_EQ(std::pair(rig.device.IsRunning(2), rig.music.Slots[2].Level), std::pair(false, 0.0));  // nothing starts
  rig.Frames(10);
  EXPECT_EQ(rig.device.Volume(2), -2500);

  rig.Frames(5, false);  // the fade holds where it is, and the track is not heard
  EXPECT_DOUBLE_EQ(rig.music.Slots[2].Level, 0.5);
  EXPECT_EQ(rig.device.Volume(2), -5000);
  rig.music.PauseMusAll();
  EXPECT_FALSE(rig.music.Slots[2].Paused);  // not applied while music is off
  EXPECT_TRUE(rig.device.IsRunning(2));

  rig.Frames(1);  // on again: the pause applies and the volume comes back
  EXPECT_EQ(std::tuple(rig.music.Slots[2].Paused, rig.device.IsRunning(2), rig.device.Volume(2)), std::tuple(true, false, -2250L));
}

// Tracks are found by the paths the data files write; only known types load, and failures are logged.
TEST(MusicMod, OnlyKnownTrackTypesAreLoadedFailuresAreLoggedAndAPlayBeforeReadyOnlyStoresTheFade) {
  MusicRig rig;
  rig.music.AssignMedia(5, "\\MUSIC\\Track02.ogg", false);
  EXPECT_TRUE(rig.device.IsLoaded(5));
  test::WriteTinyOgg(rig.dir / "music/upper.OGG");
  EXPECT_FALSE(rig.music.LoadTrack(rig.dir / "music/upper.OGG", 4));
  EXPECT_FALSE(rig.music.LoadTrack(rig.dir / "music/track01.wav", 4));
  EXPECT_FALSE(rig.device.IsLoaded(4));

  rig.music.AssignMedia(4, "\\music\\missing.ogg", true);
  EXPECT_EQ(test::ReadLines(rig.logs.RunLogPath()).back(),
            "T -> AssignMedia * Can't load music \\music\\missing.ogg into slot 4 * ");
  rig.music.PlayMusic(4, 0.05, 0, false);
  rig.Frames(5);
  EXPECT_FALSE(rig.device.IsRunning(4));
  // A play before the sound system is ready only stores the fade.
  MusicRig early;
  early.music.MusicReady = false;
  early.music.PlayMusic(2, 0.05, 4, true);
  EXPECT_EQ(std::tuple(early.music.Slots[2].Step, early.music.Slots[2].Delay, early.music.Slots[2].Wanted), std::tuple(0.05, 4.0, false));
  early.Frames(30);
  EXPECT_FALSE(early.device.IsRunning(2));
}

TEST(MusicMod, GeneratedTracksLoad) {
  const std::string gameDir = BM_GAME_DIR;
  if (!std::filesystem::exists(gameDir + "/music/track-menu.ogg")) GTEST_SKIP() << "no generated music";
  TempDir logDir;
  ManualClock clock;
  Logs logs(logDir.path);
  HeadlessMusicDevice device(clock);
  MusicMod music(device, clock, logs, gameDir);
  music.PreLoadMusic();
  for (int s = 0; s < 3; ++s) EXPECT_TRUE(device.IsLoaded(s)) << s;
  EXPECT_TRUE(test::ReadLines(logs.RunLogPath()).empty());
}

}  // namespace
}  // namespace bm
