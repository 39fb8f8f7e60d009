// Sound effects and music as the game asks for them. The SDL2 back ends live in
// platform/sdl/, the silent recording twins in platform/headless/.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace bm {

class Clock;
class Logs;

// Error codes of the sound device, kept in the numbering the run log has always
// shown ("BASS Error_: 2" is a file that would not open).
namespace sound_error {
inline constexpr int Ok = 0;
inline constexpr int Memory = 1;
inline constexpr int FileOpen = 2;
inline constexpr int Driver = 3;
inline constexpr int Handle = 5;
inline constexpr int Format = 6;
inline constexpr int Init = 8;
inline constexpr int NoChannel = 18;
inline constexpr int IllegalParam = 20;
inline constexpr int Unknown = -1;
}  // namespace sound_error

using SoundHandle = std::uint32_t;  // 0: no stream

// File-backed effect streams. A stream's file is read when the stream is created
// and kept in memory as it is (compressed), so playing never touches the disk; the
// sound is decoded by PreBuffer (or by the first Play, a moment late) and the
// decoded sound may be dropped again with Unbuffer. The streams of one file share
// both.
class SoundDevice {
 public:
  virtual ~SoundDevice() = default;

  // The sound layer in use, as major << 16 | minor << 8 | patch.
  virtual std::uint32_t Version() = 0;
  // The sound layer in use is at least the one the game was built against.
  virtual bool VersionOk() = 0;
  // Opens the output: device -1 is the default one. A machine without sound
  // still succeeds and runs silently (see Silent).
  virtual bool Init(int device, int frequency) = 0;
  virtual bool Silent() = 0;

  // Loudness of every effect, 0 to 100; out-of-range values are clamped.
  virtual void SetGlobalVolume(int volume) = 0;
  virtual int GlobalVolume() = 0;

  // One instance of a sound file; 0 on failure (LastError says why).
  virtual SoundHandle CreateStream(const std::string& path) = 0;
  // Decodes the stream's sound now, so that playing it starts at once.
  virtual bool PreBuffer(SoundHandle handle) = 0;
  // Drops the decoded sound of the stream's file (the file's bytes stay); false,
  // and nothing dropped, while a stream of that file plays.
  virtual bool Unbuffer(SoundHandle handle) {
    (void)handle;
    return false;
  }
  // Whether the stream's sound is decoded and ready to start at once.
  virtual bool Buffered(SoundHandle handle) {
    (void)handle;
    return true;
  }
  // restart false: a playing stream goes on, a stopped one starts from the top.
  // restart true: it starts from the top either way.
  virtual bool Play(SoundHandle handle, bool restart) = 0;
  virtual bool IsPlaying(SoundHandle handle) = 0;
  virtual bool Stop(SoundHandle handle) = 0;
  virtual bool Free(SoundHandle handle) = 0;
  // Code of the last call: 0 when it succeeded.
  virtual int LastError() = 0;

  // Bytes of sound held, decoded and compressed (for the memory figures).
  virtual std::size_t MemoryBytes() = 0;
  // The part of MemoryBytes that is decoded sound.
  virtual std::size_t DecodedBytes() { return MemoryBytes(); }
};

// Music tracks, each streamed from its file while it runs. Several run at once
// and are mixed, each at its own volume, so one can fade under another.
class MusicDevice {
 public:
  static constexpr int kSlots = 11;
  static constexpr long kMinVolume = -5000;  // hundredths of a decibel: silence
  static constexpr long kMaxVolume = 0;

  virtual ~MusicDevice() = default;

  // Opens path in slot (0..kSlots-1), replacing whatever was there: stopped at
  // position 0, volume 0 dB, balance 0, rate 1.
  virtual bool Load(int slot, const std::string& path) = 0;
  virtual bool IsLoaded(int slot) = 0;
  virtual bool Run(int slot) = 0;
  // Stops and keeps the position: the next Run continues from there.
  virtual bool Pause(int slot) = 0;
  // Stops and rewinds.
  virtual bool Stop(int slot) = 0;
  virtual bool IsRunning(int slot) = 0;

  // Hundredths of a decibel, clamped to kMinVolume..kMaxVolume; kMinVolume is
  // silence.
  virtual bool SetVolume(int slot, long hundredthsDb) = 0;
  virtual long Volume(int slot) = 0;
  // -10000 (right side silent) .. 10000 (left side silent), hundredths of a dB.
  virtual bool SetBalance(int slot, long hundredthsDb) = 0;
  // Playback speed, 1.0 normal; must be above 0.
  virtual bool SetRate(int slot, double rate) = 0;

  // Seconds from the start of the track.
  virtual bool SetPosition(int slot, double seconds) = 0;
  virtual bool Position(int slot, double& seconds) = 0;
  // Length of the track in seconds.
  virtual bool StopTime(int slot, double& seconds) = 0;

  virtual std::size_t MemoryBytes() = 0;
};

// The left and right gains (1 = as recorded) of a track at a volume and a
// balance, both in hundredths of a decibel (MusicDevice's units).
struct StereoGain {
  double left = 1, right = 1;
};
StereoGain TrackGain(long volume, long balance);

// SDL back ends (one output, platform/sdl/SdlMixer.h). The music device mixes into the sound device's output,
// so create and Init the sound device first.
std::unique_ptr<SoundDevice> MakeSdlSoundDevice(Logs& logs);
std::unique_ptr<MusicDevice> MakeSdlMusicDevice(Logs& logs);

// Web Audio back ends (the browser build). The music device plays through the
// sound device's audio context, so create and Init the sound device first.
std::unique_ptr<SoundDevice> MakeWebSoundDevice(Logs& logs);
std::unique_ptr<MusicDevice> MakeWebMusicDevice(Logs& logs);

// Silent twins that remember what was asked of them, timed by clock.
std::unique_ptr<SoundDevice> MakeHeadlessSoundDevice(Clock& clock);
std::unique_ptr<MusicDevice> MakeHeadlessMusicDevice(Clock& clock);

}  // namespace bm
