#include "shell/RosterScreens.h"

#include <algorithm>

#include "render/DialogDraw.h"
#include "render/RosterDraw.h"
#include "shell/Dialog.h"
#include "shell/Game.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"

namespace bm {

namespace {

// A left-button click taken once per press; a press held at entry waits for its release.
struct ClickEdge {
  bool latch = true;
  explicit ClickEdge(Input& in) : latch(in.ButtonDown(1)) {}
  bool Take(Game& g) {
    bool down = g.flags.AppActive && g.in().ButtonDown(1);
    bool fresh = down && !latch;
    latch = down;
    return fresh;
  }
};

void Clicked(Game& g) {
  g.sfx.PlaySfxOnce("ev_menu_click");
  g.sfx.RearmSfx("ev_menu_click");
}

const char* kNoRoom = "There is no place to add new player name.|You should to delete one first!";

}  // namespace

bool NameEntryLoop(Game& g, std::string& name, bool escapeAllowed) {
  g.logs.WriteRunPoint("NameEntryLoop", "Begin");
  Input& in0 = g.in();
  NameEntry box;
  OpenNameEntry(box, in0, name, escapeAllowed);
  // The Enter that opened the box must not close it at once.
  KeyEdge enter(vk::Enter, in0);
  ClickEdge click(in0);
  std::string warning, shownText = "\x01", shownWarning;
  int shownHover = -1;
  bool accepted = false;
  double botAt = g.Now() + 300;
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    if (g.botInput) {
      // The bot types a name, then presses "OK".
      if (box.text.empty()) box.text = "Bot";
      BotPress(g, NameBoxButtonRect(g.metrics, namebox::Ok), botAt);
    }
    bool enterNow = enter.Take(in);
    // UpdateNameEntry closes on a held Enter; only a fresh press may take the name.
    std::string before = box.text;
    UpdateNameEntry(box, g.input, in);
    if (box.accepted && !enterNow) {
      box.on = true, box.accepted = false;  // a held Enter from before the box opened
      in.StartTextInput();
    }
    PointD p = in.Pointer();
    int hover = 0;
    for (int b : {namebox::Ok, namebox::Cancel})
      if (NameBoxButtonRect(g.metrics, b).Contains(p.x, p.y)) hover = b;
    HoverSound(g, hover != 0);
    bool pressed = click.Take(g);
    bool ok = box.accepted || (pressed && hover == namebox::Ok) || (enterNow && box.text.empty());
    bool cancel = box.cancelled || (pressed && hover == namebox::Cancel);
    if (pressed && hover) Clicked(g);
    if (ok && !box.text.empty()) {
      name = box.text;
      accepted = true;
      return {true, 0};
    }
    if (ok) warning = "Enter your name first!";
    if (cancel) return {true, 0};
    if (box.text != before) warning.clear();
    if (g.flags.Redraw || box.text != shownText || hover != shownHover || warning != shownWarning) {
      g.flags.Redraw = false;
      shownText = box.text;
      shownHover = hover;
      shownWarning = warning;
      if (g.drawing) {
        g.render().Clear(0xFF06203A);
        TextureId back = g.canvas.Tex("red/menu/main0-new2.jpg");
        if (back) g.canvas.FullScreen(back);
        DrawNameBox(g.canvas, g.font, box.text, hover, warning);
      }
      g.flags.SceneDirty = true;
    }
    double wake = BotWake(g, botAt);
    return {false, wake > 0 ? wake : g.Now() + 1000};
  });
  in0.StopTextInput();
  g.input.ClickLatch = g.in().ButtonDown(1);
  g.flags.Redraw = true;
  return accepted;
}

