// A headless run for the level-flow screens: virtual clock, scripted input,
// sounds loaded so a test can tell which cues were heard.
#pragma once
#include <memory>
#include <string>

#include "ScreenHarness.h"
#include "platform/headless/HeadlessAudio.h"

namespace bm::test {

struct FlowGame : ScreenHarness {
  // Drawing costs real time per virtual frame; most tests only need the rules.
  explicit FlowGame(double maxSeconds = 120, bool draw = false) : ScreenHarness(draw, maxSeconds, true) {
    services->sound.sfx.StartSound();
    services->sound.sfx.loadAllSFX();
  }
  double Now() { return now(); }
  HeadlessWindow& win() { return w(); }
  // How often a cue was played since the start (or the last Forget).
  int Heard(const std::string& cue) {
    auto* dev = dynamic_cast<HeadlessSoundDevice*>(host->platform.sound);
    int n = 0;
    for (const SfxPlayRecord& p : dev->Played()) {
      std::string f = p.file;
      std::size_t at = f.rfind(cue + ".ogg");
      if (at != std::string::npos && at > 0 && (f[at - 1] == '/' || f[at - 1] == '\\')) ++n;
    }
    return n;
  }
  void Forget() { dynamic_cast<HeadlessSoundDevice*>(host->platform.sound)->ClearPlayed(); }
  void Click(double inMs, const IRect& r) {
    win().ScriptClick(Now() + inMs, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
  }
};

}  // namespace bm::test
