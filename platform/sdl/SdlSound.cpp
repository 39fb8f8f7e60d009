// Effects on the mixer's channels: every instance owns one channel. A file's
// bytes (Ogg Vorbis: a tenth of the decoded sound) are read once and kept; its
// decoded sound, shared by all instances made from it, exists from PreBuffer or
// the first Play until Unbuffer.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>
#include <vector>

#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/SoundFileInfo.h"
#include "io/SafeRead.h"
#include "platform/sdl/SdlMixer.h"

namespace bm {

namespace {

constexpr int kMaxChannels = mixer::kChannels;  // instances beyond this share channels
// Our longest cue is a few seconds; a file far beyond that is not a sound of ours.
constexpr std::size_t kSoundFileMaxBytes = 32u << 20;

class SdlSoundDevice : public SoundDevice {
 public:
  explicit SdlSoundDevice(Logs& logs) : logs_(logs) {}
  ~SdlSoundDevice() override;

  std::uint32_t Version() override {
    SDL_version v;
    SDL_GetVersion(&v);
    return (std::uint32_t(v.major) << 16) | (std::uint32_t(v.minor) << 8) | v.patch;
  }
  bool VersionOk() override {
    SDL_version v;
    SDL_GetVersion(&v);
    return SDL_VERSIONNUM(v.major, v.minor, v.patch) >= SDL_COMPILEDVERSION;
  }
  bool Init(int device, int frequency) override;
  bool Silent() override { return !open_; }
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
  std::size_t MemoryBytes() override;
  std::size_t DecodedBytes() override;

 private:
  struct Shared {
    std::vector<std::uint8_t> bytes;  // the file as read
    std::unique_ptr<MixSound> chunk;  // decoded, or null
    int users = 0;
  };
  struct Stream {
    bool open = false;
    std::string path;
    Shared* shared = nullptr;  // null while silent
    int channel = 0;
    // Whether this stream's channel is sounding its file's decoded sound.
    bool Sounding() const {
      return shared && shared->chunk && mixer::Playing(channel) == shared->chunk.get();
    }
  };
  Stream* Find(SoundHandle handle);
  bool Decode(Shared& shared);
  int MixVolume() const { return (volume_ * mixer::kMaxVolume + 50) / 100; }
  void Release(Stream& s);

