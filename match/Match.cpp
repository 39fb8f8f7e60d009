#include "match/Match.h"

#include <algorithm>

#include "board/BoardPhase.h"
#include "board/FrameInput.h"
#include "board/GameFrame.h"
#include "board/MoveSearch.h"
#include "board/Geometry.h"
#include "board/StartMatches.h"
#include "bonus/BonusHooks.h"
#include "bonus/BonusKinds.h"
#include "bonus/Rewards.h"
#include "bonus/Spawn.h"
#include "bonus/StockButtons.h"
#include "match/Tape.h"
#include "match/MatchFlow.h"
#include "progress/LoadLevel.h"

namespace bm {

namespace {

constexpr int kLastLevel = 65;

// The figures of the report, read off the board's state around each frame.
void CountStats(Match& m, SwapPhase swapBefore, double comboBefore, bool captionBefore) {
  const BoardState& st = m.board;
  if (swapBefore == SwapPhase::Idle && st.SwapState != SwapPhase::Idle && !st.IsReturnSwap) ++m.stats.moves;
  if (st.Combo > comboBefore) {
    m.stats.lines += long(st.MatchLines);
    m.stats.longestCascade = std::max(m.stats.longestCascade, int(st.Combo));
  }
  // A reshuffle is counted when its "NO MORE MOVES" caption comes up.
  if (!captionBefore && CaptionOf(st).visible) ++m.stats.reshuffles;
}

void CheckInvariants(Match& m, double now) {
  int before = m.invariants.Violations();
  m.invariants.Check(m.cells, m.board, now);
  for (const std::string& problem : m.effectChecker.Check(m.cells, m.bonus))
    m.invariants.Report(Invariant::Effects, problem);
  if (m.invariants.Violations() == before) return;
  const auto& messages = m.invariants.Messages();
  QueueLog(m.events, messages.empty() ? "violation" : messages.back(), "Invariants", true);
  m.stats.invariantViolations = m.invariants.Violations();
}

// The board's events go to the caller in order; an outcome ends the frame's
// list, as what follows it belongs to a board that is gone.
void TakeBoardEvents(Match& m, double now) {
  BoardEvents board;
  board.swap(m.board.Events);
  for (BoardEvent& e : board) {
    BoardEvent::Kind kind = e.kind;
    // A tip is shown once to each player: offered, it counts as seen.
    if (kind == BoardEvent::Kind::Tip && e.tip >= 0 && e.tip < int(m.player.tipSeen.size()))
      m.player.tipSeen[std::size_t(e.tip)] = true;
    m.events.push_back(std::move(e));
    if (kind == BoardEvent::Kind::LevelComplete) return OnLevelComplete(m, now);
    if (kind == BoardEvent::Kind::TimeUp) return TimeUpFrame(m, m.clock.frameFactor);
  }
}

void SandTick(Match& m, double now, bool tipWaiting) {
  MatchClock& c = m.clock;
  // A tip waiting for its click holds the sand; the next second starts when it closes.
  if (tipWaiting) c.lastSandTick = now;
  if (!c.sandEnabled || !(c.lastSandTick + c.sandTickPeriod < now)) return;
  // A finished board stops the hourglass.
  if (PhaseOf(m.cells, m.board) == BoardPhase::LevelComplete) return;
  c.lastSandTick = now;
  m.level.SandLeft -= 1.0 / m.level.TimeLimit;
  if (m.level.SandLeft < 0) m.level.SandLeft = 0;
}

// Hidden cheat keys: Up and Down skip a level per press; with a cell selected,
// digits and F-keys put items into it and the right button a random bonus.
void CheatKeys(Match& m, const MatchInput& in) {
  for (int dir : {+1, -1}) {
    bool& held = dir > 0 ? m.cheat.up : m.cheat.down;
    bool down = in.Key(dir > 0 ? mkey::Up : mkey::Down);
    bool pressed = down && !held;
    held = down;
    if (!pressed) continue;
    RequestSkip(m, dir);
    return;
  }
  bool right = in.rightDown && !m.cheat.right;
  m.cheat.right = in.rightDown;
  int s = m.board.SelectedCell;
  if (s < 0 || s >= kCellCount || !m.cells[s].IsExists) return;
  int code = 0;
  for (int k = 1; k <= 10; ++k)
    if (in.Key(mkey::Digit(k)) && k <= int(m.level.JewelKinds.size())) code = m.level.JewelKinds[std::size_t(k - 1)];
  const std::pair<std::uint32_t, int> fkeys[] = {{mkey::F1, item::Shuffle},
                                                 {mkey::F2, item::SeismicGem},
                                                 {mkey::F3, item::Rum},
                                                 {mkey::F5, item::BlueStar},
                                                 {mkey::F6, item::GoldStar}};
  for (const auto& [key, kind] : fkeys)
    if (in.Key(key)) code = kind;
  // Any kind the refill may draw.
  if (right) code = kSpawnDraw[std::size_t(m.rng.Below(int(kSpawnDraw.size())))];
  if (code == 0) return;
  m.cells[s].Gem = code;
  m.board.SelectedCell = kNoSelection;
  m.board.ScanLinesKnown = false;
}

// A press on one of the panel's bonus buttons uses that bonus.
void StockButtonInput(Match& m, const MatchInput& in) {
  bool pressed = in.leftDown && !m.stockLatch;
  m.stockLatch = in.leftDown;
  if (!pressed || !m.bonusesOn) return;
  StockButton b = StockButtonAt(m.metrics, in.pointerX, in.pointerY);
  if (b == StockButton::None) return;
  BoardCtx c{m.cells, m.board, m.level, m.player, m.rng, in.now, m.clock.frameFactor, m.metrics.XScale,
             m.metrics.YScale};
  c.metrics = &m.metrics;
  c.Attach(BonusRefsOf(m));
  PressStockButton(c, b);
}

void FollowScreen(Match& m, const MatchInput& in) {
  if (in.screenW == m.metrics.Width && in.screenH == m.metrics.Height) return;
  if (in.screenW <= 0 || in.screenH <= 0) return;
  m.metrics = ScreenMetrics::For(in.screenW, in.screenH);
  UpdateNearReference(m.cells, m.metrics.XScale);
}

}  // namespace

Match::Match(std::uint64_t seed, std::string dir) : rng(seed), levelsDir(std::move(dir)) {}

bool BoardStill(const Match& m) {
  if (!AtRest(PhaseOf(m.cells, m.board))) return false;
  const BonusState& b = m.bonus;
  if (b.EffectsAlive > 0 || b.PopupsAlive > 0 || b.ShowFreeActive) return false;
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].Shine > 0 || m.cells.fx[std::size_t(i)].Active) return false;
  return true;
}

