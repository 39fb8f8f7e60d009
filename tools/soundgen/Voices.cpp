#include "Voices.h"

#include <algorithm>
#include <cmath>

#include "Dsp.h"

namespace bm::snd {

Wavetable::Wavetable(const std::vector<double>& harmonics) : table_(kSize + 1) {
  double peak = 0;
  for (int i = 0; i < kSize; ++i) {
    double x = double(i) / kSize, v = 0;
    for (std::size_t h = 0; h < harmonics.size(); ++h) v += harmonics[h] * std::sin(kTwoPi * double(h + 1) * x);
    table_[std::size_t(i)] = float(v);
    peak = std::max(peak, std::fabs(v));
  }
  for (float& v : table_) v = float(v / peak);
  table_[kSize] = table_[0];
}

double Wavetable::At(double phase) const {
  phase -= std::floor(phase);
  double pos = phase * kSize;
  int i = int(pos);
  double f = pos - i;
  return table_[std::size_t(i)] + f * (table_[std::size_t(i) + 1] - table_[std::size_t(i)]);
}

const Wavetable& ReedTable() {
  static const Wavetable table = [] {
    std::vector<double> h(20);
    for (int i = 0; i < 20; ++i) {
      int n = i + 1;
      h[std::size_t(i)] = (n % 2 ? 1.0 : 0.72) / std::pow(double(n), 0.9);
    }
    h[2] *= 1.25;  // a touch of nasal third harmonic
    return Wavetable(h);
  }();
  return table;
}

const Wavetable& BrassTable() {
  static const Wavetable table = [] {
    std::vector<double> h(18);
    for (int i = 0; i < 18; ++i) h[std::size_t(i)] = 1.0 / double(i + 1);
    return Wavetable(h);
  }();
  return table;
}

const Wavetable& OrganTable() {
  static const Wavetable table({1.0, 0.45, 0.25, 0.12, 0.08, 0.04});
  return table;
}

Mono ReedNote(double hz, double seconds, double vel, Noise& noise, double detuneCents) {
  const double release = 0.09, attack = 0.03;
  Mono out(Frames(seconds + release));
  const Wavetable& wt = ReedTable();
  double ratios[3] = {1.0, std::pow(2.0, detuneCents / 1200.0), std::pow(2.0, -0.6 * detuneCents / 1200.0)};
  double gains[3] = {0.5, 0.32, 0.22};
  double phase[3] = {noise.Uniform(), noise.Uniform(), noise.Uniform()};
  double bellowsRate = noise.Range(4.5, 5.5);
  Svf tone;
  tone.Set(std::min(hz * (7.0 + 5.0 * vel), 12000.0), 0.6);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = Ramp(t, attack);
    if (t > seconds) env *= std::exp(-(t - seconds) / (release / 4));
    env *= 1.0 + 0.025 * std::sin(kTwoPi * bellowsRate * t);
    double v = 0;
    for (int k = 0; k < 3; ++k) {
      v += gains[k] * wt.At(phase[k]);
      phase[k] += hz * ratios[k] / kRate;
    }
    out[i] = float(tone.Process(v).low * env * vel);
  }
  return out;
}

Mono PluckNote(double hz, double seconds, double vel, double brightness, double ring, Noise& noise) {
  const double release = 0.12;
  Mono out(Frames(seconds + release));
  const double period = double(kRate) / hz;
  const double delay = period - 0.5;  // the two-point average adds half a sample
  const std::size_t excite = std::size_t(period);
  // Excitation: filtered noise, thinned by the pick position.
  Mono ex(excite + 1);
  OnePole lp = OnePole::LowPass(800.0 + 9000.0 * brightness * vel);
  for (std::size_t i = 0; i < ex.size(); ++i) ex[i] = float(lp.Process(noise.White()));
  std::size_t pick = std::max<std::size_t>(1, std::size_t(period * 0.18));
  for (std::size_t i = ex.size(); i-- > pick;) ex[i] -= ex[i - pick];
  const double gain = std::pow(0.001, 1.0 / (ring * hz));  // -60 dB after `ring` seconds
  const double muted = std::pow(0.001, 1.0 / (0.08 * hz));
  const std::size_t off = Frames(seconds);
  auto at = [&](double pos) -> double {
    if (pos < 0) return 0.0;
    std::size_t i = std::size_t(pos);
    double f = pos - double(i);
    double a = out[i], b = (i + 1 < out.size()) ? out[i + 1] : 0.0;
    return a + f * (b - a);
  };
  for (std::size_t n = 0; n < out.size(); ++n) {
    double g = n < off ? gain : muted;
    double p = double(n) - delay;
    double fb = p >= 1.0 ? g * 0.5 * (at(p) + at(p - 1.0)) : 0.0;
    out[n] = float((n < ex.size() ? ex[n] * vel : 0.0) + fb);
  }
  return out;
}

