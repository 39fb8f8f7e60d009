// Map ambience loops. Each is built from a bed of random material, rendered a
// little longer than the loop and folded over its start, plus periodic parts and
// events rendered around the loop, so that playing it again and again never clicks.
#include <cmath>

#include "Sfx.h"
#include "SfxKit.h"

namespace bm::snd {

namespace {

constexpr double kFade = 1.5;  // seconds of crossfade at the seam
// Event onsets stay clear of the seam: the codec smears an onset, and a smeared
// onset at the very edge of the file would not meet its own tail when looping.

Sound LoopBed(double seconds) {
  std::size_t frames = Frames(seconds) + Frames(kFade);
  return Sound{std::vector<float>(frames, 0.0f), std::vector<float>(frames, 0.0f)};
}

// Smooth 0..1 wave with the given period (which divides the loop length).
double Swell(double t, double period, double phase = 0.0) {
  return 0.5 - 0.5 * std::cos(kTwoPi * (t / period + phase));
}

// Nearest frequency with a whole number of cycles in the loop.
double LoopHz(double hz, double seconds) { return std::round(hz * seconds) / seconds; }

Sound Finish(Sound bed, const Sound& around) {
  DcBlock(bed);
  CrossfadeLoop(bed, Frames(kFade));
  Mix(bed, around, 0.0, 1.0);
  return bed;
}

std::vector<float>& Channel(Sound& s, int c) { return c == 0 ? s.left : s.right; }

// A bird's chirp: a quick sweep with a warble, placed around the loop.
void Chirp(Sound& s, double t0, double dur, double f0, double f1, double amp, double pan) {
  double phase = 0;
  AddVoice(
      s, t0, dur, pan,
      [&](double t) {
        double x = t / dur;
        double hz = f0 * std::pow(f1 / f0, x) * (1.0 + 0.04 * std::sin(kTwoPi * 38.0 * t));
        phase += hz / kRate;
        return std::sin(kTwoPi * phase) * std::sin(kPi * x) * amp;
      },
      true);
}

// A drop falling into still water.
void Drip(Sound& s, double t0, double hz, double amp, double pan) {
  double phase = 0;
  AddVoice(
      s, t0, 0.12, pan,
      [&](double t) {
        double f = hz * std::pow(1.9, std::min(1.0, t / 0.04));
        phase += f / kRate;
        return std::sin(kTwoPi * phase) * AttackDecay(t, 0.001, 0.03) * Ramp(0.12 - t, 0.01) * amp;
      },
      true);
}

}  // namespace

Sound MapSea(Noise& n) {
  const double len = 8.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf body, surf, deep;
    surf.Set(3200.0, 0.6);
    deep.Set(120.0, 0.7);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      double w = 0.7 * Swell(t, 4.0, 0.07 * c) + 0.3 * Swell(t, 8.0, 0.3 + 0.05 * c);
      if ((i & 15) == 0) body.Set(250.0 + 1100.0 * w * w, 0.7);
      double v = body.Process(n.White()).low * (0.2 + 0.8 * std::pow(w, 1.5));
      v += surf.Process(n.White()).band * 0.35 * std::pow(w, 4.0);
      v += deep.Process(n.White()).low * 0.5;
      ch[i] = float(v);
    }
  }
  // A gull far off.
  Sound around = Sound::Stereo(len);
  for (int k = 0; k < 2; ++k) Chirp(around, 5.0 + 0.32 * k, 0.26, 1900.0, 1250.0, 0.05, 0.55);
  AddReverb(around, 0.5, 0.7, 0.5, true);
  return Finish(bed, around);
}

Sound MapWind(Noise& n) {
  const double len = 8.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf whistle, low;
    low.Set(220.0, 0.7);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      double g = 0.6 * Swell(t, 8.0, 0.1 * c) + 0.4 * Swell(t, 8.0 / 3.0, 0.2 + 0.15 * c);
      if ((i & 15) == 0) whistle.Set(330.0 * std::pow(2.0, 1.4 * g), 2.5);
      double v = whistle.Process(n.White()).band * (0.25 + 0.75 * g * g);
      v += low.Process(n.White()).low * (0.35 + 0.3 * g);
      ch[i] = float(v);
    }
  }
  return Finish(bed, Sound::Stereo(len));
}

