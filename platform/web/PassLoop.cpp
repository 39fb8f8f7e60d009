#include "platform/web/PassLoop.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdint>

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "platform/Platform.h"

extern "C" {
void bm_files_sync();
void bm_files_keep();
void bm_page_pass_time(double ms);
}

namespace bm {

namespace {

constexpr double kFrameMs = 1000.0 / 60;
constexpr double kStepsMs = 10;
// A closing program ends within a pass or two; this many is a stuck one.
constexpr int kClosingPasses = 100;

struct Loop {
  Clock* clock = nullptr;
  std::function<PassResult()> pass;
  long frameRequest = 0;
  long timer = 0;
  long immediate = 0;
  bool finished = false, closing = false;
  std::uint64_t writesSynced = 0;
};
Loop loop;

void RequestFrame();

std::uint64_t Writes() { return AtomicWritesDone() + LogLinesWritten(); }

void RunPass() {
  if (loop.timer) emscripten_clear_timeout(loop.timer);
  loop.timer = 0;
  // Passes due at once (work split into steps) follow each other within the
  // frame's share of time.
  double start = loop.clock->ClockMs(), wait = 0;
  PassResult r;
  do {
    double passStart = loop.clock->ClockMs();
    r = loop.pass();
    wait = r.nextDueMs - loop.clock->ClockMs();
    bm_page_pass_time(loop.clock->ClockMs() - passStart);
  } while (!r.finished && !loop.closing && wait <= 0 && loop.clock->ClockMs() - start < kStepsMs);
  if (Writes() != loop.writesSynced) {
    loop.writesSynced = Writes();
    bm_files_sync();
  }
  if (r.finished) {
    loop.finished = true;
    return;
  }
  if (loop.closing) return;
  if (wait <= 0) {
    // More steps at once: after the browser had its turn, without waiting for a frame.
    loop.immediate = emscripten_set_immediate([](void*) {
      loop.immediate = 0;
      RunPass();
    }, nullptr);
  } else if (wait < kFrameMs) {
    RequestFrame();
  } else if (std::isfinite(wait)) {
    loop.timer = emscripten_set_timeout([](void*) {
      loop.timer = 0;
      RequestFrame();
    }, wait - kFrameMs, nullptr);
  }
}

void RequestFrame() {
  if (loop.frameRequest || loop.immediate || loop.finished || loop.closing || !loop.pass) return;
  loop.frameRequest = emscripten_request_animation_frame([](double, void*) -> EM_BOOL {
    loop.frameRequest = 0;
    RunPass();
    return EM_FALSE;
  }, nullptr);
}

}  // namespace

void RunPasses(Clock& clock, std::function<PassResult()> pass) {
  loop.clock = &clock;
  loop.pass = std::move(pass);
  loop.finished = false;
  loop.writesSynced = Writes();
  RequestFrame();
}

void WakePasses() { RequestFrame(); }

bool PageClosing() { return loop.closing; }

}  // namespace bm

// The page's "pagehide" listener (page_pre.js).
extern "C" EMSCRIPTEN_KEEPALIVE void bm_page_closing() {
  using bm::loop;
  if (loop.pass && !loop.finished && !loop.closing) {
    loop.closing = true;
    if (loop.frameRequest) emscripten_cancel_animation_frame(loop.frameRequest);
    if (loop.immediate) emscripten_clear_immediate(loop.immediate);
    loop.frameRequest = loop.immediate = 0;
    for (int i = 0; i < bm::kClosingPasses && !loop.finished; ++i) bm::RunPass();
  }
  bm_files_keep();
}

// Something the page heard wants a pass (a track played to its end).
extern "C" EMSCRIPTEN_KEEPALIVE void bm_page_wake() { bm::WakePasses(); }
