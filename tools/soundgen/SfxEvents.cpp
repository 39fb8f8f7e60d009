// Cues of the logo, the menus, the map and the play field.
#include <cmath>

#include "Sfx.h"
#include "SfxKit.h"

namespace bm::snd {

Sound EvLogo(Noise& n) {
  Sound s = Sound::Stereo(3.4);
  MixMono(s, DrumHit(110, 82, 0.05, 0.5, 0.6, 1.0, n), 0.0, 0.9);
  MixMono(s, CymbalHit(2.0, 0.25, n), 0.0, 0.5, 0.3);
  AddHorns(s, n, {{50, 0.05, 1.6, 0.7}, {57, 0.05, 1.6, 0.65}}, 0.35, -0.3);
  AddHorns(s, n, {{62, 0.1, 1.55, 0.7}, {66, 0.1, 1.55, 0.6}}, 0.3, 0.3);
  AddArpeggio(s, 0.25, {74, 78, 81, 86, 90}, 0.09, 0.22, 1.0, 0.9, 0.5, 0.6);
  AddSparkle(s, n, 0.7, 0.9, 10, 3000.0, 8000.0, 0.07);
  AddReverb(s, 0.35, 0.82, 0.4);
  return s;
}

Sound EvMenuOver(Noise& n) {
  Sound s = Sound::Mono(0.1);
  AddGlide(s, 0.0, 0.08, 1400.0, 1600.0, 0.6, 0.003, 0.018);
  AddGlide(s, 0.0, 0.08, 2100.0, 2400.0, 0.2, 0.003, 0.012);
  (void)n;
  return s;
}

Sound EvMenuClick(Noise& n) {
  Sound s = Sound::Mono(0.18);
  MixMono(s, WoodHit(760.0, 0.9, n), 0.0, 1.0);
  AddGlide(s, 0.0, 0.12, 210.0, 160.0, 0.5, 0.001, 0.03);
  AddNoise(s, n, 0.0, 0.02, 6000.0, 5000.0, 1.0, 0.3, 0.0003, 0.003);
  return s;
}

Sound EvMapPaper(Noise& n) {
  Sound s = Sound::Mono(0.7);
  // Crinkles: many tiny bursts of bright noise.
  for (int i = 0; i < 34; ++i) {
    double t = 0.5 * std::pow(n.Uniform(), 1.3);
    AddNoise(s, n, t, 0.03, n.Range(2000.0, 6000.0), n.Range(2000.0, 6000.0), 1.5, n.Range(0.2, 0.6), 0.001,
             n.Range(0.004, 0.012));
  }
  // The sheet flapping through the air.
  AddNoise(s, n, 0.0, 0.45, 700.0, 1600.0, 0.7, 0.5, 0.08, 0.12);
  return s;
}

Sound EvMapCurrent(Noise& n) {
  Sound s = Sound::Mono(1.1);
  const double gains[3] = {0.6, 0.3, 0.14};
  for (int k = 0; k < 3; ++k) AddBell(s, 0.19 * k, 1318.5, gains[k], 2.0, 0.35, 0.16);
  AddReverb(s, 0.15, 0.6, 0.5);
  (void)n;
  return s;
}

Sound EvGameHint(Noise& n) {
  Sound s = Sound::Mono(0.8);
  AddBell(s, 0.0, MidiToHz(88), 0.45, 1.0, 0.4, 0.22);
  AddBell(s, 0.12, MidiToHz(93), 0.45, 1.0, 0.4, 0.28);
  AddReverb(s, 0.15, 0.5, 0.5);
  (void)n;
  return s;
}

Sound EvGameClick(Noise& n) {
  Sound s = Sound::Mono(0.1);
  AddGlide(s, 0.0, 0.08, 2700.0, 2600.0, 0.5, 0.0005, 0.01);
  AddGlide(s, 0.0, 0.08, 1300.0, 1250.0, 0.4, 0.0005, 0.018);
  AddNoise(s, n, 0.0, 0.01, 7000.0, 6000.0, 1.0, 0.3, 0.0002, 0.002);
  return s;
}

Sound EvGameSwap(Noise& n) {
  Sound s = Sound::Mono(0.32);
  Svf f;
  long i = 0;
  AddVoice(s, 0.0, 0.28, 0.0, [&](double t) {
    double x = t / 0.28;
    if ((i++ & 7) == 0) f.Set(700.0 + 2200.0 * std::sin(kPi * x), 2.0);
    return f.Process(n.White()).band * std::sin(kPi * x) * std::sin(kPi * x) * 0.9;
  });
  AddGlide(s, 0.02, 0.24, 500.0, 760.0, 0.1, 0.08, 0.1);
  return s;
}

Sound EvGameCollapse(Noise& n) {
  Sound s = Sound::Mono(0.5);
  for (int k = 0; k < 3; ++k) {
    double t = 0.035 * k;
    AddGlide(s, t, 0.09, n.Range(1700.0, 2200.0), n.Range(600.0, 800.0), 0.5, 0.001, 0.03, 0.0, 2.0);
    AddNoise(s, n, t, 0.02, 4000.0, 3000.0, 0.8, 0.35, 0.0003, 0.004);
  }
  AddSparkle(s, n, 0.08, 0.2, 4, 4000.0, 8000.0, 0.12);
  return s;
}

Sound EvGameWrong(Noise& n) {
  Sound s = Sound::Mono(0.4);
  const double f0[2] = {330.0, 247.0};
  for (int k = 0; k < 2; ++k) {
    double phase = 0;
    Svf lp;
    lp.Set(1200.0, 0.8);
    double base = f0[k];
    AddVoice(s, 0.13 * k, 0.14, 0.0, [&](double t) {
      double hz = base * (1.0 - 0.08 * t / 0.14);
      phase += hz / kRate;
      double x = phase - std::floor(phase);
      double v = (x < 0.5 ? 1.0 : -1.0) + 0.6 * std::sin(kTwoPi * phase * 1.414);
      return lp.Process(v).low * Ramp(t, 0.006) * Ramp(0.14 - t, 0.03) * 0.5;
    });
  }
  (void)n;
  return s;
}

Sound EvGameFall(Noise& n) {
  Sound s = Sound::Mono(0.3);
  MixMono(s, DrumHit(260, 170, 0.012, 0.05, 0.6, 0.9, n), 0.0, 1.0);
  MixMono(s, WoodHit(520.0, 0.4, n), 0.004, 0.6);
  MixMono(s, DrumHit(240, 160, 0.012, 0.04, 0.5, 0.5, n), 0.045, 0.8);
  AddClink(s, n, 0.01, 2600.0, 0.12, 0.02);
  return s;
}

Sound EvGameTimeout(Noise& n) {
  Sound s = Sound::Mono(0.16);
  MixMono(s, WoodHit(1800.0, 0.9, n), 0.0, 1.0);
  AddGlide(s, 0.0, 0.12, 620.0, 600.0, 0.25, 0.001, 0.03);
  AddNoise(s, n, 0.0, 0.01, 5000.0, 5000.0, 1.0, 0.3, 0.0002, 0.002);
  return s;
}

Sound EvGameBalPop(Noise& n) {
  Sound s = Sound::Mono(0.16);
  AddGlide(s, 0.0, 0.07, 520.0, 1900.0, 0.8, 0.001, 0.025, 0.0, 0.7);
  AddNoise(s, n, 0.0, 0.015, 3000.0, 2500.0, 0.8, 0.5, 0.0002, 0.003);
  return s;
}

Sound EvGameBalFill(Noise& n) {
  Sound s = Sound::Mono(0.5);
  for (int k = 0; k < 7; ++k) {
    double t = 0.055 * k + 0.01 * n.Uniform();
    double base = 380.0 * std::pow(3.0, k / 6.0);
    AddGlide(s, t, 0.06, base, base * 1.8, 0.4, 0.002, 0.025, 0.0, 0.7);
  }
  AddNoise(s, n, 0.0, 0.42, 1200.0, 3000.0, 0.8, 0.15, 0.1, 0.3);
  return s;
}

}  // namespace bm::snd
