#include "shell/Loop.h"

#include <algorithm>
#include <chrono>

#include "shell/StopSignals.h"
#include "shell/DisplayMode.h"

namespace bm {

void PumpMessages(Game& g) {
  g.window().Pump();
  if (g.window().TakeExposed()) {
    // Also sent when render targets lost their pictures: the still layer with them.
    g.flags.Redraw = true;
    g.stillLayer.valid = false;
  }
  if (g.window().TakeDeviceReset()) {
    g.stillLayer.valid = false;
    // Nothing may be drawn from a dead texture: drop them all and load them again.
    g.logs.WriteRunLog("PumpMessages", "The render device was lost; loading every picture again");
    g.render().ForgetTextures();
    RestoreTextures(g);
  }
  if (g.window().TakeCloseRequest()) {
    // A close while the loops run only asks to exit, so the game is saved first.
    g.window().ShowCursor(true);
    g.flags.ExitRequested = true;
  }
  if (g.options.stop && g.options.stop->Received() && !g.flags.ExitRequested) {
    // Log-out, shut-down or Ctrl-C: the same way out as the close box.
    g.logs.WriteRunLog("MainLoop", std::string(StopSignals::Name(g.options.stop->Received())) +
                                       " received; shutting down");
    g.flags.ExitRequested = true;
  }
  if (g.options.maxSeconds > 0 && g.Now() - g.startMs >= g.options.maxSeconds * 1000.0) {
    if (!g.flags.ExitRequested) g.logs.WriteRunLog("MainLoop", "Time limit of the run reached");
    g.flags.ExitRequested = true;
  }
}

bool MusicFading(const MusicMod& m) {
  if (!m.MusicEnabled) return false;
  for (const MusicSlot& s : m.Slots)
    if (s.Wanted && (s.Delay > 0 || (s.Step > 0 && s.Level < 1) || (s.Step < 0 && s.Level > 0))) return true;
  return false;
}

void PollKeys(Game& g) {
  if (g.flags.LeavePlay) return;
  bool cheat = g.input.CheatMode;
  PollGlobalKeys(g.input, g.in(), g.flags.ExitRequested);
  if (cheat != g.input.CheatMode) g.flags.Redraw = true;
}

IRect CheatCaptionRect(const ScreenMetrics& m, bool playScreen) {
  return playScreen ? m.DesignRect(20, 90, 300, 116) : m.DesignRect(10, 4, 400, 40);
}

void RenderScene(Game& g) {
  if (g.input.CheatMode) {
    // The play pass marks the frame it is about to show.
    bool playScreen = g.playFrameMark == g.render().FramesPresented() + 1;
    g.font.Draw(g.canvas, "Cheat Mode", CheatCaptionRect(g.metrics, playScreen), playScreen ? 0.45 : 0.5, 0xFFFFFFFF,
                0xFFFFFFFF, Align::Left);
  }
  g.render().Present();
  ++g.stats.framesPresented;
  if (g.firstFrameMs < 0) {
    g.firstFrameMs = g.Now();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g.options.processStart).count();
    g.logs.WriteRunLog("RenderScene()", "First frame drawn " + std::to_string(int(ms)) + " ms after start");
  }
}

void PaceLoop(Game& g, bool drew, double wakeAt) {
  double now = g.Now();
  if (drew) {
    double due = g.lastPresentMs + kFrameIntervalMs;
    g.lastPresentMs = std::max(now, due);
    if (due > now) g.window().WaitEvent(due - now);
    return;
  }
  double wait = wakeAt > 0 ? wakeAt - now : kFrameIntervalMs;
  g.window().WaitEvent(std::clamp(wait, 1.0, 100.0));
}

void RunLoop(Game& g, const PassBody& body) {
  while (!g.flags.ExitRequested) {
    PumpMessages(g);
    // Every pass, not only drawn ones: a key tap must not slip between frames.
    PollKeys(g);
    // Fades step every 15 ms whether or not the screen changes.
    g.music.MusicTick(g.settings.MusicOn != 0, g.settings.MusicVolume);
    g.flags.SceneDirty = false;
    Pass p = body(g);
    bool cursorMoved = StepSoftCursor(g);
    if (g.flags.SceneDirty) {
      RenderScene(g);
    } else if (cursorMoved) {
      // The kept frame again with the cursor moved; a play frame stays redrawable in part.
      bool kept = g.playFrameMark == g.render().FramesPresented();
      g.render().Present();
      if (kept) g.playFrameMark = g.render().FramesPresented();
    }
    if (p.done || g.flags.ExitRequested) return;
    if (MusicFading(g.music)) {
      double due = g.Now() + g.music.TickInterval;
      p.wakeAt = p.wakeAt > 0 ? std::min(p.wakeAt, due) : due;
    }
    PaceLoop(g, g.flags.SceneDirty || cursorMoved, p.wakeAt);
  }
}

}  // namespace bm
