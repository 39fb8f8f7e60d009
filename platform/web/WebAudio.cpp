// Sound cues and music on the page's Web Audio (page_library.js). Cues are
// decoded whole when their stream is made; a track is decoded by the browser
// when it runs and plays through its own left and right gains. Browsers start sound only after the
// player's first click or key: until then cues are skipped and tracks wait.
// A cue or track whose file a pack still on its way brings (page.js) is made
// all the same and loads when the file has come: the cue at its next play, the
// track at the program's next look at it, playing if it was asked to.
#include <emscripten/version.h>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/SoundFileInfo.h"
#include "io/SafeRead.h"

extern "C" {
int bm_audio_start();
void bm_audio_decode(int buffer, const void* bytes, int length);
void bm_audio_forget(int buffer);
int bm_audio_play(int voice, int buffer);
int bm_audio_playing(int voice);
void bm_audio_stop(int voice);
void bm_audio_volume(double gain);
double bm_audio_bytes();
void bm_music_load(int slot, const void* bytes, int length);
void bm_music_unload(int slot);
void bm_music_run(int slot, int run);
void bm_music_seek(int slot, double seconds);
double bm_music_position(int slot);
void bm_music_gain(int slot, double left, double right);
void bm_music_rate(int slot, double rate);
int bm_file_coming(const char* path);
int bm_game_path(const char* path, char* out, int size);
}

namespace bm {

namespace {

// A file that came in a pack after it was asked for, as the pack spells its path: the program looked for it
// in the case its lists give, which only matched the file once it was there.
std::string CamePath(const std::string& path) {
  char real[1024];
  return bm_game_path(path.c_str(), real, int(sizeof real)) > 0 ? std::string(real) : path;
}

class WebSoundDevice : public SoundDevice {
 public:
  explicit WebSoundDevice(Logs& logs) : logs_(logs) {}
  ~WebSoundDevice() override {
    for (Stream& s : streams_)
      if (s.open) Release(s);
  }

  std::uint32_t Version() override {
    return (std::uint32_t(__EMSCRIPTEN_major__) << 16) | (std::uint32_t(__EMSCRIPTEN_minor__) << 8) |
           std::uint32_t(__EMSCRIPTEN_tiny__);
  }
  bool VersionOk() override { return true; }
  bool Init(int device, int frequency) override;
  bool Silent() override { return !open_; }
  void SetGlobalVolume(int volume) override {
    volume_ = std::clamp(volume, 0, 100);
    if (open_) bm_audio_volume(volume_ / 100.0);
    lastError_ = sound_error::Ok;
  }
  int GlobalVolume() override { return volume_; }
  SoundHandle CreateStream(const std::string& path) override;
  bool PreBuffer(SoundHandle handle) override { return Found(handle); }
  bool Play(SoundHandle handle, bool restart) override {
    Stream* s = Find(handle);
    if (!s) return false;
    if (s->coming && !bm_file_coming(s->path.c_str()) && Decode(*s, CamePath(s->path)) != sound_error::Ok)
      logs_.WriteRunLog("SoundDevice", "\"" + s->path + "\" came but cannot be played; that cue stays silent", false);
    if (s->buffer && (restart || !bm_audio_playing(int(handle)))) bm_audio_play(int(handle), s->buffer);
    return true;
  }
  bool IsPlaying(SoundHandle handle) override { return Found(handle) && bm_audio_playing(int(handle)); }
  bool Stop(SoundHandle handle) override {
    if (!Found(handle)) return false;
    bm_audio_stop(int(handle));
    return true;
  }
  bool Free(SoundHandle handle) override {
    Stream* s = Find(handle);
    if (!s) return false;
    bm_audio_stop(int(handle));
    Release(*s);
    return true;
  }
  int LastError() override { return lastError_; }
  std::size_t MemoryBytes() override {
    return streams_.capacity() * sizeof(Stream) + (open_ ? std::size_t(bm_audio_bytes()) : 0);
  }

