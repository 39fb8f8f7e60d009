// Music: three looping tracks opened at start-up that never really stop. Each
// slot fades between level 0 (silent) and 1 (full) by a step per tick; changing
// the music is only a matter of setting steps and delays.
//
// Use:
//   MusicMod music(*platform.music, *platform.clock, logs, gameDir);
//   music.MusicReady = true;                 // once the sound system has started
//   music.PreLoadMusic();                    // before the logo
//   music.MusicTick(settings.MusicOn != 0, settings.MusicVolume);   // once per drawn frame
//   music.PauseMusAll() / music.ResumeMusAll();                      // window inactive / active
//   menu:       music.FadeMusAll(-0.01, 0); music.PlayMusic(0, 0.05, 0, false);
//   continue:   music.FadeMusAll(-0.1, 0);  music.PlayMusic(MusicMod::StageTrack(stage), 0.1, 0, false);
//   level start (every call):  music.FadeMusAll(-0.01, 30);
//     then, when play begins:  first level of a stage: music.PlayMusic(MusicMod::StageTrack(stage), 1.0, 0, true);
//                              any other level:       music.PlayMusic(MusicMod::StageTrack(stage), 0.005, 0, false);
#pragma once
#include <array>
#include <string>

#include "platform/Audio.h"

namespace bm {

class Clock;
class Logs;

inline constexpr int kMusicSlots = 11;
inline constexpr int kMusicMenuSlot = 0;

struct MusicSlot {
  bool PauseRequested = false;
  bool Paused = false;
  double Step = 0;   // change of Level per tick
  double Delay = 0;  // ticks to wait
  double Level = 0;  // 0..1
  bool Wanted = false;
  bool Running = false;
  bool Looping = false;
  int LastSlot = 0;  // read from slot 0 only: the highest slot the tick visits
};

struct MusicMod {
  MusicMod(MusicDevice& device, Clock& clock, Logs& logs, std::string gameDir);

  // One track per slot on the music device; each returns true on success.
  // Opens an .ogg (.mp3, .wma) file silent, centred, at normal speed, at its start.
  bool LoadTrack(const std::string& file, int slot);
  bool PlayTrack(int slot);
  bool StopTrack(int slot);
  bool PauseTrack(int slot);
  bool SetTrackVolume(int volume, int slot);    // 0..100: -50 dB..0 dB
  bool SetTrackBalance(int balance, int slot);  // -100 (left)..100 (right)
  bool SetTrackSpeed(float speed, int slot);    // percent, at most 226
  // Only a position inside the track is taken; milliseconds comes back wrapped.
  bool SeekTrack(int slot, int hours, int minutes, int seconds, float& milliseconds);
  // A track that has reached its end starts again from the top.
  bool RewindAtEnd(int slot);

  void PreLoadMusic();
  // file: relative to the program folder, e.g. "music/track01.ogg" (backslashes
  // and any letter case, as data files write it, are found too).
  void AssignMedia(int slot, const std::string& file, bool looping);
  void PlayMusic(int slot, double step, double delay, bool restart);
  void FadeMusAll(double step, double delay);
  void PauseMusAll();
  void ResumeMusAll();
  // The slot of a stage's tune: odd stages 1, even stages 2, else the menu's 0.
  static int StageTrack(int stage);
  // Once per drawn frame: a fade tick when TickInterval has passed.
  void MusicTick(bool musicOn, double musicVolume);
  // One fade step of every slot: delays count down, tracks start, pause and resume.
  void FadeTick();

  std::array<MusicSlot, kMusicSlots> Slots;
  double MusicVolume = 1.0;  // the setting, 0..1
  bool MusicEnabled = false;  // the music-on setting as of the last MusicTick
  bool MusicReady = false;
  double LastTick = 0;
  double TickInterval = 15;

 private:
  int LastVisited() const;
  bool ValidSlot(int slot) const { return slot >= 0 && slot < kMusicSlots; }

  MusicDevice& device_;
  Clock& clock_;
  Logs& logs_;
  std::string gameDir_;
};

}  // namespace bm
