#include <algorithm>
#include <filesystem>
#include "shell/MainLoop.h"

#include "bonus/ShopItems.h"

#include "render/MenuScreen.h"
#include "shell/MemoryReport.h"
#include "shell/MenuScreens.h"
#include "render/PlayScreen.h"
#include "shell/Loop.h"
#include "shell/PlayFlow.h"
#include "shell/PlayFrame.h"
#include "shell/SaveHooks.h"
#include "shell/Autoplay.h"
#include "storage/DataIni.h"

namespace bm {

void goMainMenu(Game& g) {
  g.logs.WriteRunPoint("goMainMenu", "CP1");
  // The bot answered the name box where "OK" is: it aims at "Play" afresh.
  if (AskFirstPlayerName(g) && g.botInput) g.botMenuClickAt = 0;
  g.flags.Redraw = true;
  g.music.FadeMusAll(-0.01, 0);
  g.music.PlayMusic(0, 0.05, 0, false);
  double lastMenuFrame = -1e9;
  bool animating = false;
  MenuKeys keys;
  // The bot starts the next game as a player would.
  if (g.botInput && g.botMenuClickAt <= 0) AutoplayBackOnMenu(g);
  RunLoop(g, [&](Game& g) -> Pass {
    if (g.window().IsMinimised()) {
      g.music.PauseMusAll();
      return {false, g.Now() + 100};
    }
    g.music.ResumeMusAll();
    AutoplayMenuStep(g);
    bool markMoved = false;
    int keyItem = keys.Update(g.in(), markMoved);
    if (markMoved) g.flags.Redraw = true;
    // Redraw at most every 10 ms, and only while something on the menu changes.
    if (g.Now() - lastMenuFrame > 10) {
      bool force = g.flags.Redraw;
      g.flags.Redraw = false;
      PointD p = g.in().Pointer();
      animating = StepMenuHighlights(g.menuView, g.metrics, p.x, p.y);
      // The pointer over a prop is heard once; leaving every item re-arms it.
      int over = g.menuView.choice;
      if (over != 0 && over != menu::ChangePlayer) g.sfx.PlaySfxOnce("ev_menu_over");
      if (over == 0) g.sfx.RearmSfx("ev_menu_over");
      if (animating || force) {
        DrawMainMenu(g.canvas, g.font, g.menuView);
        g.flags.SceneDirty = true;
      }
      if (g.flags.SceneDirty && keys.Marked()) DrawMenuMark(g.canvas, g.metrics, keys.Marked());
      lastMenuFrame = g.Now();
    }
    // The choice follows the pointer on every pass, drawn or not: a move and a
    // click often arrive together.
    g.MenuChoice = MainMenuItemAt(g.metrics, g.in().Pointer().x, g.in().Pointer().y);
    bool active = g.flags.AppActive;
    if ((MouseClicked(g.input, g.in(), active, 1) && g.MenuChoice == menu::Play) || keyItem == menu::Play) {
      g.botMenuClickAt = 0;
      if (PlaySetUp(g)) return {true, 0};
      // Nothing was started: the menu again, drawn afresh.
      g.flags.Redraw = true;
      if (g.botInput) AutoplayBackOnMenu(g);
      return {false, 0};
    }
    int item = MouseDown(g.in(), active) && !g.input.ClickLatch ? g.MenuChoice : keyItem;
    if (item != 0) {
      if (item == menu::Exit) {
        g.input.ClickLatch = true;
        g.sfx.StopSfx("ev_menu_over");
        g.flags.ExitRequested = true;
        return {true, 0};
      }
      g.input.ClickLatch = true;
      g.sfx.PlaySfxOnce("ev_menu_click");
      g.sfx.RearmSfx("ev_menu_click");
      if (OpenMenuScreen(g, item)) {
        AutoplayScreenDone(g);
        keys = MenuKeys{};
        g.flags.Redraw = true;
        lastMenuFrame = -1e9;
        return {false, 0};
      }
    }
    if (!g.in().ButtonDown(1) && g.input.ClickLatch) g.input.ClickLatch = false;
    double wake = animating || g.flags.Redraw ? lastMenuFrame + 10 : g.Now() + 250;
    if (g.botMenuClickAt > 0) wake = std::min(wake, std::max(g.botMenuClickAt, g.Now() + 1));
    return {false, wake};
  });
}

void WaitWhileInactive(Game& g) {
  PumpMessages(g);
  g.flags.Redraw = true;
  while (!g.window().IsForeground() && !g.flags.ExitRequested) {
    // The pause picture does not change: draw it again only when the window lost it.
    if (g.flags.Redraw) {
      g.flags.Redraw = false;
      g.render().Clear(0xFF000000);
      TextureId pause = g.canvas.Tex("red/menu/pause.jpg");
      if (pause) g.canvas.FullScreen(pause);
      else g.font.Draw(g.canvas, "Paused", g.metrics.DesignRect(0, 450, 1280, 570), 1.0, 0xFFFFFFFF, 0xFFFFE0A0,
                       Align::Center);
      g.render().Present();
    }
    // The click that brings the window back must not act on the game.
    if (g.in().ButtonDown(1)) g.input.ClickLatch = true;
    g.window().WaitEvent(100);
    PumpMessages(g);
    PollKeys(g);
  }
  g.flags.Redraw = true;
}

void GameLoop(Game& g) {
  // The menu's screen pictures (8 MB at 1280x1024) wait on disk while a game runs.
  g.textures.ReleaseFolder("red/menu/");
  ResumeFrames(g.match, g.Now());
  g.keysLatched = ~0u;
  g.levelVisitMs = g.Now();
  RunLoop(g, [&](Game& g) -> Pass {
    bool active = g.window().IsForeground();
    g.flags.AppActive = active;
    if (!active) {
      g.music.PauseMusAll();
      WaitWhileInactive(g);
      g.music.ResumeMusAll();
      // Time spent away does not count: frames and the hourglass resume where they were.
      ResumeFrames(g.match, g.Now());
      return {false, 0};
    }
    double wake = PlayPass(g);
    // A level's end runs its screens in turn: flight, map and shop, the next level.
    if (g.match.flow.pending != FlowStep::None && !g.flags.LeavePlay) {
      RunPendingFlow(g);
      return {g.flags.LeavePlay || g.flags.ExitRequested, 0};
    }
    if (!g.in().KeyDown(vk::Left) && !g.in().KeyDown(vk::Right)) g.input.ClickLatch = false;
    if (EscapePressed(g.input, g.in()) || BotLeavesNow(g)) g.flags.LeavePlay = true;
    if (g.flags.LeavePlay) {
      g.sfx.PlaySfxOnce("ev_menu_click");
      return {true, 0};
    }
    return {false, wake};
  });
}

void MainLoop(Game& g) {
  g.logs.WriteRunPoint("MainLoop", "Begin");
  g.input.CheatCode = CheatModeCode(g.options.gameDir, &g.logs);
  if (!std::filesystem::exists(std::filesystem::path(g.options.gameDir) / kDataIniFileName))
    g.logs.WriteRunLog("MainLoop", std::string(kDataIniFileName) + " is missing; the built-in switches are used");
  while (!g.flags.ExitRequested) {
    g.sfx.RearmSfx("ev_menu_click");
    bool active = g.window().IsForeground();
    g.input.ClickLatch = g.in().ButtonDown(2) || (g.in().ButtonDown(1) && active);
    g.flags.LeavePlay = false;
    g.match.clock.SandTickPeriod = 1000.0;
    g.match.clock.sandEnabled = g.match.clock.framesEnabled = true;
    PumpMessages(g);
    g.logs.WriteRunPoint("MainLoop", "CP1");
    goMainMenu(g);
    g.logs.WriteRunPoint("MainLoop", "CP2");
    if (g.flags.ExitRequested) break;
    GameLoop(g);
    // Leaving by the menu, Escape, the close box, F12 or a stop signal: the level is kept.
    SaveLeftLevel(g);
    ForgetEndedGame(g);
    if (g.options.botLeaveSeconds > 0 && g.botInput && !g.flags.ExitRequested) g.botMenuClickAt = g.Now() + 300;
  }
  LogMemory(g);
  g.logs.WriteRunLog("", "Application End.");
}

}  // namespace bm
