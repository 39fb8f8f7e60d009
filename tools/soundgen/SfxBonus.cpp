// Bonus cues: rewards chime, weapons bang, the parrot squawks, the rum glugs.
// BonusCueRecipes() at the end names each for the game's bonus table.
#include <cmath>

#include "Cues.h"
#include "SfxKit.h"

namespace bm::snd {

namespace {

Sound BonTreasure(Noise& n) {
  Sound s = Sound::Mono(1.8);
  // A shower of coins, thick at first and thinning out.
  for (int i = 0; i < 22; ++i) {
    double t = 0.02 + std::pow(n.Uniform(), 1.6) * 1.0;
    AddClink(s, n, t, n.Range(2400.0, 4300.0), n.Range(0.4, 0.8), n.Range(0.04, 0.1));
  }
  AddArpeggio(s, 0.0, {84, 88, 91, 96}, 0.07, 0.35, 3.5, 1.4, 0.35);
  AddReverb(s, 0.18, 0.6, 0.5);
  return s;
}

Sound BonLife(Noise& n) {
  Sound s = Sound::Mono(1.7);
  AddArpeggio(s, 0.0, {67, 72, 76, 79, 84}, 0.075, 0.45, 1.0, 0.9, 0.45);
  for (int m : {72, 76, 79}) MixMono(s, PadNote(MidiToHz(m), 0.5, 0.5, 0.2), 0.3, 0.35);
  AddSparkle(s, n, 0.35, 0.6, 8, 3000.0, 7000.0, 0.12);
  AddReverb(s, 0.25, 0.7, 0.4);
  return s;
}

Sound BonClock(Noise& n) {
  Sound s = Sound::Mono(1.6);
  for (int i = 0; i < 4; ++i) MixMono(s, WoodHit(i % 2 ? 1500.0 : 2100.0, 0.7, n), 0.11 * i, 0.8);
  AddBell(s, 0.48, MidiToHz(81), 0.55, 2.0, 1.8, 0.45);
  AddBell(s, 0.48, MidiToHz(88), 0.3, 2.0, 1.2, 0.35);
  AddReverb(s, 0.2, 0.6, 0.5);
  return s;
}

Sound Bomb(Noise& n, double size) {
  Sound s = Sound::Mono(1.2 + 2.0 * size);
  AddExplosion(s, n, 0.0, size, 0.8);
  if (size > 0.9) AddExplosion(s, n, 0.14, 0.6, 0.5);  // the biggest goes off twice
  SoftClip(s, 1.5 + 1.5 * size);
  AddReverb(s, 0.12 + 0.12 * size, 0.85, 0.5);
  return s;
}

Sound BonBomb1(Noise& n) { return Bomb(n, 0.0); }
Sound BonBomb2(Noise& n) { return Bomb(n, 0.35); }
Sound BonBomb3(Noise& n) { return Bomb(n, 0.65); }
Sound BonBomb4(Noise& n) { return Bomb(n, 1.0); }

Sound BonReso(Noise& n) {
  Sound s = Sound::Mono(2.2);
  AddRumble(s, n, 0.0, 1.6, 180.0, 70.0, 0.9, 0.08, 0.45);
  AddGlide(s, 0.0, 1.5, 45.0, 38.0, 0.5, 0.05, 0.5);
  // A shimmering chord that climbs an octave while the ground shakes.
  const int chord[5] = {60, 64, 67, 72, 76};
  for (int k = 0; k < 5; ++k) {
    double f0 = MidiToHz(chord[k]);
    double phase = n.Uniform();
    AddVoice(s, 0.05, 1.2, 0.0, [&, f0](double t) {
      double hz = f0 * std::pow(2.0, std::min(1.0, t / 0.9));
      phase += hz / kRate;
      double trem = 0.7 + 0.3 * std::sin(kTwoPi * (9.0 + k) * t);
      return std::sin(kTwoPi * phase) * Ramp(t, 0.3) * std::exp(-std::max(0.0, t - 0.8) / 0.12) * trem * 0.12;
    });
  }
  AddArpeggio(s, 0.95, {84, 88, 91, 96}, 0.05, 0.3, 3.0, 1.0, 0.4);
  AddReverb(s, 0.3, 0.8, 0.4);
  return s;
}

Sound BonReshuf(Noise& n) {
  Sound s = Sound::Mono(1.0);
  for (int i = 0; i < 7; ++i) {
    double t = 0.065 * i + 0.01 * n.White();
    bool up = i % 2 == 0;
    AddNoise(s, n, std::max(0.0, t), 0.11, up ? 900.0 : 4500.0, up ? 4500.0 : 900.0, 1.5, 0.9, 0.03, 0.05);
    AddClink(s, n, std::max(0.0, t) + 0.05, n.Range(2800.0, 3600.0), 0.15, 0.015);
  }
  AddGlide(s, 0.45, 0.3, 500.0, 1000.0, 0.3, 0.01, 0.12);
  AddBell(s, 0.55, MidiToHz(84), 0.3, 2.0, 1.0, 0.2);
  return s;
}

namespace {
// A raspy bird call: FM with a bent pitch, a growl of amplitude modulation and formants.
void Squawk(Sound& s, Noise& n, double t0, double dur, double base, double bend) {
  double pc = 0, pm = 0;
  Svf f1, f2;
  f1.Set(1250.0, 2.5);
  f2.Set(2900.0, 3.0);
  AddVoice(s, t0, dur, 0.0, [&](double t) {
    double x = t / dur;
    double hz = base * (1.0 + bend * std::sin(kPi * std::pow(x, 0.7))) * (1.0 + 0.02 * std::sin(kTwoPi * 31 * t));
    pc += hz / kRate;
    pm += hz * 1.5 / kRate;
    double v = std::sin(kTwoPi * pc + 3.2 * std::sin(kTwoPi * pm)) + 0.35 * n.White();
    double growl = 0.6 + 0.4 * std::sin(kTwoPi * 72.0 * t);
    double env = Ramp(t, 0.015) * Ramp(dur - t, 0.05);
    double out = 0.9 * f1.Process(v).band + 0.7 * f2.Process(v).band + 0.15 * v;
    return out * growl * env;
  });
}
}  // namespace

Sound BonParrot(Noise& n) {
  Sound s = Sound::Mono(0.9);
  Squawk(s, n, 0.0, 0.2, 820.0, 0.45);
  Squawk(s, n, 0.27, 0.32, 900.0, 0.3);
  AddReverb(s, 0.1, 0.5, 0.5);
  return s;
}

Sound BonRum(Noise& n) {
  Sound s = Sound::Mono(1.4);
  // Glugs: a gulp of air rising through the bottle neck, then a bubble.
  const double at[5] = {0.0, 0.2, 0.38, 0.55, 0.7};
  for (int i = 0; i < 5; ++i) {
    double t = at[i] + 0.015 * n.White();
    t = std::max(0.0, t);
    AddGlide(s, t, 0.12, 95.0, 150.0, 0.6, 0.006, 0.05);
    AddGlide(s, t + 0.03, 0.09, n.Range(170.0, 230.0), n.Range(380.0, 480.0), 0.5, 0.004, 0.035, 0.0, 0.6);
  }
  AddRumble(s, n, 0.0, 0.9, 700.0, 400.0, 0.25, 0.1, 0.5);
  // A little hiccup at the end.
  AddGlide(s, 1.0, 0.12, 480.0, 900.0, 0.35, 0.005, 0.05);
  AddNoise(s, n, 1.0, 0.08, 1500.0, 2500.0, 1.0, 0.2, 0.003, 0.02);
  return s;
}

Sound BonRumChange(Noise& n) {
  Sound s = Sound::Mono(0.6);
  for (double detune : {1.0, 1.012}) {
    double phase = 0;
    AddVoice(s, 0.0, 0.45, 0.0, [&, detune](double t) {
      double hz = 392.0 * detune * std::pow(2.0, -0.58 * t / 0.45) * (1.0 + 0.035 * std::sin(kTwoPi * 6.0 * t));
      phase += hz / kRate;
      double v = std::sin(kTwoPi * phase) + 0.3 * std::sin(2 * kTwoPi * phase);
      return v * Ramp(t, 0.02) * Ramp(0.45 - t, 0.1) * 0.35;
    });
  }
  AddNoise(s, n, 0.0, 0.3, 600.0, 1800.0, 1.2, 0.3, 0.1, 0.15);
  return s;
}

Sound BonPush(Noise& n) {
  Sound s = Sound::Mono(1.9);
  AddGlide(s, 0.0, 1.3, 75.0, 36.0, 1.0, 0.002, 0.35, 0.0, 3.0);
  AddRumble(s, n, 0.0, 1.2, 3500.0, 150.0, 1.3, 0.001, 0.2);
  AddNoise(s, n, 0.0, 0.04, 4000.0, 2000.0, 0.5, 1.0, 0.0003, 0.006);
  // The ball tears away after the shot.
  AddNoise(s, n, 0.15, 0.5, 2500.0, 700.0, 3.0, 0.25, 0.1, 0.2);
  SoftClip(s, 2.0);
  AddReverb(s, 0.28, 0.88, 0.45);
  return s;
}

Sound BonGun(Noise& n) {
  Sound s = Sound::Mono(1.1);
  AddNoise(s, n, 0.0, 0.06, 5000.0, 3000.0, 0.5, 1.2, 0.0002, 0.007);
  AddNoise(s, n, 0.0, 0.2, 1100.0, 700.0, 1.0, 0.9, 0.0005, 0.035);
  AddGlide(s, 0.0, 0.25, 140.0, 60.0, 0.8, 0.001, 0.05, 0.0, 2.0);
  // A slap back from the rigging.
  AddNoise(s, n, 0.11, 0.15, 1800.0, 900.0, 0.8, 0.25, 0.002, 0.03);
  SoftClip(s, 2.0);
  AddReverb(s, 0.25, 0.7, 0.5);
  return s;
}

Sound BonAnc(Noise& n) {
  Sound s = Sound::Mono(1.3);
  for (int i = 0; i < 9; ++i) AddClink(s, n, 0.03 * i + 0.006 * n.Uniform(), n.Range(1100.0, 2100.0), 0.55, 0.03);
  // The heavy clank of iron.
  const double ratios[5] = {1.0, 2.32, 4.25, 6.63, 8.9};
  AddVoice(s, 0.3, 1.0, 0.0, [&](double t) {
    double v = 0;
    for (int k = 0; k < 5; ++k) v += std::sin(kTwoPi * 210.0 * ratios[k] * t) * std::exp(-t * (1 + k) / 0.5) / (1 + k);
    return v * Ramp(t, 0.001) * 0.8;
  });
  AddNoise(s, n, 0.3, 0.06, 2500.0, 1200.0, 0.7, 0.6, 0.0005, 0.01);
  AddReverb(s, 0.15, 0.6, 0.5);
  return s;
}

Sound BonSun(Noise& n) {
  Sound s = Sound::Mono(1.8);
  for (int m : {74, 78, 81, 86}) MixMono(s, PadNote(MidiToHz(m), 0.6, 0.6, 0.25), 0.0, 0.3);
  AddGlide(s, 0.1, 0.7, 800.0, 2400.0, 0.12, 0.3, 0.6);
  AddBell(s, 0.55, MidiToHz(93), 0.35, 1.0, 0.8, 0.4);
  AddSparkle(s, n, 0.3, 0.7, 12, 2500.0, 8000.0, 0.12);
  AddReverb(s, 0.3, 0.75, 0.4);
  return s;
}

Sound BonCoinBlue(Noise& n) {
  Sound s = Sound::Mono(0.8);
  AddBell(s, 0.0, MidiToHz(88), 0.5, 3.0, 1.2, 0.22);
  AddBell(s, 0.07, MidiToHz(95), 0.5, 3.0, 1.2, 0.28);
  AddSparkle(s, n, 0.05, 0.3, 5, 5000.0, 9000.0, 0.1);
  AddReverb(s, 0.15, 0.5, 0.5);
  return s;
}

Sound BonCoinGold(Noise& n) {
  Sound s = Sound::Mono(0.9);
  AddBell(s, 0.0, MidiToHz(91), 0.45, 2.0, 1.5, 0.2);
  AddBell(s, 0.06, MidiToHz(96), 0.45, 2.0, 1.5, 0.22);
  AddBell(s, 0.12, MidiToHz(100), 0.45, 2.0, 1.5, 0.3);
  AddClink(s, n, 0.0, 3300.0, 0.4, 0.08);
  AddReverb(s, 0.15, 0.5, 0.5);
  return s;
}

Sound BonKey(Noise& n) {
  Sound s = Sound::Mono(0.9);
  for (int i = 0; i < 8; ++i) AddClink(s, n, 0.045 * i + 0.02 * n.Uniform(), n.Range(3000.0, 6000.0), 0.5, 0.06);
  AddBell(s, 0.4, MidiToHz(98), 0.25, 3.0, 0.8, 0.2);
  AddReverb(s, 0.12, 0.5, 0.5);
  return s;
}

Sound BonSign(Noise& n) {
  Sound s = Sound::Mono(0.8);
  AddBell(s, 0.0, MidiToHz(81), 0.5, 1.0, 0.6, 0.3);
  AddBell(s, 0.0, MidiToHz(93), 0.2, 1.0, 0.4, 0.2);
  AddReverb(s, 0.15, 0.5, 0.5);
  (void)n;
  return s;
}

Sound BonPick(Noise& n) {
  Sound s = Sound::Mono(0.55);
  AddGlide(s, 0.0, 0.08, 400.0, 950.0, 0.6, 0.003, 0.05);
  AddBell(s, 0.07, MidiToHz(96), 0.4, 2.0, 1.0, 0.15);
  AddSparkle(s, n, 0.08, 0.15, 3, 5000.0, 8000.0, 0.08);
  return s;
}

}  // namespace

const std::vector<Cue>& BonusCueRecipes() {
  constexpr CueKind kShot = CueKind::OneShot;
  static const std::vector<Cue> recipes = {
    {"bon_treasure", 3, kShot, -13, BonTreasure, "treasure chest pays out"},
    {"bon_life", 2, kShot, -13, BonLife, "extra life"},
    {"bon_clock", 2, kShot, -13, BonClock, "clock adds time"},
    {"bon_bomb1", 3, kShot, -12, BonBomb1, "bomb, no upgrade"},
    {"bon_bomb2", 3, kShot, -11, BonBomb2, "bomb, grade 1"},
    {"bon_bomb3", 3, kShot, -10, BonBomb3, "bomb, grade 2"},
    {"bon_bomb4", 3, kShot, -9, BonBomb4, "bomb, grade 3"},
    {"bon_reso", 2, kShot, -13, BonReso, "rainbow gem"},
    {"bon_reshuf", 1, kShot, -14, BonReshuf, "shuffle"},
    {"bon_parrot", 2, kShot, -13, BonParrot, "parrot shows all moves"},
    {"bon_rum", 2, kShot, -13, BonRum, "rum penalty starts"},
    {"bon_rum_change", 4, kShot, -15, BonRumChange, "rum swaps by itself"},
    {"bon_push", 3, kShot, -10, BonPush, "cannonball"},
    {"bon_gun", 3, kShot, -11, BonGun, "pirate gun"},
    {"bon_anc", 2, kShot, -13, BonAnc, "hook taken or used"},
    {"bon_sun", 2, kShot, -13, BonSun, "golden sun"},
    {"bon_coin_blue", 4, kShot, -14, BonCoinBlue, "blue star collected"},
    {"bon_coin_gold", 4, kShot, -14, BonCoinGold, "gold star collected"},
    {"bon_key", 3, kShot, -14, BonKey, "key revealed"},
    {"bon_sign", 2, kShot, -15, BonSign, "board notice"},
    {"bon_pick", 3, kShot, -14, BonPick, "stored bonus picked up"},
  };
  return recipes;
}

}  // namespace bm::snd