Sound MapForest(Noise& n) {
  const double len = 8.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Biquad leavesHp = Biquad::HighPass(2200.0);
    Biquad leavesLp = Biquad::LowPass(7000.0);
    Svf air;
    air.Set(400.0, 0.7);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      double rustle = 0.3 + 0.7 * Swell(t, 4.0, 0.25 * c) * Swell(t, 8.0 / 3.0, 0.1);
      double v = leavesLp.Process(leavesHp.Process(n.White())) * 0.12 * rustle;
      v += air.Process(n.White()).low * 0.25 * (0.6 + 0.4 * Swell(t, 8.0, 0.5 * c));
      ch[i] = float(v);
    }
  }
  Sound around = Sound::Stereo(len);
  for (int k = 0; k < 3; ++k) Chirp(around, 0.6 + 0.11 * k, 0.06, 2800.0, 3700.0, 0.12, -0.5);
  for (int k = 0; k < 8; ++k) Chirp(around, 2.4 + 0.055 * k, 0.04, 4300.0, 3800.0, 0.07, 0.6);
  for (int k = 0; k < 2; ++k) Chirp(around, 4.6 + 0.12 * k, 0.07, 2900.0, 3600.0, 0.1, -0.4);
  Chirp(around, 6.2, 0.22, 2250.0, 2150.0, 0.06, 0.1);
  Chirp(around, 6.45, 0.25, 1850.0, 1750.0, 0.06, 0.1);
  for (int k = 0; k < 6; ++k) Chirp(around, 7.3 + 0.055 * k, 0.04, 4200.0, 3700.0, 0.06, 0.5);
  AddReverb(around, 0.35, 0.6, 0.5, true);
  return Finish(bed, around);
}

Sound MapEntrance(Noise& n) {
  const double len = 6.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf hollow1, hollow2, rumble;
    hollow1.Set(260.0 + 15.0 * c, 4.0);
    hollow2.Set(520.0 - 20.0 * c, 5.0);
    rumble.Set(90.0, 0.7);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      double g = 0.5 * Swell(t, 6.0, 0.2 * c) + 0.5 * Swell(t, 3.0, 0.4);
      double v = hollow1.Process(n.White()).band * (0.3 + 0.5 * g) + hollow2.Process(n.White()).band * 0.25 * g;
      v += rumble.Process(n.White()).low * 0.5;
      ch[i] = float(v);
    }
  }
  // A low drone that sits exactly on the loop, and two drops echoing inside.
  Sound around = Sound::Stereo(len);
  const double d1 = LoopHz(73.4, len), d2 = LoopHz(110.0, len), d3 = LoopHz(146.8, len);
  AddVoice(around, 0.0, len, 0.0, [&](double t) {
    double amp = 0.05 * (0.7 + 0.3 * Swell(t, 6.0));
    return amp * (std::sin(kTwoPi * d1 * t) + 0.6 * std::sin(kTwoPi * d2 * t) + 0.25 * std::sin(kTwoPi * d3 * t));
  });
  Sound drops = Sound::Stereo(len);
  Drip(drops, 1.3, 900.0, 0.25, -0.4);
  Drip(drops, 4.1, 760.0, 0.2, 0.5);
  AddReverb(drops, 0.8, 0.9, 0.4, true);
  Mix(around, drops, 0.0, 1.0);
  return Finish(bed, around);
}

