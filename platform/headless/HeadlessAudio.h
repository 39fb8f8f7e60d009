// Silent sound and music devices for tests and headless runs. They open the
// files (so a missing or garbled file fails as it would with sound) but never
// decode them; instead they remember every play and keep each track's position
// from the clock.
#pragma once
#include <array>
#include <set>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/Platform.h"

namespace bm {

struct SfxPlayRecord {
  SoundHandle handle = 0;
  std::string file;   // the path the stream was created from
  int instance = 0;   // how many streams of the same file were created before this one
  bool restart = false;
  bool buffered = false;  // its sound was decoded before this play (else the play decoded it, late)
};

class HeadlessSoundDevice : public SoundDevice {
 public:
  explicit HeadlessSoundDevice(Clock& clock) : clock_(clock) {}

  std::uint32_t Version() override { return version_; }
  bool VersionOk() override { return versionOk_; }
  bool Init(int device, int frequency) override;
  bool Silent() override { return true; }
  void SetGlobalVolume(int volume) override;
  int GlobalVolume() override { return volume_; }
  SoundHandle CreateStream(const std::string& path) override;
  bool PreBuffer(SoundHandle handle) override;
  bool Unbuffer(SoundHandle handle) override;
  bool Buffered(SoundHandle handle) override;
  bool Play(SoundHandle handle, bool restart) override;
  bool IsPlaying(SoundHandle handle) override;
  bool Stop(SoundHandle handle) override;
  bool Free(SoundHandle handle) override;
  int LastError() override { return lastError_; }
  std::size_t MemoryBytes() override { return 0; }

  // What happened, for tests.
  const std::vector<SfxPlayRecord>& Played() const { return played_; }
  void ClearPlayed() { played_.clear(); }
  int StopCalls() const { return stopCalls_; }
  int StreamsOpen() const;
  // Files whose sound is decoded now.
  int FilesBuffered() const { return int(buffered_.size()); }
  // Play and stop calls fail from now on (a device that broke mid-run).
  void FailPlays(bool fail) { failPlays_ = fail; }
  void FailInit(bool fail) { failInit_ = fail; }
  void SetVersionOk(bool ok) { versionOk_ = ok; }
  // Length given to streams whose file is not a WAV or Ogg Vorbis file.
  static constexpr double kUnknownLengthMs = 1000;

 private:
  struct Stream {
    bool open = false;
    std::string path;
    int instance = 0;
    double lengthMs = 0;
    bool playing = false;
    double startedMs = 0;
  };
  Stream* Find(SoundHandle handle);

  Clock& clock_;
  std::vector<Stream> streams_;  // handle = index + 1
  std::set<std::string> buffered_;  // files decoded, shared by their streams as on a real device
  std::vector<SfxPlayRecord> played_;
  int lastError_ = 0;
  int volume_ = 100;
  int stopCalls_ = 0;
  bool failPlays_ = false, failInit_ = false, versionOk_ = true;
  std::uint32_t version_ = 0x020600;
};

class HeadlessMusicDevice : public MusicDevice {
 public:
  explicit HeadlessMusicDevice(Clock& clock) : clock_(clock) {}

  bool Load(int slot, const std::string& path) override;
  bool IsLoaded(int slot) override;
  bool Run(int slot) override;
  bool Pause(int slot) override;
  bool Stop(int slot) override;
  bool IsRunning(int slot) override;
  bool SetVolume(int slot, long hundredthsDb) override;
  long Volume(int slot) override;
  bool SetBalance(int slot, long hundredthsDb) override;
  bool SetRate(int slot, double rate) override;
  bool SetPosition(int slot, double seconds) override;
  bool Position(int slot, double& seconds) override;
  bool StopTime(int slot, double& seconds) override;
  std::size_t MemoryBytes() override { return 0; }

  // For tests.
  long Balance(int slot) const;
  double Rate(int slot) const;
  int RunCalls(int slot) const;
  const std::string& Path(int slot) const;

 private:
  struct Track {
    bool loaded = false;
    std::string path;
    double lengthS = 0;
    bool running = false;
    double positionS = 0;  // at markMs
    double markMs = 0;
    long volume = 0, balance = 0;
    double rate = 1.0;
    int runCalls = 0;
  };
  Track* Loaded(int slot);
  // Brings positionS up to now.
  void Settle(Track& t);

  Clock& clock_;
  std::array<Track, kSlots> tracks_{};
};

}  // namespace bm
