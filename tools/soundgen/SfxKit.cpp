#include "SfxKit.h"

#include <cmath>

namespace bm::snd {

void AddGlide(Sound& s, double t0, double dur, double f0, double f1, double amp, double attack, double tau,
              double pan, double curve) {
  double phase = 0;
  AddVoice(s, t0, dur, pan, [&](double t) {
    double x = std::pow(std::min(1.0, t / dur), 1.0 / curve);
    double hz = f0 * std::pow(f1 / f0, x);
    phase += hz / kRate;
    double tailFade = std::min(1.0, (dur - t) / 0.004);
    return std::sin(kTwoPi * phase) * AttackDecay(t, attack, tau) * amp * tailFade;
  });
}

void AddNoise(Sound& s, Noise& n, double t0, double dur, double f0, double f1, double q, double amp, double attack,
              double tau, double pan) {
  Svf f;
  long i = 0;
  AddVoice(s, t0, dur, pan, [&](double t) {
    if ((i++ & 7) == 0) f.Set(f0 * std::pow(f1 / f0, std::min(1.0, t / dur)), q);
    double tailFade = std::min(1.0, (dur - t) / 0.004);
    return f.Process(n.White()).band * AttackDecay(t, attack, tau) * amp * tailFade;
  });
}

void AddRumble(Sound& s, Noise& n, double t0, double dur, double f0, double f1, double amp, double attack,
               double tau, double pan) {
  Svf f;
  long i = 0;
  AddVoice(s, t0, dur, pan, [&](double t) {
    if ((i++ & 7) == 0) f.Set(f0 * std::pow(f1 / f0, std::min(1.0, t / dur)), 0.7);
    double tailFade = std::min(1.0, (dur - t) / 0.004);
    return f.Process(n.White()).low * AttackDecay(t, attack, tau) * amp * tailFade;
  });
}

void AddBell(Sound& s, double t0, double hz, double amp, double ratio, double index, double tau, double pan) {
  MixMono(s, BellNote(hz, std::min(tau * 6.0, 4.0), 1.0, ratio, index, tau), t0, amp, pan);
}

void AddClink(Sound& s, Noise& n, double t0, double hz, double amp, double tau, double pan) {
  static const double ratios[4] = {1.0, 1.51, 2.26, 2.97};
  static const double amps[4] = {1.0, 0.6, 0.4, 0.25};
  double offs[4];
  for (double& o : offs) o = n.Uniform();
  Biquad hp = Biquad::HighPass(hz * 0.8);
  AddVoice(s, t0, tau * 7, pan, [&](double t) {
    double v = 0;
    for (int k = 0; k < 4; ++k) v += amps[k] * std::sin(kTwoPi * (hz * ratios[k] * t + offs[k])) * std::exp(-t * (1 + k * 0.6) / tau);
    v *= Ramp(t, 0.0008);
    v += 0.5 * hp.Process(n.White()) * AttackDecay(t, 0.0003, 0.003);
    return v * amp * 0.45;
  });
}

void AddSparkle(Sound& s, Noise& n, double t0, double span, int count, double loHz, double hiHz, double amp,
                double spread) {
  for (int i = 0; i < count; ++i) {
    double t = t0 + span * n.Uniform();
    double hz = loHz * std::pow(hiHz / loHz, n.Uniform());
    AddBell(s, t, hz, amp * n.Range(0.5, 1.0), 3.01, n.Range(0.3, 1.0), n.Range(0.05, 0.14), spread * n.White());
  }
}

void AddArpeggio(Sound& s, double t0, const std::vector<int>& midi, double step, double amp, double ratio,
                 double index, double tau, double spread) {
  for (std::size_t i = 0; i < midi.size(); ++i) {
    double pan = midi.size() > 1 ? spread * (2.0 * double(i) / double(midi.size() - 1) - 1.0) : 0.0;
    AddBell(s, t0 + step * double(i), MidiToHz(midi[i]), amp, ratio, index, tau, pan);
  }
}

void AddExplosion(Sound& s, Noise& n, double t0, double size, double amp) {
  const double len = 0.8 + 1.6 * size;
  // The low thump.
  AddGlide(s, t0, len, 95.0 + 40.0 * size, 32.0, amp * 1.1, 0.002, 0.18 + 0.3 * size, 0.0, 3.0);
  // The blast: noise whose cutoff falls as the fireball cools.
  AddRumble(s, n, t0, len, 5000.0 + 3000.0 * size, 180.0, amp * 1.6, 0.002, 0.12 + 0.35 * size);
  // Crack at the front.
  AddNoise(s, n, t0, 0.05, 3000.0, 1500.0, 0.5, amp * 0.9, 0.0005, 0.01);
  // Debris and crackle.
  int grains = 8 + int(40 * size);
  for (int i = 0; i < grains; ++i) {
    double at = t0 + 0.04 + std::pow(n.Uniform(), 1.8) * len * 0.8;
    double fade = std::exp(-(at - t0) / (0.3 + 0.5 * size));
    AddNoise(s, n, at, 0.03, n.Range(900.0, 4000.0), n.Range(500.0, 2000.0), 1.2, amp * 0.5 * fade, 0.0005,
             n.Range(0.004, 0.012), 0.5 * n.White());
  }
}

void AddHorns(Sound& s, Noise& n, const std::vector<HornNoteSpec>& notes, double amp, double pan) {
  for (const HornNoteSpec& h : notes) MixMono(s, HornNote(MidiToHz(h.midi), h.length, h.vel, n), h.start, amp, pan);
}

void AddRoll(Sound& s, Noise& n, double t0, double dur, double amp) {
  const double rate = 0.045;
  for (double t = 0; t < dur; t += rate) {
    double swell = 0.3 + 0.7 * (t / dur);
    double v = swell * n.Range(0.8, 1.0);
    MixMono(s, DrumHit(190, 150, 0.01, 0.08, 1.3, v, n), t0 + t + 0.004 * n.White(), amp, 0.2 * n.White());
  }
}

}  // namespace bm::snd
