// Pirate Shop cues: locks, keys and stars.
#include <cmath>

#include "Sfx.h"
#include "SfxKit.h"

namespace bm::snd {

namespace {
// A lock's bolt: a woody click with a metal edge.
void Bolt(Sound& s, Noise& n, double t, double hz, double amp) {
  MixMono(s, WoodHit(hz, 0.8, n), t, amp);
  AddClink(s, n, t, hz * 1.6, amp * 0.5, 0.03);
}
}  // namespace

Sound EvShopOpen(Noise& n) {
  Sound s = Sound::Mono(0.8);
  Bolt(s, n, 0.0, 1400.0, 0.8);
  Bolt(s, n, 0.07, 1000.0, 0.9);
  AddArpeggio(s, 0.13, {84, 91}, 0.08, 0.35, 2.0, 1.0, 0.25);
  AddReverb(s, 0.12, 0.5, 0.5);
  return s;
}

Sound EvShopClose(Noise& n) {
  Sound s = Sound::Mono(0.7);
  Bolt(s, n, 0.0, 1000.0, 0.9);
  Bolt(s, n, 0.05, 1400.0, 0.6);
  AddArpeggio(s, 0.1, {79, 72}, 0.08, 0.3, 2.0, 0.8, 0.2);
  AddReverb(s, 0.12, 0.5, 0.5);
  return s;
}

Sound EvShopKeyTake(Noise& n) {
  Sound s = Sound::Mono(0.35);
  for (int i = 0; i < 3; ++i) AddClink(s, n, 0.028 * i, n.Range(4000.0, 6000.0), 0.5, 0.04);
  AddGlide(s, 0.02, 0.1, 900.0, 1500.0, 0.15, 0.01, 0.05);
  return s;
}

Sound EvShopKeyPut(Noise& n) {
  Sound s = Sound::Mono(0.35);
  AddClink(s, n, 0.0, 2200.0, 0.7, 0.06);
  MixMono(s, DrumHit(300, 200, 0.01, 0.03, 0.5, 0.5, n), 0.0, 0.6);
  return s;
}

Sound EvShopKeyFail(Noise& n) {
  Sound s = Sound::Mono(0.4);
  const double f[2] = {165.0, 131.0};
  for (int k = 0; k < 2; ++k) MixMono(s, HornNote(f[k], 0.1, 0.6, n), 0.13 * k, 0.6);
  AddClink(s, n, 0.0, 1500.0, 0.2, 0.02);
  return s;
}

Sound EvShopStarTake(Noise& n) {
  Sound s = Sound::Mono(0.45);
  AddArpeggio(s, 0.0, {96, 98, 100, 103}, 0.03, 0.3, 3.0, 0.8, 0.1);
  AddSparkle(s, n, 0.0, 0.15, 3, 6000.0, 9000.0, 0.08);
  return s;
}

Sound EvShopStarPut(Noise& n) {
  Sound s = Sound::Mono(0.45);
  AddArpeggio(s, 0.0, {91, 88, 84}, 0.04, 0.25, 3.0, 0.6, 0.12);
  (void)n;
  return s;
}

Sound EvShopStarFail(Noise& n) {
  Sound s = Sound::Mono(0.5);
  AddBell(s, 0.0, MidiToHz(76), 0.4, 1.41, 1.5, 0.1);
  AddBell(s, 0.1, MidiToHz(72), 0.4, 1.41, 1.5, 0.12);
  MixMono(s, DrumHit(200, 140, 0.01, 0.04, 0.3, 0.4, n), 0.1, 0.6);
  return s;
}

Sound EvShopStarsGold(Noise& n) {
  Sound s = Sound::Mono(1.1);
  AddArpeggio(s, 0.0, {84, 88, 91, 96}, 0.06, 0.4, 2.0, 1.3, 0.3);
  AddSparkle(s, n, 0.15, 0.4, 8, 4000.0, 9000.0, 0.1);
  AddReverb(s, 0.18, 0.6, 0.45);
  return s;
}

Sound EvShopStarsBlue(Noise& n) {
  Sound s = Sound::Mono(1.1);
  AddArpeggio(s, 0.0, {81, 85, 88, 93}, 0.06, 0.4, 3.0, 1.0, 0.3);
  AddSparkle(s, n, 0.15, 0.4, 6, 5000.0, 9000.0, 0.08);
  AddReverb(s, 0.18, 0.6, 0.45);
  return s;
}

Sound EvShopStarsBack(Noise& n) {
  Sound s = Sound::Mono(0.7);
  // A swish that swells towards its end, like a sound played backwards.
  Svf f;
  long i = 0;
  AddVoice(s, 0.0, 0.25, 0.0, [&](double t) {
    if ((i++ & 7) == 0) f.Set(4500.0 * std::pow(0.25, t / 0.25), 1.5);
    return f.Process(n.White()).band * std::pow(t / 0.25, 2.0) * Ramp(0.25 - t, 0.01) * 0.8;
  });
  AddArpeggio(s, 0.22, {91, 84}, 0.08, 0.3, 2.0, 0.8, 0.18);
  return s;
}

Sound EvShopStars(Noise& n) {
  Sound s = Sound::Mono(0.9);
  AddSparkle(s, n, 0.0, 0.5, 14, 3000.0, 9000.0, 0.25);
  AddReverb(s, 0.2, 0.6, 0.4);
  return s;
}

Sound EvShopBonusOver(Noise& n) {
  Sound s = Sound::Mono(0.18);
  AddGlide(s, 0.0, 0.15, 2093.0, 2093.0, 0.4, 0.002, 0.04);
  AddGlide(s, 0.0, 0.15, 4186.0, 4186.0, 0.1, 0.002, 0.02);
  (void)n;
  return s;
}

}  // namespace bm::snd
