// Instrument voices shared by the effects and the music: each renders one note
// or hit into a mono buffer that starts at the note's onset.
#pragma once
#include <vector>

#include "Sound.h"

namespace bm::snd {

using Mono = std::vector<float>;

// One band-limited cycle built from harmonic amplitudes (index 0 = fundamental).
class Wavetable {
 public:
  explicit Wavetable(const std::vector<double>& harmonics);
  // phase in cycles; any value, wrapped to [0, 1).
  double At(double phase) const;

 private:
  static constexpr int kSize = 4096;
  std::vector<float> table_;
};

const Wavetable& ReedTable();   // free reed: bright, slightly hollow
const Wavetable& BrassTable();  // saw-like, for horn calls
const Wavetable& OrganTable();  // soft, few harmonics, for pads

// Squeezebox note with musette detune; holds for `seconds`, then a short release.
Mono ReedNote(double hz, double seconds, double vel, Noise& noise, double detuneCents = 9.0);
// Karplus-Strong plucked string; `seconds` until the string is damped.
Mono PluckNote(double hz, double seconds, double vel, double brightness, double ring, Noise& noise);
// Round plucked bass.
Mono BassNote(double hz, double seconds, double vel);
// Two-operator FM bell or chime; tau is the decay time constant.
Mono BellNote(double hz, double seconds, double vel, double ratio, double index, double tau);
// Brass-like horn with a filter swell; for fanfares.
Mono HornNote(double hz, double seconds, double vel, Noise& noise);
// Soft sustained pad (organ table through a gentle swell).
Mono PadNote(double hz, double seconds, double vel, double attack);

// Percussion.
Mono DrumHit(double hzStart, double hzEnd, double pitchTau, double tau, double noiseAmount, double vel, Noise& noise);
Mono ShakerHit(double vel, Noise& noise);
Mono TambourineHit(double vel, Noise& noise);
Mono ClapHit(double vel, Noise& noise);
Mono CymbalHit(double seconds, double vel, Noise& noise);
Mono WoodHit(double hz, double vel, Noise& noise);

// Mixes a mono buffer into s at t0 seconds.
void MixMono(Sound& s, const Mono& m, double t0, double gain, double pan = 0.0, bool wrap = false);

}  // namespace bm::snd
