// What the board is doing, read off real boards as they move.
#include "board/BoardPhase.h"

#include <gtest/gtest.h>

#include <regex>

#include "board/Swap.h"
#include "tests/SourceTree.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

BoardPhase Phase(const BoardKit& kit) { return PhaseOf(kit.cells, kit.st); }

const char* PhaseName(BoardPhase p) {
  static const char* const kNames[] = {"level complete", "time up", "growing in", "reshuffling", "removing",
                                       "falling",        "swapping back", "swapping", "refilling", "idle"};
  return kNames[int(p)];
}

// The phases a board passed through, each once per run of frames.
struct PhaseLog {
  std::vector<BoardPhase> seen;
  int landedFrames = 0;  // frames right after a landing, nothing moving any more
  void Note(const BoardKit& kit) {
    BoardPhase p = Phase(kit);
    if (seen.empty() || seen.back() != p) seen.push_back(p);
    bool moving = false;
    for (int i = 0; i < kCellCount; ++i) moving = moving || kit.cells[i].Move;
    // The line search of this frame has not yet seen the items that landed
    // last frame: the board is still falling, never settled.
    if (!moving && kit.st.NoFall && !kit.st.PrevNoFall) {
      ++landedFrames;
      EXPECT_EQ(p, BoardPhase::Falling) << "the frame after a landing";
    }
  }
  std::string Text() const {
    std::string s;
    for (BoardPhase p : seen) s += std::string(s.empty() ? "" : ", ") + PhaseName(p);
    return s;
  }
};

// Clicks b and then a, running frames until the board is idle again.
PhaseLog SwapAndWatch(BoardKit& kit, int b, int a, int limit = 400) {
  kit.Click(b);
  kit.PointAt(a);
  kit.Frame();
  kit.left = true;
  PhaseLog log;
  for (int k = 0; k < limit; ++k) {
    kit.Frame();
    kit.left = false;
    log.Note(kit);
    if (Phase(kit) == BoardPhase::Idle) break;
  }
  return log;
}

TEST(BoardPhase, ALineSwapRunsAloneThenItsLineGoesTheColumnFallsAndTheTopRefills) {
  // Column 2: 30 at 46, 57 and 79; swapping 68 with 79 lines up 46, 57, 68.
  BoardKit kit({}, true);
  for (int i : {46, 57, 79}) kit.Set(i, 30);
  kit.Frame();
  ASSERT_EQ(Phase(kit), BoardPhase::Idle);
  for (int i = 0; i < kCellCount; ++i) ASSERT_TRUE(CellAtRest(kit.cells[i])) << i;

  PhaseLog log = SwapAndWatch(kit, 79, 68);
  ASSERT_GE(log.seen.size(), 4u) << log.Text();
  EXPECT_EQ(log.seen[0], BoardPhase::Swapping) << log.Text();
  EXPECT_EQ(log.seen[1], BoardPhase::Removing) << "the swap sets down while its line goes: " << log.Text();
  EXPECT_EQ(log.seen[2], BoardPhase::Falling) << log.Text();
  EXPECT_EQ(log.seen.back(), BoardPhase::Idle) << log.Text();
  EXPECT_GE(log.landedFrames, 1);
  for (int i : {46, 57, 68}) EXPECT_EQ(kit.cells[i].Gnd, 1);
}

TEST(BoardPhase, ASwapWithoutALineGoesBackFromTheFrameItsItemsTradePlaces) {
  BoardKit kit;
  int a = kit.cells[24].Gem, b = kit.cells[35].Gem;
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 24, 35));
  PhaseLog log;
  bool traded = false;
  for (int k = 0; k < 200 && Phase(kit) != BoardPhase::Idle; ++k) {
    kit.Frame();
    log.Note(kit);
    if (!traded && kit.cells[24].Gem == b) {
      traded = true;
      EXPECT_EQ(Phase(kit), BoardPhase::SwappingBack) << "no line: it is going back";
    }
  }
  std::vector<BoardPhase> want = {BoardPhase::Swapping, BoardPhase::SwappingBack, BoardPhase::Idle};
  EXPECT_EQ(log.seen, want) << log.Text();
  EXPECT_TRUE(traded);
  EXPECT_EQ(kit.cells[24].Gem, a);
  EXPECT_EQ(kit.cells[35].Gem, b);
}

TEST(BoardPhase, ALineFoundOrAnItemHitAfterTheCellPassIsRemovedAtOnceThoughTheFlagsStillHold) {
  BoardKit kit("1 f f f f f  f f f f f\n1 f f f f f  f f f f f\n1");
  kit.Frame();
  EXPECT_TRUE(SettleFlagsHold(kit.st));
  EXPECT_EQ(Phase(kit), BoardPhase::Removing);
  EXPECT_FALSE(CellAtRest(kit.cells[11]));
  EXPECT_FALSE(TakesClicks(Phase(kit)));
  BoardKit hit;
  hit.Frame();
  // What a cannonball's shot leaves at the end of a frame: the item it hit
  // marked, still available, and nothing else holding the board.
  hit.cells[57].Parent = 40;
  hit.cells[57].Disappear = Removal::Start;
  ASSERT_TRUE(SettleFlagsHold(hit.st));
  EXPECT_EQ(Phase(hit), BoardPhase::Removing);
  EXPECT_FALSE(CellAtRest(hit.cells[57]));
}

