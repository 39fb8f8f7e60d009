// Prints what the audio layer costs: memory with every cue and the three tracks
// loaded, and the time of one PlaySfx call (which must not touch any file).
//
//   bench_audio [program folder]      (default: the "game" folder beside this program)
//
// Uses the generated sounds when the folder has a "Sounds.ini", otherwise makes
// a synthetic set of the same shape. Runs on SDL's dummy audio driver unless
// SDL_AUDIODRIVER says otherwise.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "audio/MusicMod.h"
#include "audio/SoundFX.h"
#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/Platform.h"

namespace fs = std::filesystem;
using namespace bm;

namespace {

class SteadyClock : public Clock {
 public:
  double ClockMs() override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
  }
  void SleepMs(double ms) override { std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms)); }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

double ResidentMb() {
  std::ifstream in("/proc/self/statm");
  long pages = 0, resident = 0;
  in >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

long ReadSyscalls() {
  std::ifstream in("/proc/self/io");
  std::string key;
  long value = 0;
  while (in >> key >> value)
    if (key == "syscr:") return value;
  return -1;
}

void WriteWav(const std::string& path, double seconds) {
  const std::uint32_t rate = 44100, frames = std::uint32_t(seconds * rate), bytes = frames * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + bytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(bytes);
  std::uint32_t noise = 12345;
  for (std::uint32_t i = 0; i < frames; ++i) {
    noise = noise * 1664525u + 1013904223u;
    u16(std::uint16_t(std::int16_t((noise >> 16) % 2000) - 1000));
  }
}

// Sixty cues of the generated set's shape: one-shots under a second, seven
// twelve-second ambience loops, two to eight instances.
void MakeSyntheticFolder(const std::string& dir) {
  fs::create_directories(dir + "/sfx");
  fs::create_directories(dir + "/music");
  std::string ini = "[SFX:BEGIN]\r\n";
  for (int i = 0; i < kSfxCueCount; ++i) {
    std::string name(kSfxCueNames[i]);
    bool ambience = name.rfind("ev_map_", 0) == 0 && name != "ev_map_paper" && name != "ev_map_current";
    int instances = name == "ev_game_collapse" || name == "ev_game_bal_pop" ? 8 : ambience ? 1 : 2;
    WriteWav(dir + "/sfx/" + name + ".wav", ambience ? 12.0 : 0.8);
    ini += name + " =" + std::to_string(i + 1) + ",\\sfx\\" + name + ".wav," + std::to_string(instances) + "\r\n";
  }
  ini += "[SFX:END]\r\n";
  std::ofstream(dir + "/Sounds.ini", std::ios::binary) << ini;
  for (const char* track : {"track-menu.ogg", "track01.ogg", "track02.ogg"})
    fs::copy_file(std::string(BM_SOURCE_DIR) + "/tests/audio/tiny.ogg", dir + "/music/" + track,
                  fs::copy_options::overwrite_existing);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::string dir = argc > 1 ? argv[1] : (fs::path(argv[0]).parent_path() / "game").string();
  bool generated = fs::exists(dir + "/Sounds.ini");
  // The run log and any synthetic sounds go to a scratch folder, removed at the end.
  std::string scratch = (fs::temp_directory_path() / ("bench_audio_" + std::to_string(getpid()))).string();
  fs::create_directories(scratch);
  if (!generated) {
    MakeSyntheticFolder(scratch);
    dir = scratch;
  }
  std::printf("sound set: %s (%s)\n", generated ? "generated" : "synthetic", dir.c_str());

  double rssStart = ResidentMb();
  SteadyClock clock;
  Logs logs(scratch);
  auto soundDevice = MakeSdlSoundDevice(logs);
  SoundFx sfx(*soundDevice, clock, logs, dir);
  if (sfx.StartSound() != SoundStart::Ok) {
    std::printf("sound system did not start\n");
    return 1;
  }
  if (soundDevice->Silent()) std::printf("no audio output: figures are for the silent path\n");
  auto musicDevice = MakeSdlMusicDevice(logs);
  MusicMod music(*musicDevice, clock, logs, dir);
  music.MusicReady = true;
  double rssOpen = ResidentMb();

  auto t0 = std::chrono::steady_clock::now();
  sfx.LoadLogoSFX();
  sfx.loadAllSFX();
  double loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  music.PreLoadMusic();
  int loaded = 0, instances = 0;
  for (const SfxCue& cue : sfx.Cues)
    if (cue.Loaded) {
      ++loaded;
      instances += sfx.Channels[cue.Id].Count;
    }
  // All three tracks running, as after a pause and resume, so the decoders are warm.
  for (int s = 0; s < 3; ++s) music.PlayMusic(s, 0.05, 0, false);
  for (int i = 0; i < 40; ++i) {
    clock.SleepMs(16);
    music.MusicTick(true, 0.5);
  }
  double rssLoaded = ResidentMb();

  std::printf("cues loaded: %d of %d, instances: %d, load time: %.1f ms\n", loaded, kSfxCueCount, instances, loadMs);
  std::printf("memory: decoded effects %.2f MB, music decoders %.2f MB (device figures)\n",
              soundDevice->MemoryBytes() / 1048576.0, musicDevice->MemoryBytes() / 1048576.0);
  std::printf("memory: resident growth %.2f MB with all cues and three tracks (goal under 40 MB)"
              " [%.2f MB of it opening the output]\n",
              rssLoaded - rssStart, rssOpen - rssStart);

  // Playing: the busiest cue, so the steal path is taken most of the time.
  for (int s = 0; s < 3; ++s) musicDevice->Pause(s);  // the tracks read their files; keep them out
  const int kCalls = 200000;
  SfxCue* collapse = sfx.Cue("ev_game_collapse");
  long probe = ReadSyscalls();
  long probeCost = ReadSyscalls() - probe;  // reading the counter is itself a read
  long readsBefore = ReadSyscalls();
  t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) sfx.PlaySfx(*collapse);
  double byCueUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / kCalls;
  t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kCalls; ++i) sfx.PlaySfx("ev_game_collapse");
  double byNameUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / kCalls;
  long readsAfter = ReadSyscalls();
  std::printf("PlaySfx: %.3f us per call by cue, %.3f us by name (goal: microseconds)\n", byCueUs, byNameUs);
  std::printf("PlaySfx: %ld read calls during %d plays (goal: 0)\n", readsAfter - readsBefore - probeCost, 2 * kCalls);

  music.PauseMusAll();
  musicDevice.reset();
  sfx.ReleaseAllSfx();
  soundDevice.reset();
  fs::remove_all(scratch);
  return 0;
}
