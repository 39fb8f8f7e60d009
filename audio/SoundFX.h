// Sound effects: sixty named cues read from "Sounds.ini", each with up to fifty
// instances opened at start-up, so playing one never touches the disk. A cue's
// file is kept as it is (Ogg Vorbis) and decoded by need: the cues that must sound
// at once (CueKeptDecoded) at loading, for the whole run; a place's sure cues
// (the map's ambience) when the player comes there (UseSounds); any other at its
// first play. A decoded sound is dropped again once the player is elsewhere or
// it has been quiet for kSfxQuietDropMs (Tidy, every pass).
//
// Use:
//   SoundFx sfx(*platform.sound, *platform.clock, logs, gameDir);
//   switch (sfx.StartSound()) {              // version check, then the default output at 44100 Hz
//     case SoundStart::BadVersion: show the message (shell/Startup.cpp), end the program;
//     case SoundStart::InitFailed: end the program (already logged);
//     case SoundStart::Ok: break;            // no output device still counts as Ok: silent, one log line
//   }
//   sfx.ApplySoundVolume(settings.SoundVolume, settings.SoundOn != 0);  // again whenever they change
//   sfx.LoadLogoSFX();   ...the logo...   sfx.loadAllSFX();
//   sfx.PlaySfx("ev_game_swap");            // from game events
//   sfx.PlaySfx("ev_map_sea", true);        // no-steal: silent when every instance is busy
//   sfx.PlaySfxOnce("ev_menu_over"); sfx.RearmSfx("ev_menu_over");
//   sfx.UseSounds(SoundPlace::Between, stage);  // a screen entered: what it needs decoded, the rest dropped
//   sfx.Tidy();                             // every pass
//   sfx.ReleaseAllSfx();                    // shut-down
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bonus/BonusKinds.h"
#include "platform/Audio.h"

namespace bm {

class Clock;
class Logs;

inline constexpr const char* kBadSoundVersionText = "An incorrect version of the sound library was loaded";
inline constexpr const char* kSoundInitFailedText = "Can't initialize digital sound system";
inline constexpr const char* kSoundsIniName = "Sounds.ini";

inline constexpr int kSfxMaxId = 100;
inline constexpr int kSfxMaxInstances = 50;

// The cues after the bonus side's (bonus/BonusKinds.h), in load order.
inline constexpr std::array<std::string_view, 38> kEventCueNames = {
    "ev_menu_over", "ev_menu_click",
    "ev_map_paper", "ev_map_sea", "ev_map_wind", "ev_map_forest", "ev_map_entrance", "ev_map_cricket",
    "ev_map_cave", "ev_map_gold", "ev_map_current",
    "ev_shop_open", "ev_shop_close", "ev_shop_key_take", "ev_shop_key_put", "ev_shop_key_fail",
    "ev_shop_star_take", "ev_shop_star_put", "ev_shop_star_fail", "ev_shop_stars_gold", "ev_shop_stars_blue",
    "ev_shop_stars_back", "ev_shop_stars", "ev_shop_bonus_over",
    "ev_game_hint", "ev_game_click", "ev_game_swap", "ev_game_collapse", "ev_game_wrong", "ev_game_fall",
    "ev_game_timeout", "ev_game_bal_pop", "ev_game_bal_fill",
    "complete_level", "complete_stage", "complete_game", "complete_timeisup", "complete_gameover",
};

inline constexpr int kSfxCueCount = int(1 + kBonusCues.size() + kEventCueNames.size());

// Load order: "ev_logo" alone before the logo, then the bonus side's cues and the rest.
inline constexpr std::array<std::string_view, kSfxCueCount> kSfxCueNames = [] {
  std::array<std::string_view, kSfxCueCount> names{};
  std::size_t at = 0;
  names[at++] = "ev_logo";
  for (std::string_view n : kBonusCues) names[at++] = n;
  for (std::string_view n : kEventCueNames) names[at++] = n;
  return names;
}();

// Where the player is, for the sounds decoded ahead and dropped.
enum class SoundPlace { Start, Menu, Play, Between };

// A decoded cue not of the place shown is dropped after this long without a play.
inline constexpr double kSfxQuietDropMs = 15000;

// Cues that must sound the moment they are asked for (the menu's and the board's
// clicks, swaps, falls and lines): decoded at loading and kept.
bool CueKeptDecoded(std::string_view name);
// Cues decoded when the player comes to place: the logo's sting, the map's
// sounds and the ambience of the stage (1-7) whose map shows.
bool CueDecodedAhead(std::string_view name, SoundPlace place, int stage);
// Cues of a place (decoded at their first play there, dropped when it is left).
bool CueOfPlace(std::string_view name, SoundPlace place);

struct SfxCue {
  int Id = 0;          // 0: not found, silent
  std::string Name;    // the lookup key: cue name and one blank ("bon_rum ")
  std::string File;    // as "Sounds.ini" gives it, e.g. "\SOUNDS\BON_RUM.WAV"
  int Instances = 1;   // as read; clamped only in the channel table
  bool Loaded = false;
  bool Latched = false;  // play-once latch
  bool Decoded = false;  // its sound is decoded on the device
};

struct SfxChannelSet {
  std::array<SoundHandle, kSfxMaxInstances + 1> Handle{};
  std::array<double, kSfxMaxInstances + 1> StartedAt{};  // clock ms of the last play; 0 never
  bool Ready = false;
  int Count = 1;  // 1..50
};

enum class SoundStart { Ok, BadVersion, InitFailed };

struct SoundFx {
  SoundFx(SoundDevice& device, Clock& clock, Logs& logs, std::string gameDir);

