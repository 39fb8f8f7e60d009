// Music through a mixer hook: each track is an Ogg Vorbis decoder reading its
// file a little at a time, resampled to the output rate and mixed with its own
// gain, so the menu track can fade out under a stage track.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <vector>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/SoundFileInfo.h"
#include "platform/sdl/SdlMixer.h"

namespace bm {

namespace {

constexpr int kBufferFrames = 2048;  // decoded frames kept per track

struct Track {
  stb_vorbis* decoder = nullptr;
  std::string path;
  int sourceRate = 44100;
  long totalFrames = 0;
  std::vector<float> buffer;  // stereo frames
  int bufferFrames = 0;
  int readIndex = 0;
  double fraction = 0;
  long bufferStart = 0;  // source frame held in buffer[0]
  bool endOfFile = false, ended = false;
  bool running = false;
  long volume = 0, balance = 0;
  double rate = 1.0;
  double appliedLeft = -1, appliedRight = -1;  // gains reached by the last mix
  double silentAhead = 0;  // frames a silent track moved on without decoding them

  void Close() {
    if (decoder) stb_vorbis_close(decoder);
    *this = Track{};
  }
  void Seek(long frame) {
    if (frame <= 0)
      stb_vorbis_seek_start(decoder);
    else
      stb_vorbis_seek(decoder, unsigned(frame));
    bufferStart = frame;
    bufferFrames = readIndex = 0;
    fraction = 0;
    silentAhead = 0;
    endOfFile = ended = false;
  }
  double PositionFrames() const {
    if (ended) return double(totalFrames);
    return double(bufferStart + readIndex) + fraction + silentAhead;
  }
  // Makes the frames at readIndex and readIndex + 1 available.
  bool Fill() {
    while (readIndex + 1 >= bufferFrames) {
      if (endOfFile) return false;
      if (readIndex < bufferFrames) {
        // Keep the frame being read; it is the left side of the next blend.
        std::copy(buffer.begin() + readIndex * 2, buffer.begin() + bufferFrames * 2, buffer.begin());
        bufferStart += readIndex;
        bufferFrames -= readIndex;
        readIndex = 0;
      } else {
        // A fast rate stepped past everything held.
        bufferStart += bufferFrames;
        readIndex -= bufferFrames;
        bufferFrames = 0;
      }
      int got = stb_vorbis_get_samples_float_interleaved(decoder, 2, buffer.data() + bufferFrames * 2,
                                                         (kBufferFrames - bufferFrames) * 2);
      if (got <= 0) endOfFile = true;
      bufferFrames += std::max(got, 0);
    }
    return true;
  }
  void Render(float* out, int frames, int outputRate) {
    auto [left, right] = TrackGain(volume, balance);
    if (appliedLeft < 0) appliedLeft = left, appliedRight = right;
    double step = sourceRate * rate / outputRate;
    // A track faded out to silence keeps its time without being decoded (the
    // decoder is most of the music's cost); heard again, it seeks to where it is.
    if (left == 0 && right == 0 && appliedLeft == 0 && appliedRight == 0) {
      silentAhead += frames * step;
      if (PositionFrames() >= double(totalFrames)) ended = true;
      return;
    }
    if (silentAhead > 0) Seek(long(PositionFrames()));
    // Gain changes glide across the buffer instead of clicking.
    double dl = (left - appliedLeft) / frames, dr = (right - appliedRight) / frames;
    double gl = appliedLeft, gr = appliedRight;
    for (int i = 0; i < frames; ++i) {
      if (!Fill()) {
        ended = true;
        break;
      }
      const float* a = &buffer[readIndex * 2];
      const float* b = a + 2;
      float f = float(fraction);
      gl += dl;
      gr += dr;
      out[i * 2] += float((a[0] + (b[0] - a[0]) * f) * gl);
      out[i * 2 + 1] += float((a[1] + (b[1] - a[1]) * f) * gr);
      fraction += step;
      int whole = int(fraction);
      readIndex += whole;
      fraction -= whole;
    }
    appliedLeft = left;
    appliedRight = right;
  }
};

class SdlMusicDevice : public MusicDevice {
 public:
  explicit SdlMusicDevice(Logs& logs) : logs_(logs) {}
  ~SdlMusicDevice() override {
    if (hooked_) mixer::HookMusic(nullptr, nullptr);
    for (Track& t : tracks_) t.Close();
  }