bool OrnamentsShown(const Match& m) {
  return m.board.HoveredCell != kNoCell || m.board.SelectedCell != kNoSelection;
}

void NewGame(Match& m, int level, double now) {
  if (m.tape) {
    TapeStep step{'N', std::clamp(level, 1, kLastLevel), MatchInput{now}};
    step.in.screenW = m.metrics.Width;
    step.in.screenH = m.metrics.Height;
    m.tape->Write(step);
  }
  m.session = MatchSession{};
  m.flow = FlowState{};
  m.session.CurrentLevel = std::clamp(level, 1, kLastLevel);
  StartLevel(m, now);
}

void StartLevel(Match& m, double now) {
  m.flow = FlowState{};  // a fresh level has no flip, caption or screen pending
  std::vector<LoadNote> notes;
  LoadLevel(m.session.CurrentLevel, m.levelsDir, m.cells, m.level, m.rng, m.metrics.XScale, notes);
  for (LoadNote& note : notes)
    QueueLog(m.events, std::move(note.text), "LoadLevel(" + std::to_string(m.level.Number) + ")", note.critical);
  m.stats.levelsReached = std::max(m.stats.levelsReached, m.level.Number);
  BeginLevel(m, now);
}

BonusRefs BonusRefsOf(Match& m) {
  if (!m.bonusesOn) return {};
  return {&m.bonus, &m.session.Lives, &m.items, m.itemSlot, &kBonusHooks};
}

void BeginLevel(Match& m, double now) {
  // An armed anchor or sun goes back to the stock: it was not used on the level that ended.
  if (m.board.AnchorArmed) ++m.player.anchorCount;
  if (m.board.SunArmed) ++m.player.sunCount;
  RemoveStartMatches(m.cells, m.level, m.rng);
  // Effects still flying from the last board end with it; popups still on
  // their way pay what they carry.
  m.board.Score = m.session.Score;
  {
    BoardCtx c{m.cells, m.board, m.level, m.player, m.rng, now, 1, m.metrics.XScale, m.metrics.YScale};
    c.bonus = &m.bonus;
    PayPendingPopups(c);
    m.session.Score = m.board.Score;
  }
  ResetBonusLevel(m.bonus, now);
  for (const std::string& problem : m.effectChecker.NewLevel(m.bonus))
    m.invariants.Report(Invariant::Effects, problem);
  RecomputeBonusChances(m.bonus.BonusChance, &m.items, m.itemSlot);
  BeginLevelPlay(m.board, now);
  m.invariants.NewLevel();
  m.board.Score = m.session.Score;
  m.clock.lastFrameTime = now;
  m.clock.quiet = false;
  ++m.stats.levelsPlayed;
  QueueOutcome(m.events, BoardEvent::Kind::LevelStarted, m.level.Number);
}

void ResumeFrames(Match& m, double now) {
  if (m.tape) m.tape->Write({'R', 0, MatchInput{now}});
  m.clock.lastFrameTime = now;
}

bool FrameDue(const Match& m, double now) {
  return !m.session.Ended && m.flow.pending == FlowStep::None && m.clock.framesEnabled && m.clock.lastFrameTime < now;
}