Mono BassNote(double hz, double seconds, double vel) {
  const double release = 0.07;
  Mono out(Frames(seconds + release));
  const double amps[4] = {1.0, 0.38, 0.14, 0.06};
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double v = 0;
    for (int h = 0; h < 4; ++h)
      v += amps[h] * std::exp(-t / (0.9 / (1 + h))) * std::sin(kTwoPi * hz * (h + 1) * t);
    double env = Ramp(t, 0.006);
    if (t > seconds) env *= std::exp(-(t - seconds) / (release / 4));
    out[i] = float(v * env * vel * 0.7);
  }
  return out;
}

Mono BellNote(double hz, double seconds, double vel, double ratio, double index, double tau) {
  Mono out(Frames(seconds));
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double idx = index * std::exp(-t / (0.4 * tau));
    double v = std::sin(kTwoPi * hz * t + idx * std::sin(kTwoPi * hz * ratio * t));
    out[i] = float(v * AttackDecay(t, 0.002, tau) * vel);
  }
  double fade = std::min(0.02, seconds * 0.3);
  std::size_t nf = Frames(fade);
  for (std::size_t i = 0; i < nf && i < out.size(); ++i) out[out.size() - 1 - i] *= float(double(i) / double(nf));
  return out;
}

Mono HornNote(double hz, double seconds, double vel, Noise& noise) {
  const double release = 0.15;
  Mono out(Frames(seconds + release));
  const Wavetable& wt = BrassTable();
  double phase = noise.Uniform(), phase2 = noise.Uniform();
  Svf lp;
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double swell = Ramp(t, 0.06) * (0.65 + 0.35 * std::exp(-t / 0.15));
    double env = Ramp(t, 0.035);
    if (t > seconds) {
      env *= std::exp(-(t - seconds) / (release / 4));
      swell *= std::exp(-(t - seconds) / (release / 3));
    }
    double vib = 1.0 + 0.003 * Ramp(t, 0.3) * std::sin(kTwoPi * 5.2 * t);
    if ((i & 15) == 0) lp.Set(hz * (1.2 + 7.0 * swell * vel), 0.9);
    double v = 0.6 * wt.At(phase) + 0.4 * wt.At(phase2);
    phase += hz * vib / kRate;
    phase2 += hz * vib * 1.004 / kRate;
    out[i] = float(lp.Process(v).low * env * vel);
  }
  return out;
}

Mono PadNote(double hz, double seconds, double vel, double attack) {
  const double release = 0.4;
  Mono out(Frames(seconds + release));
  const Wavetable& wt = OrganTable();
  double p1 = 0, p2 = 0.37, p3 = 0.71;
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = Ramp(t, attack);
    if (t > seconds) env *= std::exp(-(t - seconds) / (release / 4));
    double v = wt.At(p1) + wt.At(p2) + 0.5 * wt.At(p3);
    p1 += hz / kRate;
    p2 += hz * 1.0035 / kRate;
    p3 += hz * 0.4985 / kRate;
    out[i] = float(v * env * vel * 0.4);
  }
  return out;
}

Mono DrumHit(double hzStart, double hzEnd, double pitchTau, double tau, double noiseAmount, double vel, Noise& noise) {
  Mono out(Frames(tau * 7 + 0.01));
  double phase = 0;
  Biquad click = Biquad::LowPass(1800.0, 0.7);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double hz = hzEnd + (hzStart - hzEnd) * std::exp(-t / pitchTau);
    phase += hz / kRate;
    double body = std::sin(kTwoPi * phase) * AttackDecay(t, 0.002, tau);
    double slap = click.Process(noise.White()) * AttackDecay(t, 0.001, 0.012) * noiseAmount;
    out[i] = float((body + slap) * vel);
  }
  return out;
}

