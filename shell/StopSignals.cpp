#include "shell/StopSignals.h"

#include <csignal>

namespace bm {

namespace {

// SIGUSR2 only ends the watcher when the game is over.
sigset_t WatchedSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : {SIGTERM, SIGINT, SIGHUP, SIGUSR2}) sigaddset(&set, s);
  return set;
}

}  // namespace

StopSignals::StopSignals() {
  sigset_t set = WatchedSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  started_ = pthread_create(
                 &thread_, nullptr,
                 [](void* self) -> void* {
                   static_cast<StopSignals*>(self)->Watch();
                   return nullptr;
                 },
                 this) == 0;
}

StopSignals::~StopSignals() {
  if (started_) {
    stopping_ = true;
    pthread_kill(thread_, SIGUSR2);
    pthread_join(thread_, nullptr);
  }
  sigset_t set = WatchedSet();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

void StopSignals::SetWake(std::function<void()> wake) {
  std::lock_guard lock(wakeMutex_);
  wake_ = std::move(wake);
}

void StopSignals::Watch() {
  sigset_t set = WatchedSet();
  for (;;) {
    int signal = 0;
    if (sigwait(&set, &signal) != 0) continue;
    if (signal == SIGUSR2) {
      if (stopping_) return;
      continue;  // someone else's SIGUSR2 means nothing here
    }
    int none = 0;
    received_.compare_exchange_strong(none, signal);
    std::lock_guard lock(wakeMutex_);
    if (wake_) wake_();
  }
}

const char* StopSignals::Name(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
  }
}

}  // namespace bm
