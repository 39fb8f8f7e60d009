// Small building blocks for the effect recipes: glides, noise bursts, bells,
// metal clinks, sparkles and explosions. Everything adds into a sound at t0 seconds.
#pragma once
#include <vector>

#include "Dsp.h"
#include "Sound.h"
#include "Voices.h"

namespace bm::snd {

// Sine whose pitch moves exponentially from f0 to f1 over `dur` (curve > 1 bends early).
void AddGlide(Sound& s, double t0, double dur, double f0, double f1, double amp, double attack, double tau,
              double pan = 0.0, double curve = 1.0);
// Noise through a band-pass whose centre moves from f0 to f1 over dur.
void AddNoise(Sound& s, Noise& n, double t0, double dur, double f0, double f1, double q, double amp, double attack,
              double tau, double pan = 0.0);
// Noise through a low-pass whose cutoff moves from f0 to f1 over dur.
void AddRumble(Sound& s, Noise& n, double t0, double dur, double f0, double f1, double amp, double attack,
               double tau, double pan = 0.0);
// FM bell or chime.
void AddBell(Sound& s, double t0, double hz, double amp, double ratio, double index, double tau, double pan = 0.0);
// Small struck metal: a few inharmonic partials and a tick of noise.
void AddClink(Sound& s, Noise& n, double t0, double hz, double amp, double tau, double pan = 0.0);
// `count` tiny high bells scattered over [t0, t0 + span).
void AddSparkle(Sound& s, Noise& n, double t0, double span, int count, double loHz, double hiHz, double amp,
                double spread = 0.6);
// Bells on the given MIDI notes, `step` seconds apart.
void AddArpeggio(Sound& s, double t0, const std::vector<int>& midi, double step, double amp, double ratio,
                 double index, double tau, double spread = 0.0);
// An explosion; size 0 (small) .. 1 (huge).
void AddExplosion(Sound& s, Noise& n, double t0, double size, double amp);
// Horn notes for fanfares: {midi, start, length} in seconds.
struct HornNoteSpec {
  int midi;
  double start, length;
  double vel = 0.8;
};
void AddHorns(Sound& s, Noise& n, const std::vector<HornNoteSpec>& notes, double amp, double pan = 0.0);
// A drum roll from t0 over dur, swelling from soft to loud.
void AddRoll(Sound& s, Noise& n, double t0, double dur, double amp);

}  // namespace bm::snd
