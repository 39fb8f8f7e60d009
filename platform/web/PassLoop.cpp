#include "platform/web/PassLoop.h"

#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdint>

#include "platform/Platform.h"
#include "io/AtomicWrite.h"

extern "C" void bm_files_sync();

namespace bm {

namespace {

constexpr double kFrameMs = 1000.0 / 60;

struct Loop {
  Clock* clock = nullptr;
  std::function<PassResult()> pass;
  long frameRequest = 0;
  long timer = 0;
  bool finished = false;
  std::uint64_t writesSynced = 0;
};
Loop loop;

void RequestFrame();

void RunPass() {
  if (loop.timer) emscripten_clear_timeout(loop.timer);
  loop.timer = 0;
  PassResult r = loop.pass();
  if (AtomicWritesDone() != loop.writesSynced) {
    bm_files_sync();
  }
  if (r.finished) {
    loop.finished = true;
    return;
  }
  double wait = r.nextDueMs - loop.clock->ClockMs();
  if (wait < kFrameMs) {
    RequestFrame();
  } else if (std::isfinite(wait)) {
    loop.timer = emscripten_set_timeout([](void*) {
      loop.timer = 0;
      RequestFrame();
    }, wait - kFrameMs, nullptr);
  }
}

void RequestFrame() {
  if (loop.frameRequest || loop.finished || !loop.pass) return;
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
  RequestFrame();
}

void WakePasses() { RequestFrame(); }

}  // namespace bm
