#include "audio/MusicMod.h"

#include <algorithm>
#include <cmath>

#include "audio/ResolveGameFile.h"
#include "diag/Logs.h"
#include "platform/Platform.h"

namespace bm {

namespace {

bool EndsWith(const std::string& s, const char* tail) {
  std::string t(tail);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

}  // namespace

MusicMod::MusicMod(MusicDevice& device, Clock& clock, Logs& logs, std::string gameDir)
    : device_(device), clock_(clock), logs_(logs), gameDir_(std::move(gameDir)) {
  Slots[0].LastSlot = kMusicSlots - 1;
}

int MusicMod::LastVisited() const { return std::clamp(Slots[0].LastSlot, -1, kMusicSlots - 1); }

// ---- one track per slot ----

bool MusicMod::LoadTrack(const std::string& file, int slot) {
  if (!ValidSlot(slot)) return false;
  if (!EndsWith(file, ".mp3") && !EndsWith(file, ".wma") && !EndsWith(file, ".ogg")) return false;
  if (!device_.Load(slot, file)) return false;
  device_.SetVolume(slot, 0);
  device_.SetBalance(slot, 0);
  device_.SetRate(slot, 1.0);
  device_.SetPosition(slot, 0);
  return true;
}

bool MusicMod::PlayTrack(int slot) { return device_.Run(slot); }

bool MusicMod::StopTrack(int slot) { return device_.Stop(slot); }

bool MusicMod::PauseTrack(int slot) { return device_.Pause(slot); }

bool MusicMod::SetTrackVolume(int volume, int slot) {
  volume = std::clamp(volume, 0, 100);
  return device_.SetVolume(slot, long(volume) * 5000 / 100 - 5000);
}

bool MusicMod::SetTrackBalance(int balance, int slot) {
  return device_.SetBalance(slot, long(std::clamp(balance, -100, 100)) * 100);
}

bool MusicMod::SetTrackSpeed(float speed, int slot) {
  if (!(speed > 0)) speed = 0;  // NaN too
  if (speed > 226) speed = 226;
  return device_.SetRate(slot, speed / 100.0);
}

bool MusicMod::SeekTrack(int slot, int hours, int minutes, int seconds, float& milliseconds) {
  minutes %= 60;
  seconds %= 60;
  double whole = std::trunc(double(milliseconds));
  double fraction = double(milliseconds) - whole;
  milliseconds = float(std::fmod(std::nearbyint(whole), 1000.0) + fraction);
  double position = hours * 3600.0 + minutes * 60.0 + seconds + milliseconds * 0.001;
  double stop = 0;
  if (!device_.StopTime(slot, stop)) return false;
  if (!(position > 0 && position < stop)) return false;
  return device_.SetPosition(slot, position);
}

bool MusicMod::RewindAtEnd(int slot) {
  double position = 0, stop = 0;
  if (!device_.Position(slot, position) || !device_.StopTime(slot, stop)) return false;
  if (position >= stop) return device_.SetPosition(slot, 0);
  return true;
}

// ---- music operations ----

void MusicMod::PreLoadMusic() {
  AssignMedia(0, "music/track-menu.ogg", true);
  AssignMedia(1, "music/track01.ogg", true);
  AssignMedia(2, "music/track02.ogg", true);
}

void MusicMod::AssignMedia(int slot, const std::string& file, bool looping) {
  if (!ValidSlot(slot)) return;
  Slots[slot].Level = 0;
  Slots[slot].Looping = looping;
  if (!LoadTrack(ResolveGameFile(gameDir_, file), slot))
    logs_.WriteRunLog("AssignMedia", "Can't load music " + file + " into slot " + std::to_string(slot), false);
  SetTrackVolume(int(std::nearbyint(MusicVolume * 100 * Slots[slot].Level)), slot);
  SetTrackBalance(0, slot);
  SetTrackSpeed(100, slot);
}

void MusicMod::PlayMusic(int slot, double step, double delay, bool restart) {
  if (!ValidSlot(slot)) return;
  MusicSlot& m = Slots[slot];
  m.Step = step;
  m.Delay = delay;
  if (!MusicReady) return;
  if (restart) StopTrack(slot);
  m.Running = false;
  m.Wanted = true;
}

void MusicMod::FadeMusAll(double /*step*/, double delay) {
  // Every slot fades out at the same pace whatever the caller asks.
  for (MusicSlot& m : Slots) {
    m.Delay = delay;
    m.Step = -0.01;
  }
}

void MusicMod::PauseMusAll() {
  for (int s = 0; s <= LastVisited(); ++s) Slots[s].PauseRequested = true;
  // With music off the tick stays still, pauses included.
  if (MusicEnabled) FadeTick();
}

void MusicMod::ResumeMusAll() {
  for (int s = 0; s <= LastVisited(); ++s) Slots[s].PauseRequested = false;
}

int MusicMod::StageTrack(int stage) {
  switch (stage) {
    case 1: case 3: case 5: case 7: return 1;
    case 2: case 4: case 6: return 2;
    default: return 0;
  }
}

void MusicMod::MusicTick(bool musicOn, double musicVolume) {
  MusicVolume = std::isfinite(musicVolume) ? std::clamp(musicVolume, 0.0, 1.0) : 0.0;
  bool wasEnabled = MusicEnabled;
  MusicEnabled = musicOn;
  // Switching music off must be heard: the frozen tick alone would leave the
  // tracks playing at their last volume. The slots keep their state.
  if (wasEnabled && !MusicEnabled)
    for (int s = 0; s < kMusicSlots; ++s) device_.SetVolume(s, MusicDevice::kMinVolume);
  if (MusicEnabled && clock_.ClockMs() > LastTick + TickInterval) FadeTick();
}

void MusicMod::FadeTick() {
  LastTick = clock_.ClockMs();
  TickInterval = 15;
  int last = LastVisited();
  for (int s = 0; s <= last; ++s) {
    MusicSlot& m = Slots[s];
    if (m.Delay > 0) {
      m.Delay -= 1;
      if (m.Delay < 0) m.Delay = 0;
    } else {
      if (m.Wanted && !m.Running) {
        m.Running = true;
        PlayTrack(s);
      }
      if (m.PauseRequested && !m.Paused) {
        PauseTrack(s);
        m.Paused = true;
      }
      if (m.Paused && !m.PauseRequested) {
        PlayTrack(s);
        m.Paused = false;
      }
      m.Level += m.Step;
      if (m.Level < 0) {
        m.Level = 0;
        m.Step = 0;
        m.Wanted = false;
      }
      if (m.Level > 1) {
        m.Level = 1;
        m.Step = 1;
      }
      SetTrackVolume(int(std::nearbyint(MusicVolume * 100 * m.Level)), s);
    }
    if (m.Looping) RewindAtEnd(s);
  }
}

}  // namespace bm
