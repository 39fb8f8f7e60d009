// Music as note data: parts of timed notes in eighth-note units, a small text
// notation for melodies and chords, and accompaniment patterns built from chords.
#pragma once
#include <string>
#include <vector>

#include "Sound.h"

namespace bm::snd {

enum class Instrument { Reed, ReedChords, Pluck, Bass, Drum, Shaker, Tambourine, Clap, Pad };

struct Note {
  double start = 0;   // eighths from the top of the track
  double length = 1;  // eighths
  int midi = 60;
  double vel = 0.8;
};

struct Part {
  std::string name;
  Instrument instrument = Instrument::Reed;
  double gain = 1.0;
  double pan = 0.0;
  double reverbSend = 0.2;
  double brightness = 0.55;  // plucked strings: how much of the pick's noise gets through
  std::vector<Note> notes;
};

struct Score {
  std::string name;
  double eighthsPerMinute = 180;
  int bars = 32;  // 6/8, six eighths a bar
  double reverbRoom = 0.7;
  std::vector<Part> parts;

  double EighthSeconds() const { return 60.0 / eighthsPerMinute; }
  double Seconds() const { return bars * 6 * EighthSeconds(); }
  Part& Get(const std::string& partName);
};

struct Chord {
  int root = 0;                // pitch class, C = 0
  std::vector<int> intervals;  // semitones above the root
  bool Has(int pitchClass) const;
};

// "C4", "F#5", "Bb3" -> MIDI number; -1 when garbled.
int ParsePitch(const std::string& token);
// "Dm", "A7", "C", "F#m", "Bbmaj7", "Esus4"; an unknown word yields C major.
Chord ParseChord(const std::string& token);

// Melody notation: one token per eighth, six per bar; "|" is ignored.
// A pitch starts a note, "-" holds the previous one, "." is a rest, and
// "E5/D5" splits the eighth into two sixteenths. Returns the eighths written.
int AddMelody(Part& part, int bar, const std::string& text, int transpose = 0, double vel = 0.8);

// Chord notation: one chord per half bar (dotted quarter).
std::vector<Chord> ParseChords(const std::string& text);

// Accompaniment, starting at `bar`, one half-bar chord after another.
void AddBass(Part& part, int bar, const std::vector<Chord>& chords, double vel, bool walk);
void AddArpeggio(Part& part, int bar, const std::vector<Chord>& chords, double vel);
void AddStrum(Part& part, int bar, const std::vector<Chord>& chords, double vel);
void AddLeftHand(Part& part, int bar, const std::vector<Chord>& chords, double vel);
void AddPad(Part& part, int bar, const std::vector<Chord>& chords, double vel);
// Parallel line under the melody notes in [fromBar, fromBar + bars): the nearest
// chord tone at least a minor third below each note.
void AddHarmony(Part& harmony, const Part& melody, int fromBar, int bars, const std::vector<Chord>& chords,
                double vel);
// Percussion: pattern of six characters per bar, repeated for `bars` bars;
// "X" accent, "x" normal, "o" soft, "." nothing. midi picks the drum (36 low, 38 high).
void AddBeat(Part& part, int bar, int bars, const std::string& pattern, int midi = 36);

// Renders the score as a stereo loop of exactly Seconds(): tails of the last
// bar and the reverb ring on into the first bar.
Sound RenderScore(const Score& score);

}  // namespace bm::snd
