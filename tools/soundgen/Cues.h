// The sound cue catalogue: name, id, instance count and recipe of every cue, in
// the order "Sounds.ini" lists them.
#pragma once
#include <string>
#include <vector>

#include "Sound.h"

namespace bm::snd {

enum class CueKind { OneShot, Loop };

struct Cue {
  const char* name;
  int instances;
  CueKind kind;
  double loudDb;  // one-shots: loudest 100 ms window; loops: whole-file RMS
  Sound (*make)(Noise&);
  const char* note;  // what it is, for the comments in Sounds.ini
  int id = 0;        // "Sounds.ini"'s: the place in CueTable, from 1
};

// Every cue in the order the game loads them, with its id.
const std::vector<Cue>& CueTable();

// The recipes of the bonus side's cues (SfxBonus.cpp), by name; the game's
// bonus table (bonus/BonusKinds.h) lists their order.
const std::vector<Cue>& BonusCueRecipes();
// The bonus cues the table lists without a recipe, and the recipes it does not
// list; empty when the two agree.
std::string MissingBonusCues();

// "sfx/bon_treasure.ogg": the file below the program folder, with forward slashes.
std::string CueFile(const Cue& cue);

// Builds and levels the cue's sound.
Sound RenderCue(const Cue& cue);

// The text of "Sounds.ini": section SFX, one line per cue, CR LF line ends.
std::string SoundsIniText();

}  // namespace bm::snd
