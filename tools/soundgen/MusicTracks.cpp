#include "MusicTracks.h"

#include <cstdio>

namespace bm::snd {

namespace {

struct Section {
  const char* chords;  // two per bar
  const char* melody;  // six eighths per bar
};

// Who plays in one pass through a section.
struct Role {
  bool reedLead = true;
  bool pluckLead = false;
  bool harmony = false;
  bool leftHand = false;
  bool arpeggio = false;
  bool strum = false;
  bool pad = false;
  bool walk = false;
  double leadVel = 0.8;
  const char* drum = "";
  const char* slap = "";
  const char* shaker = "";
  const char* tambourine = "";
  const char* clap = "";
};

Score NewScore(const char* name, double eighthsPerMinute, int bars, double room) {
  Score s;
  s.name = name;
  s.eighthsPerMinute = eighthsPerMinute;
  s.bars = bars;
  s.reverbRoom = room;
  auto add = [&](const char* n, Instrument i, double gain, double pan, double send) {
    Part p;
    p.name = n;
    p.instrument = i;
    p.gain = gain;
    p.pan = pan;
    p.reverbSend = send;
    s.parts.push_back(p);
  };
  add("lead", Instrument::Reed, 0.55, 0.05, 0.25);
  add("pluckLead", Instrument::Pluck, 1.4, -0.15, 0.25);
  add("harmony", Instrument::Reed, 0.32, 0.3, 0.3);
  add("leftHand", Instrument::ReedChords, 0.22, 0.35, 0.2);
  add("guitar", Instrument::Pluck, 0.42, -0.4, 0.2);
  add("pad", Instrument::Pad, 0.18, 0.0, 0.4);
  add("bass", Instrument::Bass, 0.42, 0.0, 0.05);
  add("drum", Instrument::Drum, 0.42, 0.0, 0.12);
  add("slap", Instrument::Drum, 0.5, -0.2, 0.12);
  add("shaker", Instrument::Shaker, 0.7, 0.45, 0.1);
  add("tambourine", Instrument::Tambourine, 0.4, -0.45, 0.15);
  add("clap", Instrument::Clap, 0.6, 0.15, 0.25);
  // Soft thumb strokes for the accompaniment, a brighter pick for a tune.
  s.Get("guitar").brightness = 0.3;
  s.Get("pluckLead").brightness = 0.45;
  return s;
}

void Place(Score& s, int bar, const Section& sec, const Role& r) {
  std::vector<Chord> chords = ParseChords(sec.chords);
  const int bars = int(chords.size() / 2);
  Part melody;
  melody.name = s.name + " melody";
  if (AddMelody(melody, bar, sec.melody, 0, r.leadVel) != bars * 6)
    std::fprintf(stderr, "soundgen: %s: melody at bar %d does not fill its %d bars\n", s.name.c_str(), bar, bars);
  if (r.reedLead) s.Get("lead").notes.insert(s.Get("lead").notes.end(), melody.notes.begin(), melody.notes.end());
  if (r.pluckLead) {
    Part& p = s.Get("pluckLead");
    p.notes.insert(p.notes.end(), melody.notes.begin(), melody.notes.end());
  }
  if (r.harmony) AddHarmony(s.Get("harmony"), melody, bar, bars, chords, 0.8);
  if (r.leftHand) AddLeftHand(s.Get("leftHand"), bar, chords, 0.7);
  if (r.arpeggio) AddArpeggio(s.Get("guitar"), bar, chords, 0.7);
  if (r.strum) AddStrum(s.Get("guitar"), bar, chords, 0.75);
  if (r.pad) AddPad(s.Get("pad"), bar, chords, 0.6);
  AddBass(s.Get("bass"), bar, chords, 0.85, r.walk);
  AddBeat(s.Get("drum"), bar, bars, r.drum, 36);
  AddBeat(s.Get("slap"), bar, bars, r.slap, 38);
  AddBeat(s.Get("shaker"), bar, bars, r.shaker);
  AddBeat(s.Get("tambourine"), bar, bars, r.tambourine);
  AddBeat(s.Get("clap"), bar, bars, r.clap);
}

}  // namespace

Score MenuTrack() {
  // D minor, dotted quarter = 60: 32 bars of two seconds.
  const Section a{"Dm Dm | C C | Bb Bb | A A | Dm Dm | Gm C | F A7 | Dm Dm",
                  "A4 - D5 F5 - E5 | E5 - C5 G4 - - | F4 - Bb4 D5 - C5 | C#5 - - A4 - - |"
                  "A4 - D5 F5 - G5 | G5 - F5 E5 - C5 | F5 - A4 E5 - C#5 | D5 - - - C5 Bb4"};
  const Section b{"F F | C C | Dm Dm | Bb A | F F | C C | Gm A7 | Dm Dm",
                  "C5 - F5 A5 - G5 | G5 - E5 C5 - D5 | F5 - D5 A4 - D5 | D5 - Bb4 C#5 - - |"
                  "A4 - C5 F5 - E5 | G5 - F5 E5 - G5 | G5 - D5 E5 - C#5 | D5 - - - C5 Bb4"};
  // The last pass turns on the dominant so the loop falls back into bar one.
  const Section aEnd{"Dm Dm | C C | Bb Bb | A A | Dm Dm | Gm C | F A7 | Dm A7",
                     "A4 - D5 F5 - E5 | E5 - C5 G4 - - | F4 - Bb4 D5 - C5 | C#5 - - A4 - - |"
                     "A4 - D5 F5 - G5 | G5 - F5 E5 - C5 | F5 - A4 E5 - C#5 | D5 - - E5 - C#5"};
  Score s = NewScore("track-menu", 180, 32, 0.78);
  Role r1;
  r1.leadVel = 0.7;
  r1.arpeggio = true;
  r1.pad = true;
  r1.drum = "o.....";
  r1.shaker = "o..o..";
  Place(s, 0, a, r1);
  Role r2;
  r2.reedLead = false;
  r2.pluckLead = true;
  r2.harmony = true;
  r2.arpeggio = true;
  r2.drum = "x.....";
  r2.shaker = "o.oo.o";
  Place(s, 8, a, r2);
  Role r3;
  r3.harmony = true;
  r3.arpeggio = true;
  r3.pad = true;
  r3.walk = true;
  r3.drum = "x..o..";
  r3.shaker = "xooxoo";
  r3.tambourine = "..o..o";
  Place(s, 16, b, r3);
  Role r4 = r3;
  r4.leftHand = true;
  r4.pad = false;
  r4.walk = false;
  r4.drum = "x..x..";
  Place(s, 24, aEnd, r4);
  return s;
}

Score StageTrackA() {
  // G major, dotted quarter = 100: 52 bars of 1.2 seconds.
  const Section a{"G G | D D | Em Em | C D | G G | C C | D D | G G",
                  "D5 B4 D5 G5 - D5 | F#5 E5 D5 A4 - D5 | E5 F#5 G5 B4 - E5 | C5 D5 E5 D5 - - |"
                  "B4 A4 G4 D5 - B4 | C5 D5 E5 G5 - E5 | D5 E5 F#5 A5 - F#5 | G5 - - B4 A4 C5"};
  const Section b{"C C | G G | Am Am | D D | C C | G Em | Am D | G G",
                  "E5 - C5 G5 - E5 | D5 - B4 G4 - B4 | C5 - E5 A5 - G5 | F#5 - - D5 - - |"
                  "E5 F#5 G5 C5 - E5 | D5 C5 B4 E5 - G5 | A5 - G5 F#5 - E5 | G5 - - - - -"};
  const Section c{"Em Em | C C | G G | D D | Em Em | C D | G Em | Am D",
                  "B4 - E5 G5 - F#5 | E5 - - C5 - - | B4 - D5 G5 - F#5 | F#5 - - A4 - - |"
                  "G4 - B4 E5 - D5 | C5 - E5 D5 - A4 | B4 - D5 E5 - G5 | A5 - G5 F#5 - -"};
  // Four bars that hand back to the top through D7.
  const Section tag{"G G | C C | G G | D7 D7", "G5 - - D5 - - | E5 - - C5 - - | B4 - - D5 - - | F#5 - E5 D5 - C5"};
  Score s = NewScore("track01", 300, 52, 0.6);
  Role a1;
  a1.strum = true;
  a1.walk = true;
  a1.drum = "X..x..";
  a1.shaker = "xoxxox";
  Place(s, 0, a, a1);
  Role a2 = a1;
  a2.harmony = true;
  a2.leftHand = true;
  a2.slap = "...x..";
  a2.tambourine = "..x..x";
  Place(s, 8, a, a2);
  Role b1 = a1;
  b1.clap = "...x..";
  b1.tambourine = "..o..o";
  Place(s, 16, b, b1);
  Role b2 = b1;
  b2.reedLead = false;
  b2.pluckLead = true;
  b2.harmony = true;
  b2.leftHand = true;
  Place(s, 24, b, b2);
  Role c1;
  c1.reedLead = false;
  c1.pluckLead = true;
  c1.arpeggio = true;
  c1.pad = true;
  c1.drum = "o.....";
  c1.shaker = "o.oo.o";
  Place(s, 32, c, c1);
  Role a3 = a2;
  a3.clap = "...x..";
  Place(s, 40, a, a3);
  Role t = a1;
  t.drum = "X..X..";
  t.tambourine = "..x..x";
  Place(s, 48, tag, t);
  return s;
}

Score StageTrackB() {
  // A minor, dotted quarter = 84: 44 bars of about 1.43 seconds.
  const Section a{"Am Am | G G | Am Am | E E | Am Am | G G | F E | Am Am",
                  "A4 - C5 E5 - D5 | D5 - B4 G4 - B4 | C5 - B4 A4 - E5 | G#4 - B4 E5 - - |"
                  "A4 - C5 E5 - A5 | G5 - F5 D5 - B4 | C5 - A4 B4 - G#4 | A4 - - - - E4"};
  const Section b{"C C | G G | Am Am | Em Em | F F | C C | Dm E | Am E",
                  "G5 - - E5 - C5 | D5 - B4 G4 - - | C5 - E5 A5 - G5 | G5 - - B4 - - |"
                  "A4 - C5 F5 - E5 | E5 - D5 C5 - G4 | F5 - D5 B4 - G#4 | A4 - - B4 - -"};
  const Section c{"Dm Dm | Am Am | G G | C E | Dm Dm | Am Am | F E | Am Am",
                  "F5 - - D5 - A4 | C5 - - E5 - - | B4 - D5 G5 - - | E5 - C5 B4 - G#4 |"
                  "A4 - D5 F5 - E5 | E5 - C5 A4 - C5 | A4 - C5 B4 - G#4 | A4 - - - - E4"};
  const Section turn{"Am Am | G G | F F | E E", "E5 - - C5 - - | D5 - - B4 - - | C5 - - A4 - - | B4 - - G#4 - E4"};
  Score s = NewScore("track02", 252, 44, 0.65);
  Role a1;
  a1.strum = true;
  a1.walk = true;
  a1.drum = "X..X..";
  a1.clap = "...x..";
  a1.shaker = "oxxoxx";
  Place(s, 0, a, a1);
  Role a2;
  a2.reedLead = false;
  a2.pluckLead = true;
  a2.harmony = true;
  a2.leftHand = true;
  a2.walk = true;
  a2.drum = "X..x..";
  a2.shaker = "oxxoxx";
  Place(s, 8, a, a2);
  Role b1 = a1;
  b1.harmony = true;
  b1.tambourine = "..x..x";
  b1.slap = "..o..o";
  Place(s, 16, b, b1);
  Role c1;
  c1.leadVel = 0.7;
  c1.arpeggio = true;
  c1.pad = true;
  c1.drum = "x.....";
  c1.shaker = "o..o..";
  Place(s, 24, c, c1);
  Role b2 = b1;
  b2.leftHand = true;
  Place(s, 32, b, b2);
  Role t = a1;
  t.tambourine = "..x..x";
  Place(s, 40, turn, t);
  return s;
}

}  // namespace bm::snd
