// Filters, envelopes, reverb and the level and loop tools shared by every recipe.
#pragma once
#include <cmath>
#include <cstddef>
#include <vector>

#include "Sound.h"

namespace bm::snd {

inline double DbToGain(double db) { return std::pow(10.0, db / 20.0); }
inline double GainToDb(double g) { return g > 1e-9 ? 20.0 * std::log10(g) : -180.0; }
inline double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// Linear attack, then exponential decay with time constant tau (seconds).
inline double AttackDecay(double t, double attack, double tau) {
  if (t < 0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / tau);
}

// Smooth 0..1 ramp (raised cosine) over [0, len].
inline double Ramp(double t, double len) {
  if (t <= 0) return 0.0;
  if (t >= len) return 1.0;
  return 0.5 - 0.5 * std::cos(kPi * t / len);
}

// RBJ biquad, transposed direct form II.
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double z1 = 0, z2 = 0;

  static Biquad LowPass(double hz, double q = 0.7071);
  static Biquad HighPass(double hz, double q = 0.7071);
  static Biquad BandPass(double hz, double q);  // 0 dB at the centre
  static Biquad Peak(double hz, double q, double db);
  static Biquad LowShelf(double hz, double db);
  static Biquad HighShelf(double hz, double db);

  double Process(double x) {
    double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
  }
  void Reset() { z1 = z2 = 0; }
};

// Topology-preserving state-variable filter: cheap to retune every sample for sweeps.
class Svf {
 public:
  struct Out {
    double low, band, high;
  };
  void Set(double hz, double q) {
    if (hz > 0.45 * kRate) hz = 0.45 * kRate;
    if (hz < 5.0) hz = 5.0;
    g_ = std::tan(kPi * hz / kRate);
    k_ = 1.0 / q;
    a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
  }
  Out Process(double v0) {
    double v3 = v0 - ic2_;
    double v1 = a1_ * ic1_ + a1_ * g_ * v3;
    double v2 = ic2_ + g_ * v1;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    return {v2, v1, v0 - k_ * v1 - v2};
  }

 private:
  double g_ = 0.1, k_ = 1.4, a1_ = 0.5, ic1_ = 0, ic2_ = 0;
};

// One-pole low pass, for smoothing and gentle darkening.
struct OnePole {
  double a = 0.5, z = 0;
  static OnePole LowPass(double hz) {
    OnePole p;
    p.a = 1.0 - std::exp(-kTwoPi * hz / kRate);
    return p;
  }
  double Process(double x) { return z += a * (x - z); }
};

// Schroeder-Moorer reverb after the well-known public "freeverb" layout: eight
// damped combs and four all-passes per side, the right side slightly longer.
class Reverb {
 public:
  // room 0..1 (tail length), damp 0..1 (darkness of the tail).
  Reverb(double room, double damp);
  void Process(double inL, double inR, double& outL, double& outR);

 private:
  struct Comb {
    std::vector<float> buf;
    std::size_t pos = 0;
    double store = 0;
  };
  struct AllPass {
    std::vector<float> buf;
    std::size_t pos = 0;
  };
  Comb combs_[2][8];
  AllPass allpasses_[2][4];
  double feedback_, damp_;
};

// The reverb tail alone (same channel count as s). circular: the sound is a
// loop, so the tail wraps into its start.
Sound ReverbOf(const Sound& s, double room, double damp, bool circular = false);
// Adds the tail to s at `wet` relative to the dry signal.
void AddReverb(Sound& s, double wet, double room, double damp, bool circular = false);

// Runs a biquad over a channel; circular primes the filter with one pass first.
void Filter(std::vector<float>& ch, Biquad f, bool circular = false);
void Filter(Sound& s, const Biquad& f, bool circular = false);

// Removes DC and subsonic rumble below ~25 Hz.
void DcBlock(Sound& s, bool circular = false);

// Short fades so a one-shot starts and ends at silence.
void FadeEdges(Sound& s, double inSeconds, double outSeconds);

// Drops the tail once it stays below -72 dB relative to the peak.
void TrimSilence(Sound& s, double keepSeconds = 0.02);

struct Levels {
  double peakDb = -180;   // sample peak, dBFS
  double loudDb = -180;   // RMS of the loudest 100 ms window, dBFS
  double rmsDb = -180;    // RMS over the whole sound, dBFS
};
Levels Measure(const Sound& s);

// Scales so the loudest 100 ms window sits at loudDb, but never lets the peak
// pass peakDb.
void Normalise(Sound& s, double loudDb, double peakDb = -3.0);
// The same with the whole-file RMS as the loudness measure (for ambience beds).
void NormaliseRms(Sound& s, double rmsDb, double peakDb = -3.0);

// s holds length + fade frames; folds the extra frames over the start with an
// equal-power crossfade so that the sound loops without a seam.
void CrossfadeLoop(Sound& s, std::size_t fade);

// Gentle tanh saturation that keeps small signals linear.
void SoftClip(Sound& s, double drive);
// Leaves samples below `knee` alone and bends louder ones smoothly under `ceiling`.
void SoftLimit(Sound& s, double knee, double ceiling);

// Equal-power pan gains, pan -1 (left) .. +1 (right).
inline void PanGains(double pan, double& gl, double& gr) {
  double a = (pan + 1.0) * 0.25 * kPi;
  gl = std::cos(a) * std::sqrt(2.0);
  gr = std::sin(a) * std::sqrt(2.0);
}

// Adds gen(t) for t in [0, dur) starting at t0 seconds; gen is called once per
// frame in order, so it may keep state. wrap: positions past the end wrap to the start.
template <class Gen>
void AddVoice(Sound& s, double t0, double dur, double pan, Gen&& gen, bool wrap = false) {
  std::size_t n = s.FrameCount();
  if (n == 0) return;
  long start = long(std::lround(t0 * kRate));
  long count = long(dur * kRate);
  double gl = 1, gr = 1;
  if (s.IsStereo()) PanGains(pan, gl, gr);
  for (long i = 0; i < count; ++i) {
    double v = gen(double(i) / kRate);
    long p = start + i;
    if (wrap) {
      p %= long(n);
      if (p < 0) p += long(n);
    } else if (p < 0) {
      continue;
    } else if (p >= long(n)) {
      break;
    }
    if (s.IsStereo()) {
      s.left[std::size_t(p)] += float(v * gl);
      s.right[std::size_t(p)] += float(v * gr);
    } else {
      s.left[std::size_t(p)] += float(v);
    }
  }
}

// Mixes src into dst at t0 seconds (gain, pan); a mono src is panned into a stereo dst.
void Mix(Sound& dst, const Sound& src, double t0, double gain, double pan = 0.0, bool wrap = false);

}  // namespace bm::snd
