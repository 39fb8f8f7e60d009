#include "Score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "Dsp.h"
#include "Voices.h"

namespace bm::snd {

Part& Score::Get(const std::string& partName) {
  for (Part& p : parts)
    if (p.name == partName) return p;
  std::fprintf(stderr, "soundgen: score %s has no part %s\n", name.c_str(), partName.c_str());
  thread_local Part scratch;
  scratch = Part{};
  return scratch;
}

bool Chord::Has(int pitchClass) const {
  for (int iv : intervals)
    if ((root + iv) % 12 == ((pitchClass % 12) + 12) % 12) return true;
  return false;
}

namespace {

int LetterClass(char c) {
  switch (std::toupper(static_cast<unsigned char>(c))) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return -1;
  }
}

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string t;
  while (in >> t) {
    t.erase(std::remove(t.begin(), t.end(), '|'), t.end());
    if (!t.empty()) out.push_back(t);
  }
  return out;
}

// Chord tones in [low, low + 12), ascending.
std::vector<int> Voicing(const Chord& c, int low) {
  std::vector<int> v;
  for (int iv : c.intervals) {
    int pc = (c.root + iv) % 12;
    v.push_back(low + ((pc - low % 12) % 12 + 12) % 12);
  }
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end()), v.end());
  return v;
}

double Accent(double eighth) {
  int pos = int(std::floor(eighth)) % 6;
  return pos == 0 ? 1.08 : pos == 3 ? 1.0 : 0.88;
}

const Chord& ChordAt(const std::vector<Chord>& chords, std::size_t i) {
  static const Chord cMajor{0, {0, 4, 7}};
  if (chords.empty()) return cMajor;
  return chords[std::min(i, chords.size() - 1)];
}

}  // namespace

int ParsePitch(const std::string& token) {
  if (token.size() < 2) return -1;
  int pc = LetterClass(token[0]);
  if (pc < 0) return -1;
  std::size_t i = 1;
  if (token[i] == '#') {
    ++pc;
    ++i;
  } else if (token[i] == 'b') {
    --pc;
    ++i;
  }
  if (i >= token.size() || !std::isdigit(static_cast<unsigned char>(token[i]))) return -1;
  int octave = token[i] - '0';
  if (i + 1 != token.size()) return -1;
  return 12 * (octave + 1) + pc;
}

Chord ParseChord(const std::string& token) {
  Chord c{0, {0, 4, 7}};
  if (token.empty() || LetterClass(token[0]) < 0) return c;
  int pc = LetterClass(token[0]);
  std::size_t i = 1;
  if (i < token.size() && token[i] == '#') {
    ++pc;
    ++i;
  } else if (i < token.size() && token[i] == 'b') {
    --pc;
    ++i;
  }
  c.root = (pc + 12) % 12;
  std::string q = token.substr(i);
  if (q == "m") c.intervals = {0, 3, 7};
  else if (q == "7") c.intervals = {0, 4, 7, 10};
  else if (q == "m7") c.intervals = {0, 3, 7, 10};
  else if (q == "maj7") c.intervals = {0, 4, 7, 11};
  else if (q == "dim") c.intervals = {0, 3, 6};
  else if (q == "sus4") c.intervals = {0, 5, 7};
  return c;
}

int AddMelody(Part& part, int bar, const std::string& text, int transpose, double vel) {
  double e = bar * 6.0;
  Note* last = nullptr;
  int written = 0;
  for (const std::string& t : Tokens(text)) {
    if (t == "-") {
      if (last && std::fabs(last->start + last->length - e) < 1e-9) last->length += 1.0;
    } else if (t == ".") {
      last = nullptr;
    } else {
      std::size_t slash = t.find('/');
      std::vector<std::string> pieces = slash == std::string::npos
                                            ? std::vector<std::string>{t}
                                            : std::vector<std::string>{t.substr(0, slash), t.substr(slash + 1)};
      double step = 1.0 / double(pieces.size());
      for (std::size_t k = 0; k < pieces.size(); ++k) {
        int midi = ParsePitch(pieces[k]);
        if (midi < 0) {
          std::fprintf(stderr, "soundgen: bad note \"%s\" in part %s\n", pieces[k].c_str(), part.name.c_str());
          continue;
        }
        double at = e + double(k) * step;
        part.notes.push_back(Note{at, step, midi + transpose, vel * Accent(at)});
        last = &part.notes.back();
      }
    }
    e += 1.0;
    ++written;
  }
  if (written % 6 != 0)
    std::fprintf(stderr, "soundgen: melody in part %s at bar %d is %d eighths, not whole bars\n",
                 part.name.c_str(), bar, written);
  return written;
}