bool AdvanceFrame(Match& m, const MatchInput& raw) {
  if (m.tape) m.tape->Write({'F', 0, raw});
  const MatchInput in = SteerByKeys(m, raw);
  MatchClock& c = m.clock;
  if (c.startMs < 0) c.startMs = in.now;
  c.lastNow = in.now;
  if (m.session.Ended) return false;
  FollowScreen(m, in);
  bool ran = false;
  // The flip steps on its own 30 ms clock at the start of a frame; its end asks
  // for the screens between levels, and the board rests meanwhile.
  if (FrameDue(m, in.now)) FlipFrame(m, in.now);
  if (FrameDue(m, in.now)) {
    FrameInput f;
    f.now = in.now;
    f.frameFactor = (in.now - c.lastFrameTime) / 35.0;
    // After a quiet spell the loop slept; nothing was moving, so no motion is owed.
    if (c.quiet) f.frameFactor = std::min(f.frameFactor, 1.0);
    c.frameFactor = f.frameFactor;
    c.lastFrameTime = in.now;
    f.pointerX = in.pointerX;
    f.pointerY = in.pointerY;
    f.leftDown = in.leftDown;
    f.rightDown = in.rightDown;
    f.pointerInClient = in.pointerInClient;
    f.pointerOverGame = in.pointerOverGame;
    f.metrics = m.metrics;
    f.levelEndFlip = m.flow.flip.running;
    f.levelEndStep = m.flow.flip.step;
    SwapPhase swapBefore = m.board.SwapState;
    double comboBefore = m.board.Combo;
    bool captionBefore = CaptionOf(m.board).visible;
    StockButtonInput(m, in);
    GameFrame(f, m.cells, m.board, m.level, m.player, m.rng, BonusRefsOf(m));
    ++m.stats.frames;
    CountStats(m, swapBefore, comboBefore, captionBefore);
    if (m.checkInvariants) CheckInvariants(m, in.now);
    // The pointer resting on MENU: the game is saved when it is left.
    if (in.Key(mkey::OverMenuButton) && !in.leftDown) OfferTip(m.board.Events, m.player, 13, kTipAtMenuButton);
    int levelBefore = m.session.CurrentLevel;
    long levelsBefore = m.stats.levelsPlayed;
    TakeBoardEvents(m, in.now);
    // Sub-systems that step once per board frame go here, after the board.
    if (m.session.CurrentLevel == levelBefore && m.stats.levelsPlayed == levelsBefore)
      m.session.Score = m.board.Score;
    ran = true;
  }
  if (m.session.Ended || m.flow.pending != FlowStep::None) return ran;
  SandTick(m, in.now, in.Key(mkey::TipWaiting));
  if (in.Key(mkey::CheatMode)) {
    CheatKeys(m, in);
  } else {
    m.cheat.up = in.Key(mkey::Up);
    m.cheat.down = in.Key(mkey::Down);
    m.cheat.right = in.rightDown;
  }
  // The ornaments move for a short while after the pointer last moved or
  // clicked, at a reduced rate; then the screen rests until something changes.
  if (in.pointerX != c.pointerX || in.pointerY != c.pointerY || in.leftDown || in.rightDown) {
    c.pointerX = in.pointerX;
    c.pointerY = in.pointerY;
    c.lastPointerMs = in.now;
  }
  bool still = BoardStill(m);
  c.ornaments = still && OrnamentsShown(m) && in.now - c.lastPointerMs < kOrnamentLifeMs;
  c.quiet = still && !c.ornaments;
  return ran;
}

double MatchWakeAt(const Match& m, double now) {
  // A key's press is let go on the next board frame.
  if (m.keyCursor.pressStage > 0) return now + 1;
  if (m.clock.ornaments) return now + kOrnamentFrameMs;
  if (!m.clock.quiet) return 0;
  // The move count takes one cell per frame; run those frames without drawing them.
  if (!m.board.MovesCounted) return now + 1;
  // Quiet: wake for the next hourglass tick and for the next hint; once that is
  // due, the count runs at full rate to its end, where the hint is chosen.
  double hint = m.board.LastHintTime + kHintPeriodMs + 1;
  if (hint <= now) return now + 1;
  return m.clock.sandEnabled ? std::min(m.clock.lastSandTick + m.clock.sandTickPeriod + 1, hint) : hint;
}

BoardEvents TakeEvents(Match& m) {
  BoardEvents out;
  out.swap(m.events);
  return out;
}

std::uint64_t BoardHash(const Cells& cells) {
  std::uint64_t h = 14695981039346656037ull;
  auto mix = [&](std::int64_t v) {
    for (int b = 0; b < 8; ++b) {
      h ^= std::uint64_t(v >> (8 * b)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = cells[i];
    mix(c.IsExists);
    mix(c.Gem);
    mix(c.Ice);
    mix(c.Gnd);
  }
  return h;
}

}  // namespace bm
