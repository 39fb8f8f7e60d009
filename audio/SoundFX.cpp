#include "audio/SoundFX.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "audio/ResolveGameFile.h"
#include "diag/LogTags.h"
#include "diag/Logs.h"
#include "platform/Platform.h"
#include "io/IniReader.h"

namespace bm {

namespace {

constexpr int kMaxPlayErrorReports = 20;

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> SplitCommas(const std::string& s) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = s.find(',', start);
    items.push_back(Trim(s.substr(start, comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

}  // namespace

int LenientInt(const std::string& text) {
  std::size_t i = 0, n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) {
      i = j;
      while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    }
  }
  double v = std::strtod(text.substr(start, i - start).c_str(), nullptr);
  v = std::nearbyint(std::clamp(v, -2147483648.0, 2147483647.0));
  return int(v);
}

SoundFx::SoundFx(SoundDevice& device, Clock& clock, Logs& logs, std::string gameDir)
    : device_(device), clock_(clock), logs_(logs), gameDir_(std::move(gameDir)) {
  for (int i = 0; i < kSfxCueCount; ++i) Cues[i].Name = std::string(kSfxCueNames[i]) + " ";
}

std::string SoundFx::SoundsIniPath() const { return ResolveGameFile(gameDir_, kSoundsIniName); }

SoundStart SoundFx::StartSound() {
  if (!device_.VersionOk()) {
    logs_.WriteRunLog(logtag::kFormLoad, kBadSoundVersionText, true);
    return SoundStart::BadVersion;
  }
  if (!device_.Init(-1, 44100)) {
    ReportSoundError(kSoundInitFailedText);
    return SoundStart::InitFailed;
  }
  SoundReady = true;
  return SoundStart::Ok;
}

void SoundFx::ApplySoundVolume(double soundVolume, bool soundOn) {
  if (!std::isfinite(soundVolume)) soundVolume = 0;
  int volume = soundOn ? int(std::nearbyint(std::clamp(soundVolume, 0.0, 1.0) * 100)) : 0;
  if (volume == appliedVolume_) return;
  appliedVolume_ = volume;
  device_.SetGlobalVolume(volume);
}

void SoundFx::ReportSoundError(const std::string& message) {
  logs_.WriteRunLog("Unknown: " + message, "BASS Error_: " + std::to_string(device_.LastError()), false);
}

void SoundFx::ReportPlayError(const std::string& message) {
  if (playErrorReports_ > kMaxPlayErrorReports) return;
  if (++playErrorReports_ > kMaxPlayErrorReports) {
    logs_.WriteRunLog("SoundFX", "Too many sound errors; no more are logged in this run", false);
    return;
  }
  ReportSoundError(message);
}

// ---- loading ----

SfxCue SoundFx::loadSFX(const std::string& key) {
  SfxCue cue;
  cue.Name = key;
  // An unreadable catalogue is told once, not once per cue.
  std::string value = ReadIniSectionValue(SoundsIniPath(), "SFX", key, iniReadLogged_ ? nullptr : &logs_);
  iniReadLogged_ = true;
  if (value.empty()) ReportSoundError("Record Not Found: " + key);
  std::vector<std::string> items = SplitCommas(value);
  cue.Id = LenientInt(items[0]);
  cue.File = items.size() > 1 ? items[1] : "";
  cue.Instances = items.size() > 2 ? LenientInt(items[2]) : 1;
  cue.Loaded = AssignSfx(cue.Id, cue.File, cue.Instances);
  cue.Latched = false;
  return cue;
}

bool SoundFx::AssignSfx(int id, const std::string& file, int count) {
  // Ids past the channel table would write outside it.
  if (id < 1 || id > kSfxMaxId) {
    ReportSoundError("Can't Assign SFX");
    return false;
  }
  SfxChannelSet& set = Channels[id];
  if (set.Ready || set.Handle[0] != 0) {
    logs_.WriteRunLog("AssignSfx", "Sound id " + std::to_string(id) + " is given twice; " + file + " replaces it",
                      false);
    for (int i = 0; i < set.Count; ++i)
      if (set.Handle[i]) device_.Free(set.Handle[i]);
    set = SfxChannelSet{};
  }
  count = std::clamp(count, 1, kSfxMaxInstances);
  set.Count = count;
  set.StartedAt.fill(0);
  std::string path = ResolveGameFile(gameDir_, file);
  // The first failure counts: a later instance that opens must not hide it.
  int error = 0;
  for (int i = 0; i < count; ++i) {
    set.Handle[i] = device_.CreateStream(path);
    if (error == 0) error = device_.LastError();
  }
  if (error != 0) {
    logs_.WriteRunLog("Unknown", "BASS: " + std::to_string(id) + "," + file + "," + std::to_string(count) + "," +
                                     std::to_string(error),
                      false);
    for (int i = 0; i < count; ++i)
      if (set.Handle[i]) device_.Free(set.Handle[i]);
    set.Handle.fill(0);
  }
  set.Ready = error == 0;
  return set.Ready;
}

void SoundFx::LoadCue(int index) {
  Cues[index] = loadSFX(std::string(kSfxCueNames[index]) + " ");
  std::string_view name = kSfxCueNames[index];
  if (CueKeptDecoded(name) || CueDecodedAhead(name, place_, 0)) Decode(Cues[index]);
}

void SoundFx::LoadLogoSFX() { LoadCue(0); }

// ---- decoded by need ----

bool CueKeptDecoded(std::string_view name) {
  static constexpr std::string_view kAtOnce[] = {"ev_menu_over", "ev_menu_click",    "ev_game_click", "ev_game_swap",
                                                 "ev_game_wrong", "ev_game_collapse", "ev_game_fall"};
  return std::find(std::begin(kAtOnce), std::end(kAtOnce), name) != std::end(kAtOnce);
}

bool CueOfPlace(std::string_view name, SoundPlace place) {
  auto starts = [&](std::string_view head) { return name.substr(0, head.size()) == head; };
  switch (place) {
    case SoundPlace::Start: return name == "ev_logo";
    case SoundPlace::Menu: return starts("ev_menu_");
    case SoundPlace::Play: return starts("ev_game_") || starts("bon_") || starts("complete_");
    case SoundPlace::Between: return starts("ev_map_") || starts("ev_shop_");
  }
  return false;
}

bool CueDecodedAhead(std::string_view name, SoundPlace place, int stage) {
  static constexpr std::string_view kAmbience[] = {"ev_map_sea",     "ev_map_wind", "ev_map_forest", "ev_map_entrance",
                                                   "ev_map_cricket", "ev_map_cave", "ev_map_gold"};
  switch (place) {
    case SoundPlace::Start: return name == "ev_logo";
    case SoundPlace::Between:
      if (name == "ev_map_paper" || name == "ev_map_current") return true;
      return stage >= 1 && stage <= 7 && name == kAmbience[stage - 1];
    case SoundPlace::Menu:
    case SoundPlace::Play: break;
  }
  return false;
}

bool SoundFx::Decode(SfxCue& cue) {
  if (cue.Decoded) return true;
  if (!cue.Loaded || cue.Id < 1 || cue.Id > kSfxMaxId || !Channels[cue.Id].Ready) return false;
  // The instances share one decoded sound.
  if (!device_.PreBuffer(Channels[cue.Id].Handle[0])) {
    ReportPlayError("Can't decode " + cue.File);
    return false;
  }
  cue.Decoded = true;
  return true;
}

void SoundFx::Drop(SfxCue& cue) {
  if (!cue.Decoded || !Channels[cue.Id].Ready) return;
  if (device_.Unbuffer(Channels[cue.Id].Handle[0])) cue.Decoded = false;
}

void SoundFx::UseSounds(SoundPlace place, int stage) {
  place_ = place;
  for (int i = 0; i < kSfxCueCount; ++i) {
    std::string_view name = kSfxCueNames[i];
    if (CueKeptDecoded(name)) continue;
    if (CueDecodedAhead(name, place, stage))
      Decode(Cues[i]);
    else if (!CueOfPlace(name, place))
      Drop(Cues[i]);
  }
}

void SoundFx::Tidy() {
  double now = clock_.ClockMs();
  for (int i = 0; i < kSfxCueCount; ++i) {
    SfxCue& cue = Cues[i];
    if (!cue.Decoded || CueKeptDecoded(kSfxCueNames[i])) continue;
    const SfxChannelSet& set = Channels[cue.Id];
    double last = *std::max_element(set.StartedAt.begin(), set.StartedAt.begin() + set.Count);
    if (!CueOfPlace(kSfxCueNames[i], place_) || now - last >= kSfxQuietDropMs) Drop(cue);
  }
}

int SoundFx::CuesDecoded() const {
  return int(std::count_if(Cues.begin(), Cues.end(), [](const SfxCue& c) { return c.Decoded; }));
}

void SoundFx::PreLoadSFX() {
  for (int i = 1; i < kSfxCueCount; ++i) LoadCue(i);
}

void SoundFx::loadAllSFX() { PreLoadSFX(); }

void SoundFx::ReleaseAllSfx() {
  for (int id = 1; id <= kSfxMaxId; ++id) {
    SfxChannelSet& set = Channels[id];
    for (int i = 0; i < set.Count; ++i)
      if (set.Handle[i]) device_.Free(set.Handle[i]);
    set = SfxChannelSet{};
  }
  for (SfxCue& cue : Cues) cue.Loaded = cue.Decoded = false;
}

// ---- playing ----

int SoundFx::OldestSfxInstance(int id) const {
  if (id < 0 || id > kSfxMaxId) return 0;
  const SfxChannelSet& set = Channels[id];
  int best = 0;
  for (int i = 1; i < set.Count; ++i)
    if (set.StartedAt[i] < set.StartedAt[best]) best = i;
  return best;
}

void SoundFx::PlaySfx(SfxCue& cue, bool noSteal) {
  if (!SoundReady || !cue.Loaded || cue.Id < 1 || cue.Id > kSfxMaxId) return;
  SfxChannelSet& set = Channels[cue.Id];
  if (!set.Ready) return;
  // A cue not decoded ahead is decoded by the device as it starts.
  for (int i = 0; i < set.Count; ++i) {
    if (device_.IsPlaying(set.Handle[i])) continue;
    if (!device_.Play(set.Handle[i], false)) ReportPlayError("Can't play stream");
    else cue.Decoded = true;
    set.StartedAt[i] = clock_.ClockMs();
    return;
  }
  if (noSteal) return;
  int j = OldestSfxInstance(cue.Id);
  if (!device_.Play(set.Handle[j], true)) ReportPlayError("Can't play stream");
  else cue.Decoded = true;
  set.StartedAt[j] = clock_.ClockMs();
}

void SoundFx::PlaySfxOnce(SfxCue& cue) {
  if (cue.Latched) return;
  cue.Latched = true;
  PlaySfx(cue, false);
}

void SoundFx::StopSfx(SfxCue& cue) {
  if (!SoundReady || !cue.Loaded || cue.Id < 1 || cue.Id > kSfxMaxId) return;
  SfxChannelSet& set = Channels[cue.Id];
  for (int i = 0; i < set.Count; ++i)
    if (device_.IsPlaying(set.Handle[i]) && !device_.Stop(set.Handle[i])) ReportPlayError("Can't stop stream");
}

bool SoundFx::IsSfxPlaying(const SfxCue& cue) {
  if (!SoundReady || !cue.Loaded || cue.Id < 1 || cue.Id > kSfxMaxId) return false;
  const SfxChannelSet& set = Channels[cue.Id];
  for (int i = 0; i < set.Count; ++i)
    if (device_.IsPlaying(set.Handle[i])) return true;
  return false;
}

// ---- by name ----

SfxCue* SoundFx::Cue(std::string_view name) {
  for (int i = 0; i < kSfxCueCount; ++i)
    if (kSfxCueNames[i] == name) return &Cues[i];
  if (std::find(unknownNames_.begin(), unknownNames_.end(), name) == unknownNames_.end()) {
    unknownNames_.emplace_back(name);
    logs_.WriteRunLog("SoundFX", "No sound cue is called \"" + std::string(name) + "\"", false);
  }
  return nullptr;
}

void SoundFx::PlaySfx(std::string_view name, bool noSteal) {
  if (SfxCue* c = Cue(name)) PlaySfx(*c, noSteal);
}
void SoundFx::PlaySfxOnce(std::string_view name) {
  if (SfxCue* c = Cue(name)) PlaySfxOnce(*c);
}
void SoundFx::RearmSfx(std::string_view name) {
  if (SfxCue* c = Cue(name)) RearmSfx(*c);
}
void SoundFx::DisarmSfx(std::string_view name) {
  if (SfxCue* c = Cue(name)) DisarmSfx(*c);
}
void SoundFx::StopSfx(std::string_view name) {
  if (SfxCue* c = Cue(name)) StopSfx(*c);
}
bool SoundFx::IsSfxPlaying(std::string_view name) {
  SfxCue* c = Cue(name);
  return c && IsSfxPlaying(*c);
}

}  // namespace bm