std::vector<Chord> ParseChords(const std::string& text) {
  std::vector<Chord> out;
  for (const std::string& t : Tokens(text)) out.push_back(ParseChord(t));
  return out;
}

void AddBass(Part& part, int bar, const std::vector<Chord>& chords, double vel, bool walk) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const Chord& c = chords[i];
    int root = 40 + ((c.root - 4) % 12 + 12) % 12;  // E2 .. D#3
    int fifth = root + 7 <= 52 ? root + 7 : root - 5;
    bool repeat = i % 2 == 1 && c.root == chords[i - 1].root;
    double at = bar * 6.0 + double(i) * 3.0;
    int first = repeat ? fifth : root;
    if (walk) {
      part.notes.push_back(Note{at, 2.0, first, vel * Accent(at)});
      part.notes.push_back(Note{at + 2.0, 1.0, repeat ? root : fifth, vel * 0.8});
    } else {
      part.notes.push_back(Note{at, 2.7, first, vel * Accent(at)});
    }
  }
}

void AddArpeggio(Part& part, int bar, const std::vector<Chord>& chords, double vel) {
  static const int order[6] = {0, 1, 2, 3, 2, 1};
  for (std::size_t h = 0; h < chords.size(); ++h) {
    for (int k = 0; k < 3; ++k) {
      int pos = int(h % 2) * 3 + k;
      std::vector<int> v = Voicing(chords[h], 55);
      v.push_back(v.front() + 12);
      int idx = std::min<int>(order[pos], int(v.size()) - 1);
      double at = bar * 6.0 + double(h) * 3.0 + k;
      part.notes.push_back(Note{at, 2.0, v[std::size_t(idx)], vel * Accent(at)});
    }
  }
}

void AddStrum(Part& part, int bar, const std::vector<Chord>& chords, double vel) {
  struct Stroke {
    int pos;
    double len, vel;
    bool down;
  };
  static const Stroke strokes[4] = {{0, 2, 1.0, true}, {2, 1, 0.55, false}, {3, 2, 0.85, true}, {5, 1, 0.5, false}};
  for (std::size_t bh = 0; bh < chords.size(); bh += 2) {
    for (const Stroke& s : strokes) {
      const Chord& c = ChordAt(chords, bh + (s.pos >= 3 ? 1 : 0));
      std::vector<int> v = Voicing(c, 52);
      v.push_back(v.front() + 12);
      if (!s.down) {
        std::reverse(v.begin(), v.end());
        v.resize(3);
      }
      double at = bar * 6.0 + double(bh) * 3.0 + s.pos;
      for (std::size_t k = 0; k < v.size(); ++k)
        part.notes.push_back(Note{at + 0.035 * double(k), s.len, v[k], vel * s.vel * (1.0 - 0.06 * double(k))});
    }
  }
}

void AddLeftHand(Part& part, int bar, const std::vector<Chord>& chords, double vel) {
  for (std::size_t h = 0; h < chords.size(); ++h) {
    for (int k = 1; k <= 2; ++k) {
      double at = bar * 6.0 + double(h) * 3.0 + k;
      for (int m : Voicing(chords[h], 57)) part.notes.push_back(Note{at, 0.55, m, vel * (k == 1 ? 1.0 : 0.85)});
    }
  }
}

void AddPad(Part& part, int bar, const std::vector<Chord>& chords, double vel) {
  for (std::size_t h = 0; h < chords.size(); ++h) {
    double at = bar * 6.0 + double(h) * 3.0;
    for (int m : Voicing(chords[h], 52)) part.notes.push_back(Note{at, 3.0, m, vel});
  }
}

