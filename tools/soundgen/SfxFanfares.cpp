// Outcome cues: fanfares for a level, a stage and the whole game; the sad ones
// for time running out and the game ending.
#include <cmath>

#include "Sfx.h"
#include "SfxKit.h"

namespace bm::snd {

Sound CompleteLevel(Noise& n) {
  Sound s = Sound::Stereo(2.6);
  AddHorns(s, n, {{67, 0.0, 0.11}, {72, 0.13, 0.11}, {76, 0.26, 0.11}, {79, 0.39, 0.9, 0.9}}, 0.4, -0.15);
  AddHorns(s, n, {{64, 0.39, 0.9, 0.7}, {60, 0.39, 0.9, 0.6}}, 0.3, 0.25);
  for (int k = 0; k < 3; ++k) MixMono(s, DrumHit(130, 95, 0.03, 0.15, 0.5, 0.7, n), 0.13 * k, 0.4);
  MixMono(s, DrumHit(110, 70, 0.04, 0.3, 0.6, 1.0, n), 0.39, 0.6);
  MixMono(s, CymbalHit(1.4, 0.3, n), 0.39, 0.4, 0.3);
  AddArpeggio(s, 0.45, {84, 88, 91, 96}, 0.06, 0.15, 2.0, 1.0, 0.4, 0.5);
  AddReverb(s, 0.3, 0.75, 0.45);
  return s;
}

Sound CompleteStage(Noise& n) {
  Sound s = Sound::Stereo(3.8);
  // "Ta-ta-ta taa, ta-ta taaa" in D major.
  AddHorns(s, n,
           {{69, 0.0, 0.1}, {69, 0.13, 0.1}, {69, 0.26, 0.1}, {74, 0.39, 0.4, 0.9},
            {69, 0.85, 0.1}, {74, 0.98, 0.1}, {78, 1.11, 0.1}, {81, 1.24, 1.3, 0.95}},
           0.4, -0.1);
  AddHorns(s, n, {{66, 0.39, 0.4}, {62, 0.39, 0.4}, {74, 1.24, 1.3, 0.7}, {78, 1.24, 1.3, 0.7}, {62, 1.24, 1.3, 0.7}},
           0.25, 0.3);
  AddRoll(s, n, 0.0, 0.39, 0.25);
  MixMono(s, DrumHit(110, 70, 0.04, 0.35, 0.6, 1.0, n), 0.39, 0.6);
  MixMono(s, DrumHit(110, 70, 0.04, 0.35, 0.6, 1.0, n), 1.24, 0.7);
  MixMono(s, CymbalHit(2.0, 0.35, n), 1.24, 0.45, 0.3);
  AddArpeggio(s, 1.3, {86, 90, 93, 98}, 0.07, 0.15, 2.0, 1.0, 0.45, 0.6);
  AddReverb(s, 0.32, 0.8, 0.45);
  return s;
}

Sound CompleteGame(Noise& n) {
  Sound s = Sound::Stereo(6.0);
  AddRoll(s, n, 0.0, 1.0, 0.3);
  // A rising call, then the full chord held under a cascade of bells.
  AddHorns(s, n,
           {{60, 1.0, 0.18}, {64, 1.2, 0.18}, {67, 1.4, 0.18}, {72, 1.6, 0.5, 0.9},
            {67, 2.15, 0.15}, {72, 2.33, 0.15}, {76, 2.51, 0.15}, {79, 2.7, 0.2}, {84, 2.95, 1.9, 1.0}},
           0.38, -0.1);
  AddHorns(s, n, {{48, 1.6, 0.5}, {55, 1.6, 0.5}, {64, 1.6, 0.5}, {48, 2.95, 1.9}, {60, 2.95, 1.9}, {67, 2.95, 1.9},
                  {76, 2.95, 1.9, 0.7}},
           0.22, 0.25);
  for (double t : {1.0, 1.6, 2.95}) MixMono(s, DrumHit(105, 62, 0.05, 0.45, 0.6, 1.0, n), t, 0.65);
  MixMono(s, CymbalHit(1.5, 0.3, n), 1.6, 0.4, -0.3);
  MixMono(s, CymbalHit(3.0, 0.45, n), 2.95, 0.5, 0.3);
  AddArpeggio(s, 3.0, {84, 88, 91, 96, 100, 103, 108}, 0.08, 0.13, 2.0, 1.0, 0.5, 0.7);
  AddSparkle(s, n, 3.0, 1.8, 20, 3000.0, 9000.0, 0.06);
  AddReverb(s, 0.35, 0.85, 0.4);
  return s;
}

Sound CompleteTimeIsUp(Noise& n) {
  Sound s = Sound::Stereo(2.9);
  // The ship's bell strikes twice, then the horn sags.
  for (double t : {0.0, 0.45}) AddBell(s, t, 233.0, 0.5, 1.41, 2.2, 0.7, 0.0);
  AddHorns(s, n, {{64, 0.8, 0.28}, {63, 1.1, 0.28}, {62, 1.4, 0.28}, {61, 1.7, 0.8}}, 0.4);
  AddReverb(s, 0.3, 0.75, 0.45);
  return s;
}

Sound CompleteGameOver(Noise& n) {
  Sound s = Sound::Stereo(4.2);
  AddHorns(s, n, {{69, 0.0, 0.4, 0.7}, {65, 0.45, 0.4, 0.65}, {62, 0.9, 0.4, 0.6}, {61, 1.35, 0.4, 0.6},
                  {62, 1.8, 1.4, 0.6}},
           0.4, -0.1);
  for (int m : {38, 45, 53}) MixMono(s, PadNote(MidiToHz(m), 1.5, 0.7, 0.4), 1.8, 0.4);
  MixMono(s, DrumHit(80, 50, 0.05, 0.6, 0.3, 0.8, n), 1.8, 0.6);
  AddReverb(s, 0.4, 0.85, 0.5);
  return s;
}

}  // namespace bm::snd
