#include "board/MarkMatches.h"

#include "board/LineRule.h"

namespace bm {

namespace {

void MarkLineCell(Cell& c, int axis, bool resetParent) {
  if (c.Disappear == Removal::None) {
    c.Disappear = Removal::Start;
    if (resetParent) {
      c.Parent = kNoCell;
      c.ParentGem = 1;
    }
  }
  c.Rotation = AxisRotation(axis);
  c.IsAvailable = false;
}

}  // namespace

bool MarkMatches(Cells& cells) {
  bool found = false;
  ForEachLine(cells, [&](int i, int d) {
    found = true;
    for (int k : {i - d, i, i + d}) MarkLineCell(cells[k], d, true);
  });
  return found;
}

void ScoreMatches(Cells& cells, BoardState& st) {
  st.MatchLines = 0;
  st.GoldSum = 0;
  ForEachLine(cells, [&](int i, int d) {
    st.MatchLines += 1;
    for (int k : {i - d, i, i + d}) {
      // A cell in two lines counts twice.
      bool gold = cells[k].Gnd != 0;
      st.GoldSum += gold ? 1 : 25;
      cells.fx[std::size_t(k)].Points = gold ? 1 : 25;
      MarkLineCell(cells[k], d, false);
    }
  });
  if (st.MatchLines > 0) {
    st.Combo += 1;
    QueueSfx(st.Events, "ev_game_collapse");
  }
}

}  // namespace bm