 private:
  struct Stream {
    bool open = false;
    std::string path;
    int buffer = 0;  // the decoded sound on the page; 0 while silent
    bool coming = false;  // its file is on its way
  };
  struct Shared {
    int buffer = 0;
    int users = 0;
  };
  // The stream of a handle, with LastError set either way.
  Stream* Find(SoundHandle handle) {
    if (handle == 0 || handle > streams_.size() || !streams_[handle - 1].open) {
      lastError_ = sound_error::Handle;
      return nullptr;
    }
    lastError_ = sound_error::Ok;
    return &streams_[handle - 1];
  }
  bool Found(SoundHandle handle) { return Find(handle) != nullptr; }
  // The stream's file to the decoder (once per file; its path from now on); the error code, Ok when it went.
  int Decode(Stream& s, const std::string& path);
  void Release(Stream& s) {
    auto it = buffers_.find(s.path);
    if (s.buffer && it != buffers_.end() && --it->second.users <= 0) {
      bm_audio_forget(it->second.buffer);
      buffers_.erase(it);
    }
    s = Stream{};
  }

  Logs& logs_;
  bool open_ = false, initDone_ = false;
  int volume_ = 100;
  int lastError_ = 0;
  int nextBuffer_ = 1;
  std::vector<Stream> streams_;  // handle = index + 1
  std::unordered_map<std::string, Shared> buffers_;
};

bool WebSoundDevice::Init(int, int) {
  lastError_ = sound_error::Ok;
  if (initDone_) return true;
  initDone_ = true;
  open_ = bm_audio_start() != 0;
  // Without Web Audio the game goes on in silence; one line says why.
  if (!open_) logs_.WriteRunLog("SoundDevice", "No sound output (the browser has no Web Audio); sound and music are off");
  return true;
}

SoundHandle WebSoundDevice::CreateStream(const std::string& path) {
  if (!initDone_) {
    lastError_ = sound_error::Init;
    return 0;
  }
  Stream s;
  s.open = true;
  s.path = path;
  s.coming = bm_file_coming(path.c_str()) != 0;
  if (!s.coming) {
    int error = Decode(s, path);
    if (error != sound_error::Ok) {
      lastError_ = error;
      return 0;
    }
  }
  std::size_t index = 0;
  while (index < streams_.size() && streams_[index].open) ++index;
  if (index == streams_.size())
    streams_.push_back(s);
  else
    streams_[index] = s;
  lastError_ = sound_error::Ok;
  return SoundHandle(index + 1);
}

int WebSoundDevice::Decode(Stream& s, const std::string& path) {
  s.coming = false;
  s.path = path;
  auto it = buffers_.find(s.path);
  if (it == buffers_.end()) {
    // Through the safe reader; silent, the file must still be there, so the log
    // tells of missing files.
    ReadResult file = ReadFileBounded(s.path, open_ ? kSoundFileMaxBytes : 0);
    if (!file.ok() && (open_ || file.status != ReadStatus::TooLarge))
      return file.status == ReadStatus::TooLarge ? sound_error::Format : sound_error::FileOpen;
    if (!open_) return sound_error::Ok;
    // Only a stream whose header adds up goes to the decoder.
    SoundFileKind kind = SoundInfoFromBytes(file.bytes).kind;
    if (kind != SoundFileKind::Wav && kind != SoundFileKind::OggVorbis) return sound_error::Format;
    bm_audio_decode(nextBuffer_, file.bytes.data(), int(file.bytes.size()));
    it = buffers_.emplace(s.path, Shared{nextBuffer_++, 0}).first;
  }
  ++it->second.users;
  s.buffer = it->second.buffer;
  return sound_error::Ok;
}

class WebMusicDevice : public MusicDevice {
 public:
  explicit WebMusicDevice(Logs& logs) : logs_(logs) {}
  ~WebMusicDevice() override {
    for (int slot = 0; slot < kSlots; ++slot)
      if (tracks_[slot].loaded) bm_music_unload(slot);
  }

