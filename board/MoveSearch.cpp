#include "board/MoveSearch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "board/BoardPhase.h"
#include "board/Geometry.h"
#include "board/ItemCodes.h"
#include "board/LineRule.h"
#include "board/Swap.h"
#include "lang/Tr.h"

namespace bm {

namespace {

void Append(BoardState& st, const std::vector<MovePair>& found) {
  for (const MovePair& m : found) {
    int k = st.ScanCount + 1;
    if (k < kMoveListSize) {
      st.MoveFrom[std::size_t(k)] = m.from;
      st.MoveTo[std::size_t(k)] = m.to;
    }
    st.ScanCount = k;  // entries beyond the list still count
  }
}

void ExamineCell(BoardCtx& c, int i, const std::vector<LineRef>& before) {
  if (!c.cells[i].IsExists) return;
  static thread_local std::vector<MovePair> found;
  found.clear();
  MovesAt(c.cells, i, found, before);
  Append(c.st, found);
}

// End of a scan: publish the count and run the hint timer.
int CompleteScan(BoardCtx& c) {
  BoardState& st = c.st;
  int now = int(c.now);
  st.MovesFound = st.ScanCount;
  st.LastCountTime = now;
  st.ScanCursor = 0;
  int result = st.ScanCount / 2;
  st.MovesCounted = true;
  if (now - st.LastHintTime > 100000) st.LastHintTime = now;
  if (now - st.LastHintTime > kHintPeriodMs) {
    st.LastHintTime = now;
    // Only the stored entries can be shown.
    int listed = std::min(st.MovesFound, kMoveListSize - 1);
    if (listed > 0) {
      int k = c.rng.Below(listed) + 1;
      // A new hint: another move than the one shown, when the board has one.
      auto shown = [&](int e) {
        int a = st.MoveFrom[std::size_t(e)], b = st.MoveTo[std::size_t(e)];
        return st.HintVisible && ((a == st.HintA && b == st.HintB) || (a == st.HintB && b == st.HintA));
      };
      for (int tries = 1; tries < listed && shown(k); ++tries) k = k % listed + 1;
      ShowHint(c, k);
    }
  }
  return result;
}

}  // namespace

void MovesAt(const Cells& cells, int i, std::vector<MovePair>& out, const std::vector<LineRef>& before) {
  for (int d : {11, -11, 5, -5, 6, -6}) {
    int j = i + d;
    if (j < 0 || j > 500) continue;
    if (CanSwap(cells, i, j) && IsNeighbour(cells, i, j) && cells[j].IsExists && WouldMatch(cells, i, j, before))
      out.push_back({i, j});
  }
}

void MovesAt(const Cells& cells, int i, std::vector<MovePair>& out) { MovesAt(cells, i, out, LinesOfAnyCode(cells)); }

std::vector<MovePair> ListMoves(const Cells& cells) {
  std::vector<MovePair> out;
  std::vector<LineRef> before = LinesOfAnyCode(cells);
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i].IsExists) MovesAt(cells, i, out, before);
  return out;
}

void ResetMoveTimer(BoardState& st, double now) {
  st.MovesFound = 0;
  st.LastCountTime = st.LastHintTime = int(now);
  st.ScanCursor = 0;
  st.ScanCount = 0;
  st.HintVisible = false;
  st.MovesText = "--";
  st.MovesCounted = false;  // the count runs at full rate until it has a number again
}

int CountMovesStep(BoardCtx& c) {
  BoardState& st = c.st;
  if (st.ScanCursor == 0) st.ScanCount = 0;
  // While nothing is removed or falls the lines already there stay the same
  // from cell to cell: they are searched once a scan, not once a frame.
  if (st.ScanCursor == 0 || !SettleFlagsHold(st)) st.ScanLinesKnown = false;
  if (st.ScanCursor < kCellCount && c.cells[st.ScanCursor].IsExists) {
    if (!st.ScanLinesKnown) {
      st.ScanLines = LinesOfAnyCode(c.cells);
      st.ScanLinesKnown = true;
    }
    ExamineCell(c, st.ScanCursor, st.ScanLines);
  }
  st.ScanCursor += 1;
  if (!st.BoardIdle) ResetMoveTimer(st, c.now);
  if (st.ScanCursor < kCellCount) {
    st.MovesFound = 0;
    return -1;
  }
  return CompleteScan(c);
}

int CountMovesAll(BoardCtx& c) {
  BoardState& st = c.st;
  // Always a fresh count: entries of a half-done incremental scan would be
  // counted twice.
  st.ScanCount = 0;
  std::vector<LineRef> before = LinesOfAnyCode(c.cells);
  for (int i = 0; i < kCellCount; ++i) ExamineCell(c, i, before);
  return CompleteScan(c);
}

void ShowHint(BoardCtx& c, int k) {
  if (k < 1 || k >= kMoveListSize) return;
  c.st.HintA = c.st.MoveFrom[std::size_t(k)];
  c.st.HintB = c.st.MoveTo[std::size_t(k)];
  c.st.HintVisible = true;
  QueueSfx(c.st.Events, "ev_game_hint");
}

void ShuffleBoard(BoardCtx& c) {
  // An item that falls or is being swapped keeps its way; the refill's
  // fresh items replace only those that sat in their cells. Keys and stars
  // stay: each comes once a level, and a dropped one would be lost.
  for (int i = 1; i < kCellCount; ++i) {
    Cell& cell = c.cells[i];
    const bool kept = IsKey(cell.Gem) || IsStar(cell.Gem);
    if (CellAtRest(cell) && cell.Ice == 0 && !kept) cell.Disappear = Removal::Dropping;
  }
}

void NoMovesStep(BoardCtx& c, bool countWasZero) {
  BoardState& st = c.st;
  if (countWasZero && !st.NoMovesRunning) {
    st.NoMovesRunning = true;
    st.NoMovesPhase = false;
    st.CaptionProgress = 0;
    st.MovesAvailable = -1;
  }
  if (!st.NoMovesRunning) return;
  st.BoardIdle = false;
  double& p = st.CaptionProgress;
  p += (std::sin(p * 1.7 * std::numbers::pi) + 1.05) * 0.05 * c.ff;
  if (p < 2) return;
  p = 0;
  if (!st.NoMovesPhase) {
    st.NoMovesPhase = true;
    return;
  }
  st.NoMovesPhase = false;
  st.NoMovesRunning = false;
  st.ScanCursor = 0;
  QueueSfx(st.Events, "bon_reshuf");
  ShuffleBoard(c);
}

NoMovesCaption CaptionOf(const BoardState& st) {
  NoMovesCaption cap;
  if (!st.NoMovesRunning) return cap;
  cap.visible = true;
  double p = st.CaptionProgress;
  int a = int(std::lround(p * 255));
  if (a > 255) a = 512 - a;
  a = std::clamp(a, 0, 255);
  bool second = st.NoMovesPhase;
  cap.text = second ?
                      // TRANSLATORS: Playing a level: caption over the board, 840 px. Room: up to about 50% longer
                      // than the English.
                      TrNoop("RESHUFFLING") :
                      // TRANSLATORS: Playing a level: caption over the board, growing to size 0.4 x its scale, 840
                      // px. Then the board is shuffled. Room: up to about 20% longer than the English.
                      TrNoop("NO MORE MOVES");
  std::uint32_t rgb = second ? 0x00E000u : 0xE08000u;
  cap.argb = (std::uint32_t(a) << 24) | rgb;
  cap.x = 1024 - 512 * p;
  cap.y = 576;
  return cap;
}

}  // namespace bm
