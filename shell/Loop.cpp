#include "shell/Loop.h"

#include <algorithm>
#include <chrono>
#include "lang/Tr.h"

#include "diag/LogTags.h"
#include "diag/Notices.h"
#include "render/NoticeDraw.h"
#include "shell/DisplayMode.h"
#include "shell/InputSource.h"
#include "shell/SoftCursor.h"
#include "shell/StopSignals.h"

namespace bm {

void PumpMessages(Services& s) {
  LoopState& loop = s.loop;
  s.window().Pump();
  if (s.window().TakeExposed()) {
    // Also sent when render targets lost their pictures: the still layer with them.
    loop.Redraw = true;
    s.look.stillLayer.valid = false;
  }
  if (s.window().TakeDeviceReset()) {
    s.look.stillLayer.valid = false;
    // Nothing may be drawn from a dead texture: drop them all and load them again.
    s.logs.WriteRunLog("PumpMessages", "The render device was lost; loading every picture again");
    s.render().ForgetTextures();
    RestoreTextures(s);
  }
  FollowDisplay(s, s.window().TakeDisplayChange());
  if (s.window().TakeCloseRequest()) {
    // A close while the screens run only asks to exit, so the game is saved first.
    s.window().ShowCursor(true);
    loop.ExitRequested = true;
  }
  if (s.options.stop && s.options.stop->Received() && !loop.ExitRequested) {
    // Log-out, shut-down or Ctrl-C: the same way out as the close box.
    s.logs.WriteRunLog(logtag::kMainLoop, std::string(StopSignals::Name(s.options.stop->Received())) +
                                              " received; shutting down");
    loop.ExitRequested = true;
  }
  // A notice raised, or one shown long enough: the screen is drawn again with the next.
  bool noticeChanged = false;
  CurrentNotice(s.Now(), &noticeChanged);
  if (noticeChanged) loop.Redraw = true;
  if (s.options.maxSeconds > 0 && s.Now() - loop.StartMs >= s.options.maxSeconds * 1000.0) {
    if (!loop.ExitRequested) s.logs.WriteRunLog(logtag::kMainLoop, "Time limit of the run reached");
    loop.ExitRequested = true;
  }
}

bool MusicFading(const MusicMod& m) {
  if (!m.MusicEnabled) return false;
  for (const MusicSlot& s : m.Slots)
    if (s.Wanted && (s.Delay > 0 || (s.Step > 0 && s.Level < 1) || (s.Step < 0 && s.Level > 0))) return true;
  return false;
}

void PollKeys(Services& s) {
  InputRouter& r = s.loop.Input;
  bool cheat = r.CheatMode, panel = r.DebugPanel;
  PollGlobalKeys(r, s.in(), s.loop.ExitRequested);
  // Cheat mode's debug panel: shown while Backspace is held, emptied by Numpad 0.
  r.DebugPanel = r.CheatMode && s.in().KeyDown(vk::Backspace);
  if (r.CheatMode && s.in().KeyDown(vk::Numpad0) && !s.logs.Recent().empty()) {
    s.logs.ClearRecent();
    s.loop.Redraw = true;
  }
  if (cheat != r.CheatMode || panel != r.DebugPanel) s.loop.Redraw = true;
}

IRect CheatCaptionRect(const ScreenMetrics& m, bool playScreen) {
  return playScreen ? m.DesignRect(20, 90, 300, 116) : m.DesignRect(10, 4, 400, 40);
}

void DrawDebugPanel(Stage& s) {
  const ScreenMetrics& m = s.look.metrics;
  const std::deque<std::string>& lines = s.logs.Recent();
  IRect panel = m.DesignRect(10, 120, 1110, 130 + 34 * double(std::max<std::size_t>(lines.size(), 1)));
  s.look.canvas.Fill(panel.left, panel.top, panel.right, panel.bottom, 0xB0000000);
  double y = 125;
  for (const std::string& line : lines) {
    IRect r = m.DesignRect(20, y, 1100, y + 34);
    s.look.font.Draw(s.look.canvas, line, r, s.look.font.FitSize(line, 0.3, m.XScale, r.right - r.left), 0xFF000000,
                     0xFFE0FFE0, Align::Left);
    y += 34;
  }
}

void RenderScene(Stage& s, std::chrono::steady_clock::time_point processStart) {
  LoopState& loop = s.loop;
  if (loop.Input.CheatMode) {
    // The play pass marks the frame it is about to show.
    bool playScreen = loop.PlayFrameMark == s.render().FramesPresented() + 1;
    // TRANSLATORS: Playing a level: caption at the top left while cheat mode is on, size 0.45-0.5, 280 px. Room: up
    // to about 40% longer than the English.
    s.look.font.Draw(s.look.canvas, Tr("Cheat Mode"), CheatCaptionRect(s.look.metrics, playScreen),
                     playScreen ? 0.45 : 0.5, 0xFFFFFFFF, 0xFFFFFFFF, Align::Left);
    if (loop.Input.DebugPanel) DrawDebugPanel(s);
  }
  // In the language in use now: a language changed on the options screen changes the notice too.
  if (const Wording notice = ShownNotice(); !notice.empty()) DrawNotice(s.look.canvas, s.look.font, Tr(notice));
  s.render().Present();
  ++loop.FramesPresented;
  if (loop.FirstFrameMs < 0) {
    loop.FirstFrameMs = s.Now();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - processStart).count();
    s.logs.WriteRunLog(logtag::kRenderScene, "First frame drawn " + std::to_string(int(ms)) + " ms after start");
  }
}