  bool Load(int slot, const std::string& path) override;
  bool IsLoaded(int slot) override { return Loaded(slot) != nullptr; }
  bool Run(int slot) override { return Running(slot, true); }
  bool Pause(int slot) override { return Running(slot, false); }
  bool Stop(int slot) override {
    if (!Running(slot, false)) return false;
    bm_music_seek(slot, 0);
    return true;
  }
  bool IsRunning(int slot) override {
    Track* t = Loaded(slot);
    return t && t->running;
  }
  bool SetVolume(int slot, long v) override {
    Track* t = Loaded(slot);
    if (!t) return false;
    t->volume = std::clamp(v, kMinVolume, kMaxVolume);
    ApplyGain(slot);
    return true;
  }
  long Volume(int slot) override {
    Track* t = Loaded(slot);
    return t ? t->volume : kMinVolume;
  }
  bool SetBalance(int slot, long b) override {
    Track* t = Loaded(slot);
    if (!t) return false;
    t->balance = std::clamp(b, -10000L, 10000L);
    ApplyGain(slot);
    return true;
  }
  bool SetRate(int slot, double rate) override {
    Track* t = Loaded(slot);
    if (!(rate > 0) || !t) return false;
    t->rate = rate;
    bm_music_rate(slot, rate);
    return true;
  }
  bool SetPosition(int slot, double seconds) override {
    Track* t = Loaded(slot);
    if (!t || seconds < 0 || seconds > t->lengthS) return false;
    bm_music_seek(slot, seconds);
    return true;
  }
  bool Position(int slot, double& seconds) override {
    Track* t = Loaded(slot);
    if (!t) return false;
    double at = bm_music_position(slot);
    seconds = at < 0 ? t->lengthS : std::min(at, t->lengthS);
    return true;
  }
  bool StopTime(int slot, double& seconds) override {
    Track* t = Loaded(slot);
    if (!t) return false;
    seconds = t->lengthS;
    return true;
  }
  // The page holds each track as its file (the running one's samples are the browser's, not counted).
  std::size_t MemoryBytes() override {
    std::size_t n = 0;
    for (const Track& t : tracks_) n += t.fileBytes;
    return n;
  }

 private:
  struct Track {
    bool loaded = false;
    double lengthS = 0;
    std::size_t fileBytes = 0;
    bool running = false;
    long volume = 0, balance = 0;
    double rate = 1;
    std::string coming;  // its file, on its way: silent and 0 s long until it is here
  };
  Track* Loaded(int slot) {
    if (slot < 0 || slot >= kSlots || !tracks_[slot].loaded) return nullptr;
    Track* t = &tracks_[slot];
    if (!t->coming.empty() && !bm_file_coming(t->coming.c_str())) Arrived(slot, *t);
    return t->loaded ? t : nullptr;
  }
  // The file of a track made while it was on its way: loaded as it is asked to play now.
  void Arrived(int slot, Track& t) {
    std::string path = CamePath(t.coming);
    t.coming.clear();
    if (!Open(slot, path)) return;
    ApplyGain(slot);
    bm_music_rate(slot, t.rate);
    if (t.running) bm_music_run(slot, 1);
  }
  // The file to the page's audio element; false (logged) when it is not a tune.
  bool Open(int slot, const std::string& path);
  bool Running(int slot, bool run) {
    Track* t = Loaded(slot);
    if (!t) return false;
    t->running = run;
    bm_music_run(slot, run);
    return true;
  }
  void ApplyGain(int slot) {
    StereoGain g = TrackGain(tracks_[slot].volume, tracks_[slot].balance);
    bm_music_gain(slot, g.left, g.right);
  }

  Logs& logs_;
  std::array<Track, kSlots> tracks_{};
};

bool WebMusicDevice::Load(int slot, const std::string& path) {
  if (slot < 0 || slot >= kSlots) return false;
  if (tracks_[slot].loaded) bm_music_unload(slot);
  tracks_[slot] = Track{};
  if (bm_file_coming(path.c_str())) {
    tracks_[slot].loaded = true;
    tracks_[slot].coming = path;
    return true;
  }
  if (!Open(slot, path)) return false;
  ApplyGain(slot);
  return true;
}

bool WebMusicDevice::Open(int slot, const std::string& path) {
  ReadResult file = ReadFileBounded(path, kSoundFileMaxBytes);
  SoundFileInfo info = file.ok() ? SoundInfoFromBytes(file.bytes) : SoundFileInfo{};
  Track& t = tracks_[slot];
  if (info.kind != SoundFileKind::OggVorbis || !(info.seconds > 0)) {
    logs_.WriteRunLog("MusicDevice", "\"" + path + "\" is missing, unreadable or not Ogg Vorbis; that tune stays silent",
                      false);
    t.loaded = false;
    return false;
  }
  bm_music_load(slot, file.bytes.data(), int(file.bytes.size()));
  t.loaded = true;
  t.lengthS = info.seconds;
  t.fileBytes = file.bytes.size();
  return true;
}

}  // namespace

std::unique_ptr<SoundDevice> MakeWebSoundDevice(Logs& logs) { return std::make_unique<WebSoundDevice>(logs); }
std::unique_ptr<MusicDevice> MakeWebMusicDevice(Logs& logs) { return std::make_unique<WebMusicDevice>(logs); }

}  // namespace bm