void AddHarmony(Part& harmony, const Part& melody, int fromBar, int bars, const std::vector<Chord>& chords,
                double vel) {
  const double from = fromBar * 6.0, to = (fromBar + bars) * 6.0;
  for (const Note& n : melody.notes) {
    if (n.start < from - 1e-9 || n.start >= to - 1e-9) continue;
    const Chord& c = ChordAt(chords, std::size_t((n.start - from) / 3.0));
    for (int d = 3; d <= 9; ++d) {
      if (c.Has(n.midi - d)) {
        harmony.notes.push_back(Note{n.start, n.length, n.midi - d, vel * n.vel});
        break;
      }
    }
  }
}

void AddBeat(Part& part, int bar, int bars, const std::string& pattern, int midi) {
  if (pattern.empty()) return;
  for (int b = 0; b < bars; ++b) {
    for (int p = 0; p < 6; ++p) {
      char c = pattern[std::size_t(b * 6 + p) % pattern.size()];
      double v = c == 'X' ? 1.0 : c == 'x' ? 0.72 : c == 'o' ? 0.42 : 0.0;
      if (v > 0) part.notes.push_back(Note{(bar + b) * 6.0 + p, 1.0, midi, v});
    }
  }
}

namespace {

Mono RenderNote(const Part& part, const Note& n, double eighth, double vel, Noise& noise) {
  const Instrument inst = part.instrument;
  const double hz = MidiToHz(n.midi);
  const double len = n.length * eighth;
  switch (inst) {
    case Instrument::Reed: return ReedNote(hz, std::max(0.05, len - 0.025), vel, noise, 9.0);
    case Instrument::ReedChords: return ReedNote(hz, len, vel, noise, 6.0);
    case Instrument::Pluck: return PluckNote(hz, len, vel, part.brightness, 1.4, noise);
    case Instrument::Bass: return BassNote(hz, len * 0.92, vel);
    case Instrument::Drum:
      return n.midi <= 36 ? DrumHit(100, 56, 0.025, 0.2, 0.5, vel, noise) : DrumHit(220, 160, 0.012, 0.07, 1.4, vel, noise);
    case Instrument::Shaker: return ShakerHit(vel, noise);
    case Instrument::Tambourine: return TambourineHit(vel, noise);
    case Instrument::Clap: return ClapHit(vel, noise);
    case Instrument::Pad: return PadNote(hz, len, vel, 0.35);
  }
  return {};
}

void ShapeBus(Instrument inst, Sound& bus) {
  switch (inst) {
    case Instrument::Reed:
    case Instrument::ReedChords:
      Filter(bus, Biquad::Peak(1500.0, 0.8, 3.0), true);
      Filter(bus, Biquad::HighShelf(6500.0, -5.0), true);
      Filter(bus, Biquad::HighPass(140.0), true);
      break;
    case Instrument::Pluck:
      Filter(bus, Biquad::Peak(210.0, 1.2, 3.0), true);
      Filter(bus, Biquad::HighPass(85.0), true);
      break;
    case Instrument::Bass:
      Filter(bus, Biquad::LowPass(1400.0), true);
      break;
    default:
      break;
  }
}

}  // namespace

Sound RenderScore(const Score& score) {
  const double eighth = score.EighthSeconds();
  Sound master = Sound::Stereo(score.Seconds());
  Sound send = Sound::Stereo(score.Seconds());
  for (const Part& part : score.parts) {
    Noise noise(score.name + "/" + part.name);
    Sound bus = Sound::Mono(score.Seconds());
    const bool drum = part.instrument == Instrument::Drum || part.instrument == Instrument::Shaker ||
                      part.instrument == Instrument::Tambourine || part.instrument == Instrument::Clap;
    const double jitter = part.instrument == Instrument::Reed ? 0.004 : drum ? 0.005 : 0.006;
    for (const Note& n : part.notes) {
      double vel = std::clamp(n.vel * (1.0 + 0.06 * noise.White()), 0.05, 1.2);
      double t = n.start * eighth + jitter * noise.White();
      MixMono(bus, RenderNote(part, n, eighth, vel, noise), t, 1.0, 0.0, true);
    }
    ShapeBus(part.instrument, bus);
    Mix(master, bus, 0.0, part.gain, part.pan);
    Mix(send, bus, 0.0, part.gain * part.reverbSend, part.pan);
  }
  Sound tail = ReverbOf(send, score.reverbRoom, 0.45, true);
  Mix(master, tail, 0.0, 1.0);
  DcBlock(master, true);
  return master;
}

}  // namespace bm::snd