Sound MapCricket(Noise& n) {
  const double len = 6.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf night;
    night.Set(500.0, 0.7);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      ch[i] = float(night.Process(n.White()).low * 0.15 * (0.7 + 0.3 * Swell(t, 6.0, 0.5 * c)));
    }
  }
  Sound around = Sound::Stereo(len);
  struct Cricket {
    double hz, period, offset, amp, pan;
    int pulses;
  };
  const Cricket crickets[3] = {{4600.0, 0.5, 0.0, 0.3, -0.45, 3}, {4150.0, 0.75, 0.2, 0.22, 0.5, 4},
                               {5100.0, 0.6, 0.37, 0.1, 0.05, 3}};
  for (const Cricket& k : crickets) {
    double hz = LoopHz(k.hz, len);
    for (double t = k.offset; t < len; t += k.period) {
      AddVoice(
          around, t, k.pulses * 0.028, k.pan,
          [&](double u) {
            double x = std::fmod(u, 0.028);
            double gate = x < 0.016 ? std::sin(kPi * x / 0.016) : 0.0;
            return std::sin(kTwoPi * hz * u) * gate * k.amp;
          },
          true);
    }
  }
  AddReverb(around, 0.25, 0.6, 0.5, true);
  return Finish(bed, around);
}

Sound MapCave(Noise& n) {
  const double len = 8.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf rumble, air, draught;
    rumble.Set(110.0, 0.7);
    air.Set(420.0 - 30.0 * c, 2.0);
    draught.Set(2500.0, 0.8);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      double g = Swell(t, 8.0, 0.3 * c);
      double v = rumble.Process(n.White()).low * 0.3 + air.Process(n.White()).band * 0.14 * (0.4 + 0.6 * g) +
                 draught.Process(n.White()).band * 0.025 * (0.5 + 0.5 * g);
      ch[i] = float(v);
    }
  }
  Sound drops = Sound::Stereo(len);
  const double at[6] = {0.5, 1.9, 3.2, 4.4, 5.9, 7.3};
  for (double t : at) Drip(drops, t, n.Range(650.0, 1100.0), n.Range(0.25, 0.45), 0.8 * n.White());
  AddReverb(drops, 0.9, 0.95, 0.3, true);
  return Finish(bed, drops);
}

Sound MapGold(Noise& n) {
  const double len = 6.0;
  Sound bed = LoopBed(len);
  for (int c = 0; c < 2; ++c) {
    Svf shimmer;
    shimmer.Set(6500.0, 1.0);
    std::vector<float>& ch = Channel(bed, c);
    for (std::size_t i = 0; i < ch.size(); ++i) {
      double t = double(i) / kRate;
      ch[i] = float(shimmer.Process(n.White()).band * 0.06 * (0.5 + 0.5 * Swell(t, 3.0, 0.5 * c)));
    }
  }
  Sound around = Sound::Stereo(len);
  // A warm chord (C, E, G, D) breathing slowly, tuned to whole cycles of the loop.
  const int chord[4] = {60, 64, 67, 74};
  for (int k = 0; k < 4; ++k) {
    double hz = LoopHz(MidiToHz(chord[k]), len);
    AddVoice(around, 0.0, len, 0.6 * (k % 2 ? 1 : -1) * 0.5, [&, hz, k](double t) {
      double amp = 0.035 * (0.6 + 0.4 * Swell(t, k % 2 ? 3.0 : 2.0, 0.25 * k));
      return amp * (std::sin(kTwoPi * hz * t) + 0.3 * std::sin(kTwoPi * 2 * hz * t));
    });
  }
  const int pent[8] = {84, 86, 88, 91, 93, 96, 98, 100};
  for (int i = 0; i < 14; ++i) {
    double t = 0.1 + (len - 0.35) * (double(i) + n.Uniform()) / 14.0;  // no onset right at the seam
    MixMono(around, BellNote(MidiToHz(pent[n.Below(8)]), 0.9, 1.0, 3.0, n.Range(0.4, 1.0), 0.18), t,
            n.Range(0.06, 0.12), 0.8 * n.White(), true);
  }
  AddReverb(around, 0.45, 0.8, 0.4, true);
  return Finish(bed, around);
}

}  // namespace bm::snd
