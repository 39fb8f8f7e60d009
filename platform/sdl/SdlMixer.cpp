#include "platform/sdl/SdlMixer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace bm {
namespace mixer {

namespace {

struct Channel {
  const MixSound* sound = nullptr;
  std::size_t at = 0;  // bytes of it played
  int volume = kMaxVolume;
};

struct Output {
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec spec{};
  std::array<Channel, kChannels> channels{};
  MusicFill music = nullptr;
  void* musicUser = nullptr;
};
Output out;

// The audio thread: silence, the music, then each playing channel added at its volume.
void SDLCALL Fill(void*, Uint8* stream, int len) {
  std::memset(stream, out.spec.silence, std::size_t(len));
  if (out.music) out.music(out.musicUser, stream, len);
  for (Channel& c : out.channels) {
    if (!c.sound) continue;
    std::size_t left = c.sound->pcm.size() - std::min(c.at, c.sound->pcm.size());
    std::size_t n = std::min(left, std::size_t(len));
    if (n > 0 && c.volume > 0) SDL_MixAudioFormat(stream, c.sound->pcm.data() + c.at, out.spec.format, Uint32(n), c.volume);
    c.at += n;
    if (c.at >= c.sound->pcm.size()) c.sound = nullptr;
  }
}

// The channel state is the audio thread's too.
struct Locked {
  Locked() {
    if (out.device) SDL_LockAudioDevice(out.device);
  }
  ~Locked() {
    if (out.device) SDL_UnlockAudioDevice(out.device);
  }
};

bool Valid(int channel) { return channel >= 0 && channel < kChannels; }

// Interleaved 16-bit samples at a rate and channel count, into the output's format.
bool Convert(const Uint8* pcm, std::size_t bytes, SDL_AudioFormat format, int channels, int rate, MixSound& to) {
  SDL_AudioCVT cvt;
  int built = SDL_BuildAudioCVT(&cvt, format, Uint8(channels), rate, out.spec.format, out.spec.channels, out.spec.freq);
  if (built < 0) return false;
  if (built == 0) {
    to.pcm.assign(pcm, pcm + bytes);
    return true;
  }
  std::vector<Uint8> work(bytes * std::size_t(cvt.len_mult));
  std::memcpy(work.data(), pcm, bytes);
  cvt.buf = work.data();
  cvt.len = int(bytes);
  if (SDL_ConvertAudio(&cvt) != 0) return false;
  // Exactly the sound: the converter's room for its stages is left behind.
  to.pcm.assign(work.begin(), work.begin() + cvt.len_cvt);
  return true;
}

}  // namespace

bool Open(const char* device, int frequency, std::string& why) {
  if (out.device) return true;
  SDL_AudioSpec want{};
  want.freq = frequency;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = Fill;
  out.channels = {};
  out.device = SDL_OpenAudioDevice(device, 0, &want, &out.spec,
                                   SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
  if (!out.device) {
    why = SDL_GetError();
    return false;
  }
  SDL_PauseAudioDevice(out.device, 0);
  return true;
}

void Close() {
  if (!out.device) return;
  SDL_CloseAudioDevice(out.device);
  out = Output{};
}

bool QuerySpec(int* rate, Uint16* format, int* channels) {
  if (!out.device) return false;
  *rate = out.spec.freq;
  *format = out.spec.format;
  *channels = out.spec.channels;
  return true;
}

bool Decode(const std::uint8_t* bytes, std::size_t size, MixSound& to) {
  if (!out.device || size < 4 || size > std::size_t(INT32_MAX)) return false;
  if (std::memcmp(bytes, "OggS", 4) == 0) {
    int channels = 0, rate = 0;
    short* samples = nullptr;
    int frames = stb_vorbis_decode_memory(bytes, int(size), &channels, &rate, &samples);
    bool ok = frames > 0 && channels > 0 &&
              Convert(reinterpret_cast<const Uint8*>(samples), std::size_t(frames) * std::size_t(channels) * 2,
                      AUDIO_S16SYS, channels, rate, to);
    std::free(samples);
    return ok;
  }
  SDL_AudioSpec spec;
  Uint8* pcm = nullptr;
  Uint32 length = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes, int(size));
  if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &pcm, &length)) return false;
  bool ok = Convert(pcm, length, spec.format, spec.channels, spec.freq, to);
  SDL_FreeWAV(pcm);
  return ok;
}

void Play(int channel, const MixSound* sound) {
  if (!Valid(channel)) return;
  Locked lock;
  out.channels[std::size_t(channel)].sound = sound;
  out.channels[std::size_t(channel)].at = 0;
}

void Halt(int channel) {
  Locked lock;
  for (int c = 0; c < kChannels; ++c)
    if (channel < 0 || c == channel) out.channels[std::size_t(c)].sound = nullptr;
}

void HaltSound(const MixSound* sound) {
  Locked lock;
  for (Channel& c : out.channels)
    if (c.sound == sound) c.sound = nullptr;
}

const MixSound* Playing(int channel) {
  if (!Valid(channel)) return nullptr;
  Locked lock;
  return out.channels[std::size_t(channel)].sound;
}

void Volume(int channel, int volume) {
  volume = std::clamp(volume, 0, kMaxVolume);
  Locked lock;
  for (int c = 0; c < kChannels; ++c)
    if (channel < 0 || c == channel) out.channels[std::size_t(c)].volume = volume;
}

void HookMusic(MusicFill fill, void* user) {
  Locked lock;
  out.music = fill;
  out.musicUser = user;
}

}  // namespace mixer
}  // namespace bm