  bool Load(int slot, const std::string& path) override;
  bool IsLoaded(int slot) override {
    std::lock_guard lock(mutex_);
    return Loaded(slot) != nullptr;
  }
  bool Run(int slot) override { return With(slot, [](Track& t) { t.running = true; }); }
  bool Pause(int slot) override { return With(slot, [](Track& t) { t.running = false; }); }
  bool Stop(int slot) override {
    return With(slot, [](Track& t) {
      t.running = false;
      t.Seek(0);
    });
  }
  bool IsRunning(int slot) override {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    return t && t->running;
  }
  bool SetVolume(int slot, long v) override {
    return With(slot, [v](Track& t) { t.volume = std::clamp(v, kMinVolume, kMaxVolume); });
  }
  long Volume(int slot) override {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    return t ? t->volume : kMinVolume;
  }
  bool SetBalance(int slot, long b) override {
    return With(slot, [b](Track& t) { t.balance = std::clamp(b, -10000L, 10000L); });
  }
  bool SetRate(int slot, double rate) override {
    if (!(rate > 0)) return false;
    return With(slot, [rate](Track& t) { t.rate = rate; });
  }
  bool SetPosition(int slot, double seconds) override {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    if (!t || seconds < 0) return false;
    long frame = long(seconds * t->sourceRate);
    if (frame > t->totalFrames) return false;
    t->Seek(frame);
    return true;
  }
  bool Position(int slot, double& seconds) override {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    if (!t) return false;
    seconds = t->PositionFrames() / t->sourceRate;
    return true;
  }
  bool StopTime(int slot, double& seconds) override {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    if (!t) return false;
    seconds = double(t->totalFrames) / t->sourceRate;
    return true;
  }
  std::size_t MemoryBytes() override;

 private:
  Track* Loaded(int slot) {
    if (slot < 0 || slot >= kSlots || !tracks_[slot].decoder) return nullptr;
    return &tracks_[slot];
  }
  template <class F>
  bool With(int slot, F f) {
    std::lock_guard lock(mutex_);
    Track* t = Loaded(slot);
    if (!t) return false;
    f(*t);
    return true;
  }
  void Hook();
  static void SDLCALL MixHook(void* self, Uint8* stream, int len) {
    static_cast<SdlMusicDevice*>(self)->Mix(stream, len);
  }
  void Mix(Uint8* stream, int len);

