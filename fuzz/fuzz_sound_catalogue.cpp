// The sound catalogue ("Sounds.ini"): any text loads the 60 cues without a fault,
// and every cue the catalogue gave a playable id plays.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "audio/SoundFX.h"
#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/headless/Headless.h"

using namespace bm;

namespace {

// One folder for the whole run, with two small sounds the catalogue may name,
// removed when the run ends.
char gFolder[] = "/tmp/bm_fuzz_sfx_XXXXXX";

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(gFolder, ec);
}

const std::string& Folder() {
  static const std::string dir = [] {
    if (!mkdtemp(gFolder)) std::abort();
    std::string wav("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44);
    std::ofstream(std::string(gFolder) + "/a.wav", std::ios::binary) << wav;
    std::ofstream(std::string(gFolder) + "/B.WAV", std::ios::binary) << wav;
    return std::string(gFolder);
  }();
  static const bool removed = std::atexit(RemoveFolder) == 0;
  (void)removed;
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& dir = Folder();
  std::ofstream(dir + "/Sounds.ini", std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                              std::streamsize(size));
  VirtualClock clock;
  auto device = MakeHeadlessSoundDevice(clock);
  Logs logs(dir);
  logs.StartRun();
  SoundFx sfx(*device, clock, logs, dir);
  if (sfx.StartSound() != SoundStart::Ok) std::abort();
  sfx.LoadLogoSFX();
  sfx.loadAllSFX();
  for (SfxCue& cue : sfx.Cues) {
    if (cue.Loaded && (cue.Id < 1 || cue.Id > kSfxMaxId)) std::abort();
    sfx.PlaySfx(cue);
    sfx.PlaySfx(cue, true);
    sfx.StopSfx(cue);
  }
  sfx.ReleaseAllSfx();
  return 0;
}
