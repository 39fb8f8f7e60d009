#include "progress/LoadLevel.h"

#include <algorithm>
#include <cmath>

#include "board/Geometry.h"
#include "diag/Logs.h"
#include "progress/LevelCheck.h"

namespace bm {

void FallbackLevel(LevelLayout& layout, LevelRules& rules) {
  layout = EmptyLatticeLayout();
  for (int i = 0; i < kBoardCellCount; ++i)
    if (LatticeIndex(LatticeColumn(i), LatticeRow(i)) == i) layout.kind[i] = 1;
  rules = LevelRules{};
  for (int k = 0; k < 5; ++k) rules.allowed[k] = -1;
  rules.time = 179;
}

void BuildLevel(int n, const LevelLayout& layout, const LevelRules& rules, Cells& cells, LevelState& level, Rng& rng,
                double xScale) {
  level.KeyPlaced.fill(false);
  level.Number = n;
  level.SandLeft = 1.0;
  level.TimeLimit = double(rules.time) + 1;
  level.JewelKinds.clear();
  for (int k = 0; k < kJewelSlots; ++k)
    if (rules.allowed[k] == -1) level.JewelKinds.push_back(k + 1);
  if (level.JewelKinds.size() < 2) level.JewelKinds = {1, 2};

  auto pick = [&] { return level.JewelKinds[std::size_t(rng.Below(int(level.JewelKinds.size())))]; };
  for (int i = 0; i < kCellCount; ++i) {
    Cell& c = cells[i];
    double x = layout.x[i], y = layout.y[i];
    c.IsExists = layout.kind[i] >= 1;
    c.IsUpper = false;  // a hole is never a top cell
    c.Pos.Size = 0;
    c.Pos.DirX = c.Pos.DirY = 0;
    c.Move = false;
    c.Ice = 0;
    c.Disappear = Removal::None;
    c.IsAvailable = false;
    c.Parent = kNoCell;
    c.ParentGem = 1;
    c.Pos.X = c.Pos.CurX = c.Pos.ToX = c.CenterX = c.OriginX = x;
    c.Pos.Y = c.Pos.CurY = c.Pos.ToY = c.CenterY = c.OriginY = y;
    if (c.IsExists) {
      c.Gem = pick();
      c.Gnd = 0;
      c.IsAvailable = true;
      c.IsSelected = false;
      c.Front = false;
      c.Fronter = false;
      for (int k = 0; k < 4; ++k) {
        c.GemCol[k] = 0xFFFFFF;
        c.GndCol[k] = 0x999999;
      }
      c.Phase = rng.Next() * 2 * M_PI;
      c.Pos.Size = -40 * xScale;
      c.Pos.SpeedX = c.Pos.SpeedY = c.Pos.AccelX = c.Pos.AccelY = 0;
      for (double& d : c.Spare) d = 0;
      c.Shine = 0;
      c.Wave = 1.0;
      CellFx& fx = cells.fx[std::size_t(i)];
      fx.Active = false;
      fx.X = c.Pos.CurX;
      fx.Y = c.Pos.CurY;
      fx.Alpha = 255;
      fx.Rise = fx.Speed = 0;
    } else {
      // A hole holds nothing, whatever the previous level left there.
      c.Gem = 0;
      c.Gnd = 0;
      c.Front = c.Fronter = false;
    }
  }
  level.TopCells.clear();
  for (int i = 0; i < kCellCount; ++i) {
    Cell& c = cells[i];
    if (c.IsExists) c.IsUpper = !(i >= 11 && cells[i - 11].IsExists);
    if (c.IsUpper && level.TopCells.size() < 101) level.TopCells.push_back(i);
    // Our levels nest at most eight bubbles; a garbled count is held to that.
    c.Ice = layout.kind[i] <= 1 ? 0 : std::min(layout.kind[i] - 1, 8);
    if (!c.IsExists) c.Ice = 0;
    c.ColFade = 255;
  }
  UpdateNearReference(cells, xScale);
}

bool LoadLevel(int n, const std::string& levelsDir, Cells& cells, LevelState& level, Rng& rng, double xScale,
               std::vector<LoadNote>& notes) {
  if (n < 1) n = 1;
  if (n > kLevelCount) n = kLevelCount;
  LevelLayout layout;
  LevelRules rules;
  std::string error;
  bool ok = ReadLevelFiles(levelsDir, n, layout, rules, &error);
  if (!ok) {
    notes.push_back({"Level files unusable (" + error + "); playing a plain full board instead", true});
    FallbackLevel(layout, rules);
  }
  for (const std::string& repair : CheckLevel(layout, rules))
    notes.push_back({"Level " + std::to_string(n) + ": " + repair, false});
  BuildLevel(n, layout, rules, cells, level, rng, xScale);
  return ok;
}

bool LoadLevel(int n, const std::string& levelsDir, Cells& cells, LevelState& level, Rng& rng, double xScale,
               Logs& logs) {
  std::vector<LoadNote> notes;
  bool ok = LoadLevel(n, levelsDir, cells, level, rng, xScale, notes);
  for (const LoadNote& note : notes)
    logs.WriteRunLog("LoadLevel(" + std::to_string(std::clamp(n, 1, kLevelCount)) + ")", note.text, note.critical);
  return ok;
}

}  // namespace bm
