// Level files: any bytes as "lvlN.dat" followed by "lvlN.dat2" must load into a
// board that can be played: cells to match, a sane hourglass, two kinds at least.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "progress/LevelCheck.h"
#include "progress/LoadLevel.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<unsigned char> layoutBytes(data, data + std::min<std::size_t>(size, kLayoutBytes));
  std::vector<unsigned char> rulesBytes;
  if (size > std::size_t(kLayoutBytes)) rulesBytes.assign(data + kLayoutBytes, data + size);
  LevelLayout layout;
  LevelRules rules;
  // Short files take the loader's fallback, as LoadLevel does.
  if (!DecodeLayout(layoutBytes, layout) || !DecodeRules(rulesBytes, rules)) FallbackLevel(layout, rules);
  CheckLevel(layout, rules);
  if (!CheckLevel(layout, rules).empty()) std::abort();  // a repaired level needs no second repair
  static Cells cells;
  LevelState level;
  Rng rng(size);
  BuildLevel(1, layout, rules, cells, level, rng, 1.0);
  if (!(level.TimeLimit >= kMinLevelSeconds && level.TimeLimit <= kMaxLevelSeconds)) std::abort();
  if (level.JewelKinds.size() < 2) std::abort();
  int existing = 0;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = cells[i];
    existing += c.IsExists;
    if (!c.IsExists && (c.Gem != 0 || c.Ice != 0)) std::abort();
    if (c.IsExists && (c.Gem < 1 || c.Gem > kDrawnJewelKinds || c.Ice < 0 || c.Ice > kMaxCellBubbles)) std::abort();
    if (!std::isfinite(c.Pos.X) || !std::isfinite(c.Pos.Y)) std::abort();
  }
  if (existing < 3 || level.TopCells.empty()) std::abort();
  return 0;
}