TEST(BoardPhase, AnEmptyCellBelowAnEmptyTopWaitsOneFrameForItsRefill) {
  BoardKit kit("f f _ f f f  f f f f f\nf f _", true);
  kit.Frame();
  ASSERT_NE(kit.cells[2].Gem, 0);
  ASSERT_EQ(kit.cells[13].Gem, 0);
  EXPECT_EQ(Phase(kit), BoardPhase::Refilling);
  EXPECT_FALSE(AtRest(Phase(kit))) << "the bot waits for the item on its way";
  EXPECT_TRUE(TakesClicks(Phase(kit)));
  kit.Frame();
  EXPECT_EQ(Phase(kit), BoardPhase::Falling);
}

TEST(BoardPhase, ItemsGrowingInTakeNoClick) {
  BoardKit kit;
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Pos.Size = -40;
  BeginLevelPlay(kit.st, kit.now);
  kit.Click(50);
  EXPECT_EQ(Phase(kit), BoardPhase::GrowingIn);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  kit.Settle();
  kit.Click(50);
  EXPECT_EQ(kit.st.SelectedCell, 50);
}

TEST(BoardPhase, ABoardWithoutMovesReshufflesAndTakesNoClick) {
  BoardKit kit;  // the filler has no move
  for (int k = 0; k < 200 && Phase(kit) != BoardPhase::Reshuffling; ++k) kit.Frame();
  ASSERT_EQ(Phase(kit), BoardPhase::Reshuffling);
  kit.Click(50);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  while (Phase(kit) == BoardPhase::Reshuffling) kit.Frame();
  EXPECT_EQ(Phase(kit), BoardPhase::Removing) << "the items drop off the board";
}

TEST(BoardPhase, AWonOrLostLevelIsOverWhateverElseHoldsButAGoldBoardWaitsForItsSwap) {
  BoardKit won;
  for (int i = 0; i < kCellCount; ++i) won.cells[i].Gnd = 1;
  won.Frame();
  EXPECT_EQ(Phase(won), BoardPhase::LevelComplete);
  EXPECT_TRUE(LevelOver(Phase(won)));

  BoardKit lost;
  lost.level.SandLeft = 0;
  lost.Frame();
  EXPECT_EQ(Phase(lost), BoardPhase::TimeUp);
  EXPECT_TRUE(LevelOver(Phase(lost)));
  EXPECT_FALSE(TakesClicks(Phase(lost)));
  // A gold board waits for its swap before the level completes: its items would shrink away under it.
  BoardKit kit;
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gnd = 1;
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 24, 35));
  kit.Frame();
  EXPECT_FALSE(kit.st.LevelComplete) << "its items would shrink away under it";
  for (int k = 0; k < 100 && !kit.st.LevelComplete; ++k) kit.Frame();
  EXPECT_TRUE(kit.st.LevelComplete);
  EXPECT_EQ(kit.st.SwapState, SwapPhase::Idle);
}

// Every other file asks PhaseOf or CellAtRest: none reads the settle flags or
// spells a cell at rest of its own. The board frame sets the flags and reads
// them while it does.
TEST(BoardPhase, OnlyThePhaseAndTheFrameThatSetsItsFlagsReadThem) {
  const std::vector<std::string> frame = {"board/BoardPhase.cpp", "board/BoardState.h",   "board/GameFrame.cpp",
                                          "board/RemovalStates.cpp", "board/FallStep.cpp", "board/MoveSearch.cpp"};
  const std::regex flagRead(R"(\b(BoardIdle|NoFall|PrevNoFall|NoMovesRunning|BoardGrowIn|TimeUpFlag)\b(?!\s*=[^=]))");
  const std::regex completeRead(R"((\.|->)LevelComplete\b(?!\s*=[^=]))");
  const std::regex cellAtRest(R"(Disappear\s*[!=]=\s*Removal::None.*(\.Move\b|IsAvailable)|(\.Move\b|IsAvailable).*Disappear\s*[!=]=\s*Removal::None)");
  std::string found;
  testing::ForEachSource(
      {"board", "bonus", "bot", "io", "storage", "progress", "match", "saves", "diag", "platform", "audio", "render",
       "shell"},
      [&](const std::string& path, const std::vector<std::string>& lines) {
        bool isFrame = std::find(frame.begin(), frame.end(), path) != frame.end();
        for (std::size_t n = 0; n < lines.size(); ++n) {
          std::string code = testing::CodeOf(lines[n]);
          std::string where = path + ":" + std::to_string(n + 1) + ": ";
          if (!isFrame && (std::regex_search(code, flagRead) || std::regex_search(code, completeRead)))
            found += where + "reads a settle flag; ask PhaseOf (board/BoardPhase.h)\n";
          if (path != "board/BoardPhase.cpp" && std::regex_search(code, cellAtRest))
            found += where + "spells a cell at rest; ask CellAtRest (board/BoardPhase.h)\n";
        }
      });
  EXPECT_EQ(found, "");
}

}  // namespace
}  // namespace bm