bool TakeNoticeText(std::string& shown) {
  std::string now = Tr(ShownNotice());
  if (now == shown) return false;
  shown = std::move(now);
  return true;
}

ScreenStack::~ScreenStack() = default;

const char* ScreenStack::Top() const { return stack_.empty() ? "" : stack_.back().screen->Name(); }

void ScreenStack::Open(std::unique_ptr<Screen> screen) {
  Settle(Next::Push(std::move(screen)));
  wakeAt_ = s_.Now();
}

bool ScreenStack::Step() {
  for (;;) {
    if (stack_.empty()) return false;
    Then then;
    if (s_.loop.ExitRequested) {
      then = Settle(Next::Stay());  // closes what is left
    } else {
      PumpMessages(s_);
      // Every pass, not only drawn ones: a key tap must not slip between frames.
      PollKeys(s_);
      // Fades step every 15 ms whether or not the screen changes.
      MusicMod& music = s_.sound.music;
      if (music.MusicReady) music.MusicTick(s_.settings.MusicOn != 0, s_.settings.MusicVolume);
      // Decoded sounds no longer needed go (a sounding one when it ends).
      s_.sound.sfx.Tidy();
      s_.loop.SceneDirty = false;
      stack_.back().passOpen = true;
      if (InputSource* source = s_.inputSource.get()) source->BeforePass(Showing(), s_.Now());
      then = Settle(stack_.back().screen->Pass(s_));
    }
    if (then == Then::Pace) return true;
    if (then == Then::Empty) return false;
    // A screen just entered, or one whose nested screen ended, wants its pass now.
  }
}

ScreenStack::Then ScreenStack::Settle(Next n) {
  for (;;) {
    switch (n.kind) {
      case Next::Kind::Stay: {
        Entry& top = stack_.back();
        if (top.passOpen) {
          top.passOpen = false;
          double wakeAt = n.wakeAt;
          if (InputSource* source = s_.inputSource.get(); source && !s_.loop.ExitRequested) {
            // A screen's own time stands unless the input needs a pass sooner.
            double due = source->Settled(Showing(), s_.Now());
            if (due > 0 && wakeAt > 0) wakeAt = std::min(wakeAt, due);
          }
          bool drew = EndPass();
          if (!s_.loop.ExitRequested) {
            Schedule(wakeAt, drew);
            return Then::Pace;
          }
        } else if (!s_.loop.ExitRequested) {
          return Then::PassNow;
        }
        // The program is ending: the screen closes instead of passing again.
        n = Next::Pop(top.screen->Closing(s_));
        break;
      }
      case Next::Kind::Push:
        stack_.push_back({std::move(n.screen)});
        n = stack_.back().screen->Enter(s_);
        break;
      case Next::Kind::Pop: {
        if (InputSource* source = s_.inputSource.get()) source->Gone(Showing());
        if (stack_.back().passOpen) EndPass();
        Answer answer = n.answer;
        stack_.pop_back();
        if (stack_.empty()) return Then::Empty;
        n = stack_.back().screen->Resume(s_, answer);
        break;
      }
    }
  }
}

OnScreen ScreenStack::Showing() {
  Entry& top = stack_.back();
  OnScreen o = top.screen->Shows(s_.look.metrics);
  if (top.visit == 0) top.visit = ++s_.loop.ScreensShown;
  o.visit = top.visit;
  o.metrics = &s_.look.metrics;
  return o;
}

bool ScreenStack::EndPass() {
  LoopState& loop = s_.loop;
  bool cursorMoved = StepSoftCursor(s_);
  if (loop.SceneDirty) {
    RenderScene(s_, s_.options.processStart);
    return true;
  }
  if (!cursorMoved) return false;
  // The kept frame again with the cursor moved; a play frame stays redrawable in part.
  bool kept = loop.PlayFrameMark == s_.render().FramesPresented();
  s_.render().Present();
  if (kept) loop.PlayFrameMark = s_.render().FramesPresented();
  return true;
}

void ScreenStack::Schedule(double wakeAt, bool drew) {
  double now = s_.Now();
  if (wakeAt == Next::kAtOnce) {
    wakeAt_ = now;
    return;
  }
  const MusicMod& music = s_.sound.music;
  if (MusicFading(music)) {
    double due = now + music.TickInterval;
    wakeAt = wakeAt > 0 ? std::min(wakeAt, due) : due;
  }
  if (drew) {
    // At most one drawn frame per frame interval.
    double due = s_.loop.LastPresentMs + kFrameIntervalMs;
    s_.loop.LastPresentMs = std::max(now, due);
    wakeAt_ = due;
    return;
  }
  wakeAt_ = wakeAt > 0 ? std::max(wakeAt, now + 1) : now + kFrameIntervalMs;
  // An input source's hands move between passes, not as events: the screens
  // are looked at as often as the desktop's own wait looks.
  if (s_.inputSource) wakeAt_ = std::min(wakeAt_, now + kLongestWaitMs);
  // A run with a time limit ends on time, input or not.
  if (s_.options.maxSeconds > 0) wakeAt_ = std::min(wakeAt_, s_.loop.StartMs + s_.options.maxSeconds * 1000.0);
  // A notice goes on the clock even on a still screen (the page's loop sleeps until a pass is due).
  if (!ShownNotice().empty()) wakeAt_ = std::min(wakeAt_, now + 1000);
}

void ScreenStack::Pace() {
  double wait = std::min(wakeAt_ - s_.Now(), kLongestWaitMs);
  if (wait > 0) s_.window().WaitEvent(wait);
}

void RunLoop(ScreenStack& stack) {
  while (stack.Step()) stack.Pace();
}

}  // namespace bm
