// SIGTERM (log-out, system shut-down, kill), SIGINT (Ctrl-C in the terminal) and
// SIGHUP (the terminal went away) ask the game to end through its normal
// shut-down, from any screen, within a pass or two.
//
// The three signals are blocked in every thread and taken by one watcher thread
// with sigwait, so no game code ever runs in signal context. The watcher records
// the signal and calls the wake-up the running loop installed (the window pushes
// an event), so even an idle menu waiting for input notices at once.
#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <pthread.h>

namespace bm {

class StopSignals {
 public:
  // Blocks the signals in the calling thread and every thread started after it,
  // and starts the watcher. Build it first thing in main, before SDL starts threads.
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The first stop signal received, 0 while none.
  int Received() const { return received_.load(); }
  // Called on the watcher thread after a signal arrives; empty clears it.
  void SetWake(std::function<void()> wake);

  static const char* Name(int signal);

 private:
  void Watch();
  std::atomic<int> received_{0};
  std::atomic<bool> stopping_{false};
  std::mutex wakeMutex_;
  std::function<void()> wake_;
  pthread_t thread_{};
  bool started_ = false;
};

}  // namespace bm