Mono ShakerHit(double vel, Noise& noise) {
  Mono out(Frames(0.12));
  Biquad bp = Biquad::BandPass(6500.0, 0.9);
  Biquad hp = Biquad::HighPass(3000.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = Ramp(t, 0.012) * std::exp(-t / 0.03);
    out[i] = float(hp.Process(bp.Process(noise.White())) * env * vel);
  }
  return out;
}

Mono TambourineHit(double vel, Noise& noise) {
  Mono out(Frames(0.3));
  Biquad hp = Biquad::HighPass(5000.0);
  const double jingles[5] = {5340.0, 6710.0, 7460.0, 8820.0, 10150.0};
  double offs[5];
  for (double& o : offs) o = noise.Uniform();
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = AttackDecay(t, 0.001, 0.06);
    double ring = 0;
    for (int k = 0; k < 5; ++k) ring += std::sin(kTwoPi * (jingles[k] * t + offs[k])) * std::exp(-t / 0.09);
    out[i] = float((hp.Process(noise.White()) * env + 0.12 * ring * env) * vel);
  }
  return out;
}

Mono ClapHit(double vel, Noise& noise) {
  Mono out(Frames(0.25));
  Biquad bp = Biquad::BandPass(1300.0, 1.1);
  const double bursts[4] = {0.0, 0.009, 0.019, 0.027};
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = 0;
    for (int k = 0; k < 3; ++k) env += AttackDecay(t - bursts[k], 0.0005, 0.005);
    env += AttackDecay(t - bursts[3], 0.0005, 0.06);
    out[i] = float(bp.Process(noise.White()) * env * vel * 1.6);
  }
  return out;
}

Mono CymbalHit(double seconds, double vel, Noise& noise) {
  Mono out(Frames(seconds));
  Biquad hp = Biquad::HighPass(3500.0);
  Biquad pk = Biquad::Peak(7000.0, 1.0, 6.0);
  double phases[6] = {0};
  const double partials[6] = {3120.0, 4570.0, 5010.0, 6390.0, 7830.0, 9410.0};
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double env = AttackDecay(t, 0.002, seconds / 5);
    double metal = 0;
    for (int k = 0; k < 6; ++k) {
      phases[k] += partials[k] / kRate;
      metal += (phases[k] - std::floor(phases[k]) < 0.5 ? 1.0 : -1.0);
    }
    double v = pk.Process(hp.Process(noise.White() + 0.08 * metal));
    out[i] = float(v * env * vel);
  }
  return out;
}

Mono WoodHit(double hz, double vel, Noise& noise) {
  Mono out(Frames(0.12));
  Biquad bp = Biquad::BandPass(hz * 2.7, 3.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    double t = double(i) / kRate;
    double v = std::sin(kTwoPi * hz * t) * AttackDecay(t, 0.0008, 0.018) +
               0.5 * std::sin(kTwoPi * hz * 2.76 * t) * AttackDecay(t, 0.0005, 0.009) +
               0.6 * bp.Process(noise.White()) * AttackDecay(t, 0.0003, 0.004);
    out[i] = float(v * vel);
  }
  return out;
}

void MixMono(Sound& s, const Mono& m, double t0, double gain, double pan, bool wrap) {
  std::size_t n = s.FrameCount();
  if (n == 0) return;
  // Whatever is left of a voice at its end is ramped away rather than cut off.
  const std::size_t ramp = std::min<std::size_t>(64, m.size() / 4);
  long start = long(std::lround(t0 * kRate));
  double gl = 1, gr = 1;
  if (s.IsStereo()) PanGains(pan, gl, gr);
  for (std::size_t i = 0; i < m.size(); ++i) {
    long p = start + long(i);
    if (wrap) {
      p %= long(n);
      if (p < 0) p += long(n);
    } else if (p < 0) {
      continue;
    } else if (p >= long(n)) {
      break;
    }
    std::size_t q = std::size_t(p);
    double v = m[i] * gain;
    if (i + ramp >= m.size()) v *= double(m.size() - i) / double(ramp + 1);
    s.left[q] += float(v * gl);
    if (s.IsStereo()) s.right[q] += float(v * gr);
  }
}

}  // namespace bm::snd
