#include "platform/headless/HeadlessAudio.h"

#include <algorithm>

#include "platform/SoundFileInfo.h"

namespace bm {

// ---- effects ----

bool HeadlessSoundDevice::Init(int, int) {
  lastError_ = failInit_ ? sound_error::Driver : sound_error::Ok;
  return !failInit_;
}

void HeadlessSoundDevice::SetGlobalVolume(int volume) {
  volume_ = std::clamp(volume, 0, 100);
  lastError_ = sound_error::Ok;
}

HeadlessSoundDevice::Stream* HeadlessSoundDevice::Find(SoundHandle handle) {
  if (handle == 0 || handle > streams_.size() || !streams_[handle - 1].open) {
    lastError_ = sound_error::Handle;
    return nullptr;
  }
  return &streams_[handle - 1];
}

SoundHandle HeadlessSoundDevice::CreateStream(const std::string& path) {
  SoundFileInfo info = ReadSoundFileInfo(path);
  if (info.kind == SoundFileKind::Missing) {
    lastError_ = sound_error::FileOpen;
    return 0;
  }
  if (info.kind == SoundFileKind::Garbled) {
    lastError_ = sound_error::Format;
    return 0;
  }
  Stream s;
  s.open = true;
  s.path = path;
  s.lengthMs = info.kind == SoundFileKind::Other ? kUnknownLengthMs : info.seconds * 1000.0;
  for (const Stream& o : streams_)
    if (o.path == path) ++s.instance;
  streams_.push_back(s);
  lastError_ = sound_error::Ok;
  return SoundHandle(streams_.size());
}

bool HeadlessSoundDevice::PreBuffer(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  buffered_.insert(s->path);
  lastError_ = sound_error::Ok;
  return true;
}

bool HeadlessSoundDevice::Buffered(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  return buffered_.count(s->path) != 0;
}

bool HeadlessSoundDevice::Unbuffer(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  for (std::size_t i = 0; i < streams_.size(); ++i)
    if (streams_[i].open && streams_[i].path == s->path && IsPlaying(SoundHandle(i + 1))) return false;
  buffered_.erase(s->path);
  return true;
}

bool HeadlessSoundDevice::Play(SoundHandle handle, bool restart) {
  Stream* s = Find(handle);
  if (!s) return false;
  if (failPlays_) {
    lastError_ = sound_error::NoChannel;
    return false;
  }
  lastError_ = sound_error::Ok;
  if (!restart && IsPlaying(handle)) return true;
  s->playing = true;
  s->startedMs = clock_.ClockMs();
  bool buffered = !buffered_.insert(s->path).second;
  played_.push_back({handle, s->path, s->instance, restart, buffered});
  return true;
}

bool HeadlessSoundDevice::IsPlaying(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  lastError_ = sound_error::Ok;
  if (s->playing && clock_.ClockMs() - s->startedMs >= s->lengthMs) s->playing = false;
  return s->playing;
}

bool HeadlessSoundDevice::Stop(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  ++stopCalls_;
  if (failPlays_) {
    lastError_ = sound_error::Unknown;
    return false;
  }
  s->playing = false;
  lastError_ = sound_error::Ok;
  return true;
}

bool HeadlessSoundDevice::Free(SoundHandle handle) {
  Stream* s = Find(handle);
  if (!s) return false;
  std::string path = s->path;
  *s = Stream{};
  if (std::none_of(streams_.begin(), streams_.end(), [&](const Stream& o) { return o.open && o.path == path; }))
    buffered_.erase(path);
  lastError_ = sound_error::Ok;
  return true;
}

int HeadlessSoundDevice::StreamsOpen() const {
  return int(std::count_if(streams_.begin(), streams_.end(), [](const Stream& s) { return s.open; }));
}

std::unique_ptr<SoundDevice> MakeHeadlessSoundDevice(Clock& clock) {
  return std::make_unique<HeadlessSoundDevice>(clock);
}

// ---- music ----

HeadlessMusicDevice::Track* HeadlessMusicDevice::Loaded(int slot) {
  if (slot < 0 || slot >= kSlots || !tracks_[slot].loaded) return nullptr;
  return &tracks_[slot];
}

void HeadlessMusicDevice::Settle(Track& t) {
  double now = clock_.ClockMs();
  if (t.running) t.positionS = std::min(t.lengthS, t.positionS + (now - t.markMs) / 1000.0 * t.rate);
  t.markMs = now;
}

bool HeadlessMusicDevice::Load(int slot, const std::string& path) {
  if (slot < 0 || slot >= kSlots) return false;
  SoundFileInfo info = ReadSoundFileInfo(path);
  if (info.kind != SoundFileKind::OggVorbis) return false;
  Track t;
  t.loaded = true;
  t.path = path;
  t.lengthS = info.seconds;
  t.markMs = clock_.ClockMs();
  tracks_[slot] = t;
  return true;
}

bool HeadlessMusicDevice::IsLoaded(int slot) { return Loaded(slot) != nullptr; }

bool HeadlessMusicDevice::Run(int slot) {
  Track* t = Loaded(slot);
  if (!t) return false;
  Settle(*t);
  t->running = true;
  ++t->runCalls;
  return true;
}

bool HeadlessMusicDevice::Pause(int slot) {
  Track* t = Loaded(slot);
  if (!t) return false;
  Settle(*t);
  t->running = false;
  return true;
}

bool HeadlessMusicDevice::Stop(int slot) {
  Track* t = Loaded(slot);
  if (!t) return false;
  Settle(*t);
  t->running = false;
  t->positionS = 0;
  return true;
}

bool HeadlessMusicDevice::IsRunning(int slot) {
  Track* t = Loaded(slot);
  return t && t->running;
}

bool HeadlessMusicDevice::SetVolume(int slot, long hundredthsDb) {
  Track* t = Loaded(slot);
  if (!t) return false;
  t->volume = std::clamp(hundredthsDb, kMinVolume, kMaxVolume);
  return true;
}

long HeadlessMusicDevice::Volume(int slot) {
  Track* t = Loaded(slot);
  return t ? t->volume : kMinVolume;
}

bool HeadlessMusicDevice::SetBalance(int slot, long hundredthsDb) {
  Track* t = Loaded(slot);
  if (!t) return false;
  t->balance = std::clamp(hundredthsDb, -10000L, 10000L);
  return true;
}

bool HeadlessMusicDevice::SetRate(int slot, double rate) {
  Track* t = Loaded(slot);
  if (!t || !(rate > 0)) return false;
  Settle(*t);
  t->rate = rate;
  return true;
}

bool HeadlessMusicDevice::SetPosition(int slot, double seconds) {
  Track* t = Loaded(slot);
  if (!t || seconds < 0 || seconds > t->lengthS) return false;
  Settle(*t);
  t->positionS = seconds;
  return true;
}

bool HeadlessMusicDevice::Position(int slot, double& seconds) {
  Track* t = Loaded(slot);
  if (!t) return false;
  Settle(*t);
  seconds = t->positionS;
  return true;
}

bool HeadlessMusicDevice::StopTime(int slot, double& seconds) {
  Track* t = Loaded(slot);
  if (!t) return false;
  seconds = t->lengthS;
  return true;
}

long HeadlessMusicDevice::Balance(int slot) const {
  return slot >= 0 && slot < kSlots ? tracks_[slot].balance : 0;
}
double HeadlessMusicDevice::Rate(int slot) const { return slot >= 0 && slot < kSlots ? tracks_[slot].rate : 0; }
int HeadlessMusicDevice::RunCalls(int slot) const { return slot >= 0 && slot < kSlots ? tracks_[slot].runCalls : 0; }
const std::string& HeadlessMusicDevice::Path(int slot) const {
  static const std::string none;
  return slot >= 0 && slot < kSlots ? tracks_[slot].path : none;
}

std::unique_ptr<MusicDevice> MakeHeadlessMusicDevice(Clock& clock) {
  return std::make_unique<HeadlessMusicDevice>(clock);
}

}  // namespace bm
