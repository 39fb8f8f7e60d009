#include "shell/PlayFrame.h"

#include <algorithm>
#include <optional>

#include "bonus/StockButtons.h"
#include "render/BoardDraw.h"
#include "render/BonusDraw.h"
#include "render/LevelEndDraw.h"
#include "render/PlayScreen.h"
#include "render/StillLayer.h"
#include "render/TipDraw.h"
#include "shell/PlaySide.h"
#include "shell/Services.h"

namespace bm {

namespace {

void PlayCue(SoundFx& sfx, const BoardEvent& e) {
  switch (e.mode) {
    case SfxMode::Play: sfx.PlaySfx(e.text); break;
    case SfxMode::NoSteal: sfx.PlaySfx(e.text, true); break;
    case SfxMode::Once: sfx.PlaySfxOnce(e.text); break;
    case SfxMode::Rearm: sfx.RearmSfx(e.text); break;
  }
}

// What the stock buttons show: their counts, the armed ones and the one under
// the pointer. A change means the panel must be drawn again.
long StockButtonsLook(Stage& s, const Match& m) {
  const BoardPlayer& p = m.player;
  PointD at = s.in().Pointer();
  long look = int(StockButtonAt(m.metrics, at.x, at.y)) + 8 * (MouseDown(s.in(), s.loop.AppActive) ? 1 : 0);
  for (int n : {p.parrotCount, p.shuffleCount, p.anchorCount, p.sunCount, p.rumCount})
    look = look * 131 + n;
  return look * 4 + m.board.AnchorArmed * 2 + m.board.SunArmed;
}

// The square around a cell that its ornaments cover: the shimmering item and
// its glow, or the turning selection ring with the rings of its neighbours.
std::optional<IRect> OrnamentBox(const Match& m, int cell, double reach) {
  if (cell < 0 || cell >= kCellCount || !m.cells[cell].IsExists) return std::nullopt;
  const ScreenMetrics& s = m.metrics;
  double x = s.CellScreenX(m.cells[cell].CenterX), y = s.CellScreenY(m.cells[cell].CenterY);
  double w = 96 * s.XScale * reach, h = 96 * s.YScale * reach;
  return IRect{int(x - w) - 2, int(y - h) - 2, int(x + w) + 3, int(y + h) + 3};
}

void Join(std::optional<IRect>& into, const std::optional<IRect>& r) {
  if (!r) return;
  if (!into) {
    into = r;
    return;
  }
  into->left = std::min(into->left, r->left);
  into->top = std::min(into->top, r->top);
  into->right = std::max(into->right, r->right);
  into->bottom = std::max(into->bottom, r->bottom);
}

// Where a tip points: its cell, or the stock button it is about.
PointD TipPoint(const Match& m, int place) {
  if (place >= 0 && place < kCellCount)
    return {m.metrics.CellScreenX(m.cells[place].CenterX), m.metrics.CellScreenY(m.cells[place].CenterY)};
  if (place == kTipAtMenuButton) {
    IRect r = MenuButtonHitRect(m.metrics);
    return {(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0};
  }
  StockButton b = place == kTipAtParrotButton    ? StockButton::Parrot
                  : place == kTipAtShuffleButton ? StockButton::Shuffle
                  : place == kTipAtHookButton    ? StockButton::Hook
                  : place == kTipAtSunButton     ? StockButton::Sun
                                                 : StockButton::ShowFree;
  PointD p;
  StockButtonCentre(m.metrics, b, p.x, p.y);
  return p;
}

}  // namespace

void KeepStockLook(Stage& s, PlaySide& play) { play.stockLook = StockButtonsLook(s, play.match); }

void OfferTipBox(Stage& s, PlaySide& play, int number, int place) {
  if (TipText(number).empty()) return;
  PointD at = TipPoint(play.match, place);
  TipBox box{number, at.x, at.y};
  if (play.tip.number == number) return;
  for (const TipBox& t : play.tipsWaiting)
    if (t.number == number) return;
  if (play.tip.number < 0) {
    play.tip = box;
    s.loop.Redraw = true;
    play.tipPressHeld = true;  // the press that brought it is not the one that closes it
  } else {
    play.tipsWaiting.push_back(box);
  }
}

void CloseTipBox(Stage& s, PlaySide& play) {
  if (play.tip.number < 0) return;
  // The won level's tip holds its flip until it is read.
  if (play.tip.number == 4) FlipTipClosed(play.match, s.Now());
  play.tip = TipBox{};
  if (!play.tipsWaiting.empty()) {
    play.tip = play.tipsWaiting.front();
    play.tipsWaiting.erase(play.tipsWaiting.begin());
  }
  s.loop.Redraw = true;
}

std::optional<IRect> PlayDirtyPart(const Match& m, const PlayLookBefore& b, bool timeChanged) {
  bool ornaments = m.clock.ornaments || b.ornaments || b.hover != m.board.HoveredCell ||
                   b.selected != m.board.SelectedCell || b.keyCursor != m.keyCursor.cell;
  std::optional<IRect> part;
  // The time text with its outline.
  if (timeChanged) part = m.metrics.DesignRect(30, 0, 340, 48);
  if (ornaments) {
    for (int cell : {b.hover, m.board.HoveredCell, b.keyCursor, m.keyCursor.cell})
      Join(part, OrnamentBox(m, cell, 0.7));
    for (int cell : {b.selected, m.board.SelectedCell}) Join(part, OrnamentBox(m, cell, 1.7));
  }
  return part;
}

void DrainMatchEvents(Stage& s, PlaySide& play) {
  for (const BoardEvent& e : TakeEvents(play.match)) {
    switch (e.kind) {
      case BoardEvent::Kind::Sound: PlayCue(s.sound.sfx, e); break;
      case BoardEvent::Kind::Log: s.logs.WriteRunLog(e.place, e.text, e.critical); break;
      case BoardEvent::Kind::Tip: OfferTipBox(s, play, e.tip, e.cell); break;
      case BoardEvent::Kind::LevelStarted:
        // The last level's tips go with it.
        play.tip = TipBox{};
        play.tipsWaiting.clear();
        s.loop.Redraw = true;
        break;
      // The screens that follow come from the play screen's level flow.
      case BoardEvent::Kind::GameOver:
      case BoardEvent::Kind::GameComplete:
      case BoardEvent::Kind::LevelComplete:
      case BoardEvent::Kind::TimeUp:
      case BoardEvent::Kind::LevelWon:
      case BoardEvent::Kind::LevelLost: break;
    }
  }
}

PanelView PanelViewOf(const Match& m) {
  PanelView v;
  v.sandLeft = m.level.SandLeft;
  v.timeLimit = m.level.TimeLimit;
  v.score = m.session.Score;
  v.lives = m.session.Lives;
  v.level = m.level.Number;
  v.movesText = m.board.MovesText;
  return v;
}

MatchInput ReadMatchInput(Stage& s, PlaySide& play) {
  Input& in = s.in();
  const ScreenMetrics& metrics = s.look.metrics;
  MatchInput m;
  m.now = s.Now();
  PointD p = in.Pointer();
  m.pointerX = p.x;
  m.pointerY = p.y;
  m.leftDown = MouseDown(in, s.loop.AppActive);
  m.rightDown = s.loop.AppActive && in.ButtonDown(2);
  m.pointerInClient = p.x >= 0 && p.y >= 0 && p.x < metrics.Width && p.y < metrics.Height;
  m.pointerOverGame = m.pointerInClient;
  m.screenW = metrics.Width;
  m.screenH = metrics.Height;
  if (!m.leftDown && MenuButtonHitRect(metrics).Contains(p.x, p.y)) m.keys |= mkey::OverMenuButton;
  const std::pair<int, std::uint32_t> playKeys[] = {
      {vk::Up, mkey::ArrowUp},     {vk::Down, mkey::ArrowDown}, {vk::Left, mkey::ArrowLeft},
      {vk::Right, mkey::ArrowRight}, {vk::Enter, mkey::Select},  {vk::Space, mkey::Select},
      {vk::Backspace, mkey::Cancel}};
  for (const auto& [vkey, bit] : playKeys)
    if (in.KeyDown(vkey)) m.keys |= bit;
  // Keys already down when play began (the Enter that chose "Play") act only
  // once they have been let go.
  std::uint32_t down = m.keys;
  m.keys &= ~play.keysLatched;
  play.keysLatched &= down;
  // A tip on screen takes the next press, of the button or of Enter or Space,
  // and closes; the board sees neither that press nor its release.
  bool pressing = m.leftDown || (m.keys & mkey::Select) != 0;
  if (play.tip.number >= 0 && pressing && !play.tipPressHeld) {
    CloseTipBox(s, play);
    play.tipPressHeld = true;
  }
  if (play.tipPressHeld) {
    if (!pressing) play.tipPressHeld = false;
    m.leftDown = false;
    m.keys &= ~mkey::Select;
  }
  if (play.tip.number >= 0) m.keys |= mkey::TipWaiting;
  if (s.loop.Input.CheatMode) {
    m.keys |= mkey::CheatMode;
    if (in.KeyDown(vk::PageUp)) m.keys |= mkey::Up;
    if (in.KeyDown(vk::PageDown)) m.keys |= mkey::Down;
    for (int k = 1; k <= 10; ++k)
      if (in.KeyDown('0' + k % 10)) m.keys |= mkey::Digit(k);
    const std::pair<int, std::uint32_t> fkeys[] = {
        {vk::F1, mkey::F1}, {vk::F2, mkey::F2}, {vk::F3, mkey::F3}, {vk::F5, mkey::F5}, {vk::F6, mkey::F6}};
    for (const auto& [vkey, bit] : fkeys)
      if (in.KeyDown(vkey)) m.keys |= bit;
  } else {
    // The digits follow the stock buttons down the panel; in cheat mode they place jewels.
    const std::uint32_t stock[5] = {mkey::StockParrot, mkey::StockShuffle, mkey::StockHook, mkey::StockSun,
                                    mkey::StockShowFree};
    for (int k = 0; k < 5; ++k)
      if (in.KeyDown('1' + k)) m.keys |= stock[k];
  }
  return m;
}

namespace {

// Brings the still layer up to date when its key changed, and copies it to the
// screen; false when the device has no layers (the caller draws it all).
bool DrawStillPart(Stage& s, const Match& m, BoardDrawExtras extras) {
  Look& look = s.look;
  StillLayer& layer = look.stillLayer;
  if (!layer.enabled) return false;
  RenderDevice& d = s.render();
  std::uint64_t key = StillLayerKey(m.level.Number, look.metrics, m.cells, m.board, extras);
  if (!layer.valid || layer.key != key || !d.SlotHeld(kStillLayerSlot)) {
    layer.valid = false;
    if (!d.BeginLayer(kStillLayerSlot)) return false;
    DrawPlayBackground(look.canvas, m.level.Number);
    DrawPanelFrame(look.canvas);
    extras.part = BoardPart::Still;
    DrawBoard(look.canvas, look.font, m.cells, m.board, extras);
    d.EndLayer();
    layer.valid = true;
    layer.key = key;
    ++layer.builds;
  }
  d.RestoreBuffer(kStillLayerSlot);
  return true;
}

}  // namespace

void DrawPlayScreen(Stage& s, PlaySide& play) {
  const Match& m = play.match;
  Canvas& c = s.look.canvas;
  Font& font = s.look.font;
  BoardDrawExtras extras;
  extras.clockMs = s.Now();
  extras.freeTilesTint = ShowFreeTint(m.bonus);
  extras.keyCursor = m.keyCursor.cell;
  if (m.flow.flip.running) extras.flipScale = m.flow.flip.scale;
  if (DrawStillPart(s, m, extras)) {
    extras.part = BoardPart::Moving;
  } else {
    DrawPlayBackground(c, m.level.Number);
    DrawPanelFrame(c);
  }
  DrawPanelTexts(c, font, PanelViewOf(m));
  DrawMenuButton(c, font, play.menuButtonState);
  DrawBoard(c, font, m.cells, m.board, extras);
  DrawEffects(c, m.bonus);
  StockButtonsView view;
  PointD p = s.in().Pointer();
  view.pointerX = p.x;
  view.pointerY = p.y;
  view.leftDown = MouseDown(s.in(), s.loop.AppActive);
  DrawStockButtons(c, font, m.player, m.board, m.bonus, view);
  DrawPopups(c, font, m.bonus);
  // "TIME IS UP" or "GAME OVER" rising over the board (nothing while the time lasts).
  DrawTimeUpCaption(c, font, CaptionOf(m.flow.timeUp));
  if (play.tip.number >= 0) DrawTip(c, font, play.tip);
}

double PlayPass(Stage& s, PlaySide& play, bool& leave) {
  Match& m = play.match;
  LoopState& loop = s.loop;
  RenderDevice& device = s.render();
  std::string timeBefore = TimeLeftText(m.level.SandLeft, m.level.TimeLimit);
  std::string movesBefore = m.board.MovesText;
  int scoreBefore = m.board.Score;
  auto hintOf = [](const BoardState& b) { return b.HintVisible ? b.HintA * kCellCount + b.HintB : -1; };
  const int hintBefore = hintOf(m.board);
  long stockBefore = play.stockLook;
  bool quietBefore = m.clock.quiet;
  PlayLookBefore look{m.clock.ornaments, m.board.HoveredCell, m.board.SelectedCell, m.keyCursor.cell};
  bool stillBefore = m.clock.quiet || m.clock.ornaments;
  AdvanceFrame(m, ReadMatchInput(s, play));
  DrainMatchEvents(s, play);
  // The menu button: lit under the pointer, pressed while held, leaves on the click.
  PointD p = s.in().Pointer();
  bool overButton = MenuButtonHitRect(s.look.metrics).Contains(p.x, p.y);
  int buttonState = overButton ? (MouseDown(s.in(), loop.AppActive) ? 2 : 1) : 0;
  // Polled on every pass so the edge latch sees each release.
  bool clicked = MouseClicked(loop.Input, s.in(), loop.AppActive, 1);
  // The press that closes a tip does nothing else.
  if (overButton && clicked && !play.tipPressHeld) leave = true;
  bool buttonChanged = buttonState != play.menuButtonState;
  play.menuButtonState = buttonState;
  bool quiet = m.clock.quiet;
  bool timeChanged = timeBefore != TimeLeftText(m.level.SandLeft, m.level.TimeLimit);
  KeepStockLook(s, play);
  bool panelChanged = movesBefore != m.board.MovesText || scoreBefore != m.board.Score ||
                      hintBefore != hintOf(m.board) || buttonChanged || stockBefore != play.stockLook;
  bool changed = !quiet || !quietBefore || loop.Redraw || timeChanged || panelChanged ||
                 look.keyCursor != m.keyCursor.cell;
  // A still board whose clock ticked or whose ornaments moved: the frame on
  // screen is kept and only that part of it is drawn again.
  std::optional<IRect> part;
  bool still = stillBefore && (quiet || m.clock.ornaments);
  if (changed && still && !loop.Redraw && !panelChanged && !loop.Input.CheatMode && device.KeepsFrame() &&
      device.FramesPresented() == loop.PlayFrameMark)
    part = PlayDirtyPart(m, look, timeChanged);
  if (changed && !leave) {
    loop.Redraw = false;
    if (s.look.drawing) {
      Rect clip;
      if (part) {
        clip = {part->left, part->top, part->right, part->bottom};
        device.SetClip(&clip);
      }
      DrawPlayScreen(s, play);
      if (part) device.SetClip(nullptr);
    }
    loop.SceneDirty = true;
    loop.PlayFrameMark = device.FramesPresented() + 1;
    if (part) ++loop.PartialFrames;
  }
  return MatchWakeAt(m, s.Now());
}

}  // namespace bm