  Logs& logs_;
  std::mutex mutex_;
  std::array<Track, kSlots> tracks_{};
  std::vector<float> mix_;
  bool hooked_ = false;
  int outputRate_ = 44100, outputChannels_ = 2;
  Uint16 outputFormat_ = AUDIO_S16SYS;
  std::size_t decoderBytes_[kSlots] = {};
};

void SdlMusicDevice::Hook() {
  if (hooked_) return;
  int rate = 0, channels = 0;
  Uint16 format = 0;
  // Without an open mixer the tracks load and keep their state, silently.
  if (!mixer::QuerySpec(&rate, &format, &channels)) return;
  if (format != AUDIO_S16SYS && format != AUDIO_F32SYS) {
    logs_.WriteRunLog("MusicDevice", "Unsupported output format; music is off", false);
    hooked_ = true;  // do not try again
    return;
  }
  outputRate_ = rate;
  outputChannels_ = channels;
  outputFormat_ = format;
  mix_.assign(std::size_t(8192) * 2, 0.0f);
  mixer::HookMusic(MixHook, this);
  hooked_ = true;
}

bool SdlMusicDevice::Load(int slot, const std::string& path) {
  if (slot < 0 || slot >= kSlots) return false;
  // Only a regular file whose pages add up is handed to the decoder: a FIFO would
  // block it for ever, and a garbled stream can crash it.
  if (ReadSoundFileInfo(path).kind != SoundFileKind::OggVorbis) {
    logs_.WriteRunLog("MusicDevice", "\"" + path + "\" is missing, unreadable or not Ogg Vorbis; that tune stays silent",
                      false);
    return false;
  }
  int error = 0;
  stb_vorbis* decoder = stb_vorbis_open_filename(path.c_str(), &error, nullptr);
  if (!decoder) return false;
  stb_vorbis_info info = stb_vorbis_get_info(decoder);
  unsigned frames = stb_vorbis_stream_length_in_samples(decoder);
  if (info.sample_rate == 0 || frames == 0) {
    stb_vorbis_close(decoder);
    return false;
  }
  Track fresh;
  fresh.decoder = decoder;
  fresh.path = path;
  fresh.sourceRate = int(info.sample_rate);
  fresh.totalFrames = long(frames);
  fresh.buffer.assign(std::size_t(kBufferFrames) * 2, 0.0f);
  fresh.Seek(0);
  {
    std::lock_guard lock(mutex_);
    tracks_[slot].Close();
    tracks_[slot] = std::move(fresh);
    decoderBytes_[slot] = info.setup_memory_required + info.temp_memory_required + info.setup_temp_memory_required;
  }
  Hook();
  return true;
}

void SdlMusicDevice::Mix(Uint8* stream, int len) {
  int bytesPerSample = outputFormat_ == AUDIO_F32SYS ? 4 : 2;
  int frames = len / (bytesPerSample * outputChannels_);
  // Seeks and volume changes hold the lock for far less than one buffer's time.
  std::lock_guard lock(mutex_);
  int done = 0;
  while (done < frames) {
    int n = std::min(frames - done, int(mix_.size() / 2));
    std::fill(mix_.begin(), mix_.begin() + n * 2, 0.0f);
    bool any = false;
    for (Track& t : tracks_)
      if (t.decoder && t.running && !t.ended) {
        t.Render(mix_.data(), n, outputRate_);
        any = true;
      }
    if (any) {
      for (int i = 0; i < n; ++i) {
        float l = mix_[i * 2], r = mix_[i * 2 + 1];
        for (int c = 0; c < outputChannels_; ++c) {
          float v = outputChannels_ == 1 ? (l + r) * 0.5f : c == 0 ? l : c == 1 ? r : 0.0f;
          std::size_t at = std::size_t(done + i) * outputChannels_ + c;
          if (outputFormat_ == AUDIO_F32SYS) {
            float* out = reinterpret_cast<float*>(stream);
            out[at] = std::clamp(out[at] + v, -1.0f, 1.0f);
          } else {
            Sint16* out = reinterpret_cast<Sint16*>(stream);
            int s = int(out[at]) + int(std::lround(v * 32767.0f));
            out[at] = Sint16(std::clamp(s, -32768, 32767));
          }
        }
      }
    }
    done += n;
  }
}

std::size_t SdlMusicDevice::MemoryBytes() {
  std::lock_guard lock(mutex_);
  std::size_t bytes = mix_.capacity() * sizeof(float);
  for (int s = 0; s < kSlots; ++s)
    if (tracks_[s].decoder) bytes += tracks_[s].buffer.capacity() * sizeof(float) + decoderBytes_[s] + sizeof(Track);
  return bytes;
}

}  // namespace

std::unique_ptr<MusicDevice> MakeSdlMusicDevice(Logs& logs) { return std::make_unique<SdlMusicDevice>(logs); }

}  // namespace bm