void PlayersLoop(Game& g, PlayerTable& players, const std::function<void()>& save,
                 const std::function<void(int)>& forgetBoard) {
  g.logs.WriteRunPoint("PlayersLoop", "Begin");
  Input& in0 = g.in();
  KeyEdge up(vk::Up, in0), down(vk::Down, in0), tab(vk::Tab, in0), enter(vk::Enter, in0), space(vk::Space, in0),
      del(vk::Delete, in0), dKey('D', in0), left(vk::Left, in0), right(vk::Right, in0);
  ClickEdge click(in0);
  std::string message;
  int focusIndex = -1;  // over the listed players, then "Add", then "OK"
  bool onDeleteMark = false;  // Right moves the focus from a player's line to its delete mark
  RosterHit shownHover{-1, -1}, shownFocus{-1, -1};
  std::string shownMessage;
  PointD lastPointer{-1, -1};
  double botAt = g.Now() + 300;
  auto redrawBehind = [&] { DrawPlayersScreen(g.canvas, g.font, players, {}, {}, "", {}); };
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    if (EscapePressed(g.input, in)) return {true, 0};
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    if (g.botInput) BotPress(g, RosterButtonRect(g.metrics, roster::Ok), botAt);
    std::vector<int> listed = ListedPlayers(players);
    int items = int(listed.size()) + 2;
    PointD p = in.Pointer();
    if (PointerMoved(lastPointer, p)) focusIndex = -1;
    bool upKey = up.Take(in), downKey = down.Take(in) | tab.Take(in);
    if (upKey) focusIndex = focusIndex <= 0 ? items - 1 : focusIndex - 1;
    if (downKey) focusIndex = focusIndex < 0 || focusIndex >= items - 1 ? 0 : focusIndex + 1;
    focusIndex = std::min(focusIndex, items - 1);
    if (right.Take(in)) onDeleteMark = true;
    if (left.Take(in)) onDeleteMark = false;
    RosterHit focus;
    if (focusIndex >= 0 && focusIndex < int(listed.size()))
      focus = {onDeleteMark ? roster::Delete : roster::Line, listed[std::size_t(focusIndex)]};
    else if (focusIndex == items - 2) focus = {roster::Add, 0};
    else if (focusIndex == items - 1) focus = {roster::Ok, 0};
    RosterHit hover = RosterHitAt(g.metrics, players, p.x, p.y);
    HoverSound(g, hover.kind != roster::None);
    RosterHit act;
    if (click.Take(g)) act = hover;
    if (enter.Take(in) | space.Take(in)) act = focus.kind ? focus : RosterHit{roster::Ok, 0};
    if ((del.Take(in) | dKey.Take(in)) && focus.kind != roster::None && focus.slot > 0)
      act = {roster::Delete, focus.slot};
    if (act.kind != roster::None) Clicked(g);
    switch (act.kind) {
      case roster::Line:
        players.SetCurrent(act.slot);
        message.clear();
        break;
      case roster::Delete: {
        DialogRequest q;
        q.message = "Click continue to delete|" + players.slot[std::size_t(act.slot)].Name;
        // Enter confirms, Escape keeps the player.
        q.first = "CONTINUE";
        q.second = "CANCEL";
        q.botAnswer = 2;
        q.background = redrawBehind;
        if (TwoButtonDialog(g, q) == 1) {
          ClearPlayer(players.slot[std::size_t(act.slot)]);
          if (forgetBoard) forgetBoard(act.slot);
          if (save) save();
          g.logs.WriteRunLog("PlayersLoop", "Player in slot " + std::to_string(act.slot) + " deleted");
        }
        message.clear();
        break;
      }
      case roster::Add: {
        int free = 0;
        for (int s = kFirstPlayer; s <= kLastPlayer && !free; ++s)
          if (players.slot[std::size_t(s)].Name.empty()) free = s;
        if (!free) {
          message = kNoRoom;
          break;
        }
        std::string name;
        if (NameEntryLoop(g, name, true)) {
          PlayerRecord& rec = players.slot[std::size_t(free)];
          ClearPlayer(rec);
          rec.Name = CleanName(name);
          rec.ShowTips = kTrue;  // a new player is shown the tips
          players.SetCurrent(free);
          if (save) save();
        }
        message.clear();
        break;
      }
      case roster::Ok:
        if (save) save();
        return {true, 0};
      default: break;
    }
    if (act.kind != roster::None) {
      botAt = g.Now() + 300;
      // A key that answered a dialog or closed the name box must not act here too.
      up = KeyEdge(vk::Up, in), down = KeyEdge(vk::Down, in), tab = KeyEdge(vk::Tab, in);
      enter = KeyEdge(vk::Enter, in), space = KeyEdge(vk::Space, in), del = KeyEdge(vk::Delete, in);
      dKey = KeyEdge('D', in), left = KeyEdge(vk::Left, in), right = KeyEdge(vk::Right, in);
      click = ClickEdge(in);
      onDeleteMark = false;
    }
    if (g.flags.Redraw || !(hover == shownHover) || !(focus == shownFocus) || message != shownMessage ||
        act.kind != roster::None) {
      g.flags.Redraw = false;
      shownHover = hover;
      shownFocus = focus;
      shownMessage = message;
      if (g.drawing) DrawPlayersScreen(g.canvas, g.font, players, hover, focus, message, p);
      g.flags.SceneDirty = true;
    }
    double wake = BotWake(g, botAt);
    return {false, wake > 0 ? wake : g.Now() + 1000};
  });
  g.input.ClickLatch = g.in().ButtonDown(1);
  g.flags.Redraw = true;
}