  Logs& logs_;
  bool audioSubsystem_ = false, open_ = false, initDone_ = false;
  int volume_ = 100;
  int lastError_ = 0;
  std::vector<Stream> streams_;  // handle = index + 1
  std::unordered_map<std::string, Shared> chunks_;
};

SdlSoundDevice::~SdlSoundDevice() {
  if (open_) mixer::Halt(-1);
  for (Stream& s : streams_)
    if (s.open) Release(s);
  if (open_) mixer::Close();
  if (audioSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundDevice::Init(int device, int frequency) {
  if (initDone_) {
    lastError_ = sound_error::Ok;
    return true;
  }
  initDone_ = true;
  lastError_ = sound_error::Ok;
  std::string why;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    why = SDL_GetError();
  } else {
    audioSubsystem_ = true;
    const char* name = device >= 0 ? SDL_GetAudioDeviceName(device, 0) : nullptr;
    open_ = mixer::Open(name, frequency, why);
    if (open_) mixer::Volume(-1, MixVolume());
  }
  // Without an output the game goes on in silence; one line says why.
  if (!open_) logs_.WriteRunLog("SoundDevice", "No sound output (" + why + "); sound and music are off", false);
  return true;
}

void SdlSoundDevice::SetGlobalVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  if (open_) mixer::Volume(-1, MixVolume());
  lastError_ = sound_error::Ok;
}

SdlSoundDevice::Stream* SdlSoundDevice::Find(SoundHandle handle) {
  if (handle == 0 || handle > streams_.size() || !streams_[handle - 1].open) {
    lastError_ = sound_error::Handle;
    return nullptr;
  }
  return &streams_[handle - 1];
}

SoundHandle SdlSoundDevice::CreateStream(const std::string& path) {
  if (!initDone_) {
    lastError_ = sound_error::Init;
    return 0;
  }
  Stream s;
  s.open = true;
  s.path = path;
  if (open_) {
    auto it = chunks_.find(path);
    if (it == chunks_.end()) {
      // Through the safe reader: no hang on a FIFO, no sound larger than any of ours.
      ReadResult file = ReadFileBounded(path, kSoundFileMaxBytes);
      if (!file.ok()) {
        lastError_ = file.status == ReadStatus::TooLarge ? sound_error::Format : sound_error::FileOpen;
        return 0;
      }
      // The decoder is only given a stream whose header adds up: a garbled one can crash it.
      SoundFileKind kind = SoundInfoFromBytes(file.bytes).kind;
      if (kind != SoundFileKind::Wav && kind != SoundFileKind::OggVorbis) {
        lastError_ = sound_error::Format;
        return 0;
      }
      Shared shared;
      shared.bytes.assign(file.bytes.begin(), file.bytes.end());
      shared.bytes.shrink_to_fit();
      it = chunks_.emplace(path, std::move(shared)).first;
    }
    ++it->second.users;
    s.shared = &it->second;
  } else {
    // Silent: the file must still be there, so the log tells of missing files.
    ReadResult file = ReadFileBounded(path, 0);
    if (!file.ok() && file.status != ReadStatus::TooLarge) {
      lastError_ = sound_error::FileOpen;
      return 0;
    }
  }
  std::size_t index = 0;
  while (index < streams_.size() && streams_[index].open) ++index;
  s.channel = int(index % kMaxChannels);
  if (index == streams_.size())
    streams_.push_back(s);
  else
    streams_[index] = s;
  lastError_ = sound_error::Ok;
  return SoundHandle(index + 1);
}

bool SdlSoundDevice::Decode(Shared& shared) {
  if (shared.chunk) return true;
  auto sound = std::make_unique<MixSound>();
  if (!mixer::Decode(shared.bytes.data(), shared.bytes.size(), *sound)) {
    lastError_ = sound_error::Format;
    return false;
  }
  shared.chunk = std::move(sound);
  return true;
}

bool SdlSoundDevice::PreBuffer(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  return !s->shared || Decode(*s->shared);
}

bool SdlSoundDevice::Buffered(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  return !s->shared || s->shared->chunk;
}

bool SdlSoundDevice::Unbuffer(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  Shared* shared = s->shared;
  if (!shared || !shared->chunk) return true;
  for (const Stream& o : streams_)
    if (o.open && o.shared == shared && o.Sounding()) return false;
  mixer::HaltSound(shared->chunk.get());
  shared->chunk.reset();
  return true;
}

bool SdlSoundDevice::Play(SoundHandle handle, bool restart) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  if (!s->shared) return true;
  if (!restart && s->Sounding()) return true;
  // Not decoded ahead: decoded now, and the cue starts that much late.
  if (!Decode(*s->shared)) return false;
  mixer::Volume(s->channel, MixVolume());
  mixer::Play(s->channel, s->shared->chunk.get());
  return true;
}

bool SdlSoundDevice::IsPlaying(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  return s->Sounding();
}

bool SdlSoundDevice::Stop(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  if (s->Sounding()) mixer::Halt(s->channel);
  return true;
}

void SdlSoundDevice::Release(Stream& s) {
  if (s.shared) {
    auto it = chunks_.find(s.path);
    if (s.Sounding()) mixer::Halt(s.channel);
    if (it != chunks_.end() && --it->second.users <= 0) {
      mixer::HaltSound(it->second.chunk.get());
      chunks_.erase(it);
    }
  }
  s = Stream{};
}

bool SdlSoundDevice::Free(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  Release(*s);
  lastError_ = sound_error::Ok;
  return true;
}

std::size_t SdlSoundDevice::MemoryBytes() {
  std::size_t bytes = streams_.capacity() * sizeof(Stream) + DecodedBytes();
  for (const auto& [path, shared] : chunks_) bytes += shared.bytes.capacity() + path.size();
  return bytes;
}

std::size_t SdlSoundDevice::DecodedBytes() {
  std::size_t bytes = 0;
  for (const auto& [path, shared] : chunks_)
    if (shared.chunk) bytes += shared.chunk->pcm.capacity() + sizeof(MixSound);
  return bytes;
}

}  // namespace

std::unique_ptr<SoundDevice> MakeSdlSoundDevice(Logs& logs) { return std::make_unique<SdlSoundDevice>(logs); }

}  // namespace bm
