// The SDL back ends on the dummy audio driver: real decoding and mixing,
// no speakers needed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "diag/Logs.h"
#include "platform/Audio.h"
#include "tests/audio/AudioTestKit.h"

namespace bm {
namespace {

TEST(SdlAudio, PlaysAWavEffectAndStreamsAnOggTrack) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  test::TempDir dir;
  Logs logs(dir.path);
  test::WriteWav(dir / "click.wav", 0.3);
  test::WriteTinyOgg(dir / "track.ogg");
  test::WriteText(dir / "broken.wav", "RIFF....WAVEjunk");

  auto sound = MakeSdlSoundDevice(logs);
  EXPECT_TRUE(sound->VersionOk());
  EXPECT_GE(sound->Version() >> 16, 2u);
  ASSERT_TRUE(sound->Init(-1, 44100));
  if (sound->Silent()) GTEST_SKIP() << "no audio driver on this machine";
  auto music = MakeSdlMusicDevice(logs);

  SoundHandle a = sound->CreateStream(dir / "click.wav");
  SoundHandle b = sound->CreateStream(dir / "click.wav");
  ASSERT_TRUE(a != 0 && b != 0);
  EXPECT_TRUE(sound->PreBuffer(a));
  EXPECT_TRUE(sound->CreateStream(dir / "nothere.wav") == 0 && sound->LastError() == sound_error::FileOpen);
  EXPECT_TRUE(sound->CreateStream(dir / "broken.wav") == 0 && sound->LastError() == sound_error::Format);

  sound->SetGlobalVolume(150);
  EXPECT_EQ(sound->GlobalVolume(), 100);
  EXPECT_TRUE(sound->Play(a, false) && sound->IsPlaying(a) && !sound->IsPlaying(b))
      << "instances share the sound, not the channel";
  EXPECT_TRUE(sound->Play(b, true) && sound->Stop(a) && !sound->IsPlaying(a) && sound->IsPlaying(b));
  EXPECT_GT(sound->MemoryBytes(), 10000u);
  // The decoded sound stays while an instance sounds; dropped, the file's bytes stay and a play decodes it again.
  EXPECT_TRUE(!sound->Unbuffer(a) && sound->Stop(b) && sound->Unbuffer(a) && !sound->Buffered(b));
  EXPECT_EQ(sound->DecodedBytes(), 0u);
  EXPECT_TRUE(sound->Play(b, false) && sound->IsPlaying(b) && sound->Buffered(a));

  ASSERT_TRUE(music->Load(0, dir / "track.ogg"));
  EXPECT_FALSE(music->Load(1, dir / "click.wav"));
  double length = 0;
  ASSERT_TRUE(music->StopTime(0, length));
  EXPECT_NEAR(length, 4.0, 0.01);
  ASSERT_TRUE(music->Load(1, dir / "track.ogg"));
  music->SetVolume(0, -600);
  music->SetVolume(1, -5000);
  music->SetRate(1, 1.5);
  ASSERT_TRUE(music->Run(0));
  ASSERT_TRUE(music->Run(1));
  // The dummy driver pulls sound in real time; wait until both tracks have moved on.
  double p0 = 0, p1 = 0;
  for (int i = 0; i < 200 && (p0 < 0.1 || p1 < 0.1); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    music->Position(0, p0);
    music->Position(1, p1);
  }
  EXPECT_GE(p0, 0.1);
  EXPECT_GE(p1, 0.1);
  // The silent track kept its time without decoding; heard again, it goes on from there.
  double silentAt = 0, heardAt = 0;
  music->Position(1, silentAt);
  music->SetVolume(1, -600);
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  music->Position(1, heardAt);
  EXPECT_GE(heardAt, silentAt);
  EXPECT_LT(heardAt, silentAt + 1.0);
  ASSERT_TRUE(music->Pause(0));
  music->Position(0, p0);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  double still = 0;
  music->Position(0, still);
  EXPECT_EQ(still, p0);
  EXPECT_TRUE(music->SetPosition(0, 3.9));
  music->Position(0, still);
  EXPECT_NEAR(still, 3.9, 0.01);
  EXPECT_TRUE(music->Stop(1));
  music->Position(1, p1);
  EXPECT_EQ(p1, 0.0);
  music.reset();
  sound->Free(a);
  sound->Free(b);
}

}  // namespace
}  // namespace bm