  // Start-up: the version check, then the default output at 44100 Hz.
  SoundStart StartSound();
  // Global effect volume from the settings (0..1); off is volume 0.
  void ApplySoundVolume(double soundVolume, bool soundOn = true);

  void LoadLogoSFX();
  void loadAllSFX();
  void PreLoadSFX();
  SfxCue loadSFX(const std::string& key);
  bool AssignSfx(int id, const std::string& file, int count);

  void PlaySfx(SfxCue& cue, bool noSteal = false);
  void PlaySfxOnce(SfxCue& cue);
  void RearmSfx(SfxCue& cue) { cue.Latched = false; }
  void DisarmSfx(SfxCue& cue) { cue.Latched = true; }
  void StopSfx(SfxCue& cue);
  bool IsSfxPlaying(const SfxCue& cue);

  // The same by cue name, as the game's call sites use them.
  void PlaySfx(std::string_view name, bool noSteal = false);
  void PlaySfxOnce(std::string_view name);
  void RearmSfx(std::string_view name);
  void DisarmSfx(std::string_view name);
  void StopSfx(std::string_view name);
  bool IsSfxPlaying(std::string_view name);

  int OldestSfxInstance(int id) const;
  void ReportSoundError(const std::string& message);
  // Shut-down: frees every instance.
  void ReleaseAllSfx();

  // The player came to place: its sure cues are decoded now, cues of other places
  // are dropped (a sounding one when it ends).
  void UseSounds(SoundPlace place, int stage = 0);
  // Drops what is due: cues of other places once quiet, and any cue (but those
  // kept decoded) quiet for kSfxQuietDropMs.
  void Tidy();
  // Cues decoded now.
  int CuesDecoded() const;

  // The cue of that name (without the blank); null and one log line for a name
  // that is not in the catalogue.
  SfxCue* Cue(std::string_view name);

  bool SoundReady = false;
  std::array<SfxCue, kSfxCueCount> Cues;  // in kSfxCueNames order
  std::array<SfxChannelSet, kSfxMaxId + 1> Channels;

 private:
  std::string SoundsIniPath() const;
  void LoadCue(int index);
  bool Decode(SfxCue& cue);
  void Drop(SfxCue& cue);
  // Play and stop failures come every frame from a broken device; only the first few are logged.
  void ReportPlayError(const std::string& message);

  SoundDevice& device_;
  Clock& clock_;
  Logs& logs_;
  std::string gameDir_;
  int appliedVolume_ = -1;
  SoundPlace place_ = SoundPlace::Start;
  int playErrorReports_ = 0;
  bool iniReadLogged_ = false;
  std::vector<std::string> unknownNames_;
};

// Leading number of text, like the hand-written ini files expect ("3 ; three" is 3,
// "x" is 0), rounded half to even and kept within 32 bits.
int LenientInt(const std::string& text);

}  // namespace bm
