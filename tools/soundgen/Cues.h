// The sound cue catalogue: name, id, instance count and recipe of every cue, in
// the order the game loads them.
#pragma once
#include <string>
#include <vector>

#include "Sound.h"

namespace bm::snd {

enum class CueKind { OneShot, Loop };

struct Cue {
  const char* name;
  int id;
  int instances;
  CueKind kind;
  double loudDb;  // one-shots: loudest 100 ms window; loops: whole-file RMS
  Sound (*make)(Noise&);
  const char* note;  // what it is, for the comments in Sounds.ini
};

const std::vector<Cue>& CueTable();

// "sfx/bon_treasure.ogg": the file below the program folder, with forward slashes.
std::string CueFile(const Cue& cue);

// Builds and levels the cue's sound.
Sound RenderCue(const Cue& cue);

// The text of "Sounds.ini": section SFX, one line per cue, CR LF line ends.
std::string SoundsIniText();

}  // namespace bm::snd
