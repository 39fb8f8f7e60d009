// A headless game for the level-flow screens: virtual clock, scripted input,
// sounds loaded so a test can tell which cues were heard.
#pragma once
#include <memory>
#include <string>

#include "TestDirs.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessAudio.h"
#include "shell/Game.h"

namespace bm::test {

struct FlowGame {
  TempDir dir;
  Logs logs{dir.str()};
  std::string error;
  std::unique_ptr<Host> host;
  std::unique_ptr<Game> game;
  // Drawing costs real time per virtual frame; most tests only need the rules.
  explicit FlowGame(double maxSeconds = 120, bool draw = false) {
    HostOptions o;
    o.headless = true;
    host = CreateHost(o, logs, error);
    RunOptions ro;
    ro.gameDir = BM_GAME_DIR;
    ro.dataDir = dir.str();
    ro.headless = true;
    ro.maxSeconds = maxSeconds;  // a safety net: a loop that never ends fails the test instead
    game = std::make_unique<Game>(host->platform, logs, ro);
    game->startMs = game->Now();
    game->drawing = draw;
    host->SetDrawingEnabled(draw);
    game->sfx.StartSound();
    game->sfx.loadAllSFX();
  }
  Game& g() { return *game; }
  HeadlessWindow& win() { return *host->Scripted(); }
  double Now() { return game->Now(); }
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