void HighScoresLoop(Game& g, HighScoreTable& table, const std::function<void()>& save,
                    const std::function<void()>& reset) {
  g.logs.WriteRunPoint("HighScoresLoop", "Begin");
  Input& in0 = g.in();
  KeyEdge left(vk::Left, in0), right(vk::Right, in0), tab(vk::Tab, in0), enter(vk::Enter, in0), space(vk::Space, in0);
  ClickEdge click(in0);
  int focus = scores::Back, shownHover = -1, shownFocus = -1;
  double botAt = g.Now() + 300;
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    if (EscapePressed(g.input, in)) return {true, 0};
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    if (g.botInput) BotPress(g, HighScoreButtonRect(g.metrics, scores::Back), botAt);
    PointD p = in.Pointer();
    int hover = 0;
    for (int b : {scores::Back, scores::Reset})
      if (HighScoreButtonRect(g.metrics, b).Contains(p.x, p.y)) hover = b;
    HoverSound(g, hover != 0);
    if (left.Take(in) | right.Take(in) | tab.Take(in)) focus = focus == scores::Back ? scores::Reset : scores::Back;
    int act = click.Take(g) ? hover : 0;
    if (enter.Take(in) | space.Take(in)) act = focus;
    if (act) Clicked(g);
    if (act == scores::Back) return {true, 0};
    if (act == scores::Reset) {
      DialogRequest q;
      q.message = "This action will reset|highscore table|click OK to continue.";
      // Enter confirms, Escape keeps the table.
      q.first = "OK";
      q.second = "CANCEL";
      q.botAnswer = 2;
      q.background = [&] { DrawHighScores(g.canvas, g.font, table, 0, 0); };
      if (TwoButtonDialog(g, q) == 1) {
        if (reset) reset();
        else {
          ResetHighScoreEntries(table);
          if (save) save();
        }
        g.logs.WriteRunLog("HighScoresLoop", "High-score table reset");
      }
      enter = KeyEdge(vk::Enter, in), space = KeyEdge(vk::Space, in);
      click = ClickEdge(in);
    }
    if (g.flags.Redraw || hover != shownHover || focus != shownFocus || act) {
      g.flags.Redraw = false;
      shownHover = hover;
      shownFocus = focus;
      if (g.drawing) DrawHighScores(g.canvas, g.font, table, hover, focus);
      g.flags.SceneDirty = true;
    }
    double wake = BotWake(g, botAt);
    return {false, wake > 0 ? wake : g.Now() + 1000};
  });
  g.input.ClickLatch = g.in().ButtonDown(1);
  g.flags.Redraw = true;
}

}  // namespace bm
