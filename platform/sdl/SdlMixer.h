// The sound output and its mixing, on SDL's audio device alone: effects play
// on numbered channels, each a decoded sound at its own volume, added over
// what the music writes first. One output for the process; the effects and the
// music devices share it.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bm {

// A sound decoded into the output's format.
struct MixSound {
  std::vector<Uint8> pcm;
};

namespace mixer {

inline constexpr int kChannels = 256;
inline constexpr int kMaxVolume = SDL_MIX_MAXVOLUME;

// Opens the output (device name, or null for the default one): 16-bit stereo
// at frequency if the device takes it, else what it offers. False with why.
bool Open(const char* device, int frequency, std::string& why);
void Close();
// The output's rate, format and channels; false while it is closed.
bool QuerySpec(int* rate, Uint16* format, int* channels);
// A WAV or Ogg Vorbis file's bytes decoded and converted to the output's format; false when they cannot be.
bool Decode(const std::uint8_t* bytes, std::size_t size, MixSound& out);
// Plays a sound on a channel from its start (what the channel played stops).
void Play(int channel, const MixSound* sound);
// Stops a channel, or every channel for -1.
void Halt(int channel);
// Stops every channel playing this sound (before it is freed).
void HaltSound(const MixSound* sound);
// The sound a channel is playing, or null.
const MixSound* Playing(int channel);
// A channel's volume, or every channel's for -1: 0 to kMaxVolume.
void Volume(int channel, int volume);
// What writes the music into each buffer before the effects are added (null: none).
using MusicFill = void(SDLCALL*)(void* user, Uint8* stream, int len);
void HookMusic(MusicFill fill, void* user);

}  // namespace mixer
}  // namespace bm
